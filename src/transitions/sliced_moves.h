// Moves in 15 slices of along size div 15 + 1 pixels, brought in one after the
// other from the entry edge (args.direction is the travel), the slice farthest
// from the entry edge first. Counter is the moving slice (1..15); Step is
// capped at the slice size so that no slice jumps past its place. The strip a
// slice leaves behind is restored from the back bitmap. A slice whose place
// would reach past the picture is drawn flush with the far edge instead.
#pragma once

#include "transitions/effect.h"

namespace transitions {

inline constexpr int32_t kMoveSlices = 15;

// Width of one slice along the travel.
int32_t MoveSliceSize(int32_t along);

void PrepareSlicedMove(DrawingState& s, const EffectArgs& args);
bool StepSlicedMove(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kSlicedMoveEffect{PrepareSlicedMove, StepSlicedMove};

}  // namespace transitions
