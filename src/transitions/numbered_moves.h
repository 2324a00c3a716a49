// Moves in phases that bring the two halves of the picture in one after the
// other (args.variant 1..4, args.direction is the travel T). The entry edge is
// where moving content comes in (the right edge for T = left), the near half
// lies next to it, the far half beyond the centre line at along size div 2.
//   1: the near half slides in, then the far half emerges from the centre line.
//   2: the near half slides in, then the far half slides in from the far edge.
//   3: the far half enters, travels on to its place (its trail is restored
//      from the back bitmap), then the near half emerges from the centre line.
//   4: as 3, but the near half finally slides in from the entry edge.
// Each phase ends on the tick that draws its part at its exact place; Position
// then starts again at 0, and the tick after the last phase returns true.
#pragma once

#include "transitions/effect.h"

namespace transitions {

void PrepareNumberedMove(DrawingState& s, const EffectArgs& args);
bool StepNumberedMove(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kNumberedMoveEffect{PrepareNumberedMove, StepNumberedMove};

}  // namespace transitions
