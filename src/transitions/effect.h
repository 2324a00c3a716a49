// An effect is a pair of plain operations over the drawing state: prepare sets
// the state up (it draws nothing), step draws one frame and returns true when
// the picture is complete. The table gives each transition number its pair and
// the arguments the pair is called with.
#pragma once

#include <cstdint>

#include "raster/geometry.h"
#include "transitions/drawing_state.h"

namespace transitions {

// The way the front of an effect travels.
enum class Direction : uint8_t { kDown, kUp, kRight, kLeft };

struct EffectArgs {
  int32_t tooth = 0;                       // tooth size of the ragged bands
  Direction direction = Direction::kDown;  // travel of the directional effects
  int32_t variant = 0;                     // family-specific choice (corner, rebound, ...)
  // Filled by the start from the table's start parameter:
  raster::Point point{};  // pivot or centre
  int32_t barCount = 0;   // shutter bars
};

using PrepareOp = void (*)(DrawingState&, const EffectArgs&);
using StepOp = bool (*)(DrawingState&, const EffectArgs&);

struct Effect {
  PrepareOp prepare;
  StepOp step;
};

}  // namespace transitions
