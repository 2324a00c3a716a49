// The stand-in player's timeline: the frame on show, whether the movie plays,
// and the objects on the stage at that frame. A playing movie goes on one
// frame a tick and starts over after its last frame; the actions of each frame
// it enters run (a stop action in the last frame holds the movie there).
#pragma once

#include <cstdint>
#include <map>

#include "player/flash_movie.h"

namespace player::flash {

struct PlacedObject {
  uint16_t character = 0;
  Matrix matrix;
};

class MovieTimeline {
 public:
  // Shows frame 0, runs its actions and plays (as a control does once its
  // movie has loaded). `movie` must outlive the timeline.
  explicit MovieTimeline(const Movie& movie);

  int TotalFrames() const { return movie_.frameCount; }
  int CurrentFrame() const { return current_; }
  bool Playing() const { return playing_; }
  void Play() { playing_ = true; }
  void Stop() { playing_ = false; }
  // Shows `frame` (cut to the movie's frames) without running its actions;
  // the movie keeps playing or standing.
  void GotoFrame(int frame);
  // One frame's time has passed. True when another frame shows.
  bool Tick();

  // The objects on the stage by depth, drawn from the lowest depth up.
  const std::map<uint16_t, PlacedObject>& DisplayList() const { return displayList_; }

 private:
  void Enter(int frame);
  void Apply(const Frame& frame);
  void RunActions(int frame);

  const Movie& movie_;
  int current_ = 0;
  bool playing_ = true;
  std::map<uint16_t, PlacedObject> displayList_;
};

}  // namespace player::flash
