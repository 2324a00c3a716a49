// The transition engine: brings a prepared picture onto the show image with one
// numbered effect, one frame per ShowTimer tick.
//
// The run window drives it:
//   start:    post the music message and, in composite mode, compose the
//             composite image and copy the show image into the frame bitmap
//             (origin (0, 0) from then on); then call StartTransition and set
//             ShowTimer to the returned interval and enable it.
//   per tick: call ShowTimerTimer; when it returns true the picture is
//             complete: hide the cursor (full screen, no dialog open), disable
//             ShowTimer and arm SelectTimer for (SlideSeconds + 1) s.
// The engine owns no timer; it only says which interval it wants.
#pragma once

#include <cstdint>

#include "base/random.h"
#include "raster/bitmap.h"
#include "raster/geometry.h"
#include "transitions/drawing_state.h"
#include "transitions/effect.h"
#include "transitions/ssb_array.h"

namespace transitions {

// The bitmaps of one transition, all borrowed from the run window.
struct ShowSurfaces {
  raster::Bitmap* target = nullptr;        // the show image, drawn on
  const raster::Bitmap* source = nullptr;  // the incoming picture (FPicture or FComposite)
  const raster::Bitmap* back = nullptr;    // the outgoing image (FFrame)
  raster::Point origin{};                  // where the source's top-left lies on the target
  bool compositeMode = false;              // ComposeMode = 1: the stretches run as 130..138
};

struct StartedTransition {
  int32_t number = -1;         // the number that runs (after replacement)
  int32_t intervalMs = 10;     // the ShowTimer interval it wants
};

// Speeds outside 1..50 are brought into that range: a speed of 0 or less would
// never finish, and above 50 the ragged bands could end short of the edge.
inline constexpr int32_t kMinSpeed = 1;
inline constexpr int32_t kMaxSpeed = 50;

class TransitionEngine {
 public:
  explicit TransitionEngine(base::Random& random) : random_(random) {}

  // Picks the number from `list` (at a random index when `randomPick`, else the
  // next in turn; an empty list gives -1) and starts it.
  StartedTransition StartTransition(TSSBArray& list, int32_t speed, bool randomPick, const ShowSurfaces& surfaces);
  // Starts a given number: sets the drawing state, replaces the stretches in
  // composite mode, and runs the effect's prepare operation. A number outside
  // -1..160 runs as -1, and so does an empty picture.
  StartedTransition StartNumber(int32_t number, int32_t speed, const ShowSurfaces& surfaces);

  // Runs the step operation of `number` once; true when the picture is complete.
  bool StepTransition(int32_t number);
  // The ShowTimer tick: steps the current transition; true on the tick that
  // completes it (the engine is then idle).
  bool ShowTimerTimer();

  bool Running() const { return running_; }
  DrawingState& State() { return state_; }
  const DrawingState& State() const { return state_; }

 private:
  base::Random& random_;
  DrawingState state_;
  EffectArgs args_;
  int32_t current_ = -1;
  bool running_ = false;
};

}  // namespace transitions
