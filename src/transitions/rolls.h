// Rolls: the picture unrolls over the old image from the edge args.direction
// starts at, kRollPitch pixels per tick (Step is not used). Behind the front
// the picture lies in place; the kRollStrip lines in front of it show the
// picture's own strip mirrored, like the back of a rolled-up sheet; beyond
// that the back image shows. Position counts like the edge stretches; the
// first tick with the front at the far edge draws the whole picture.
#pragma once

#include "transitions/effect.h"

namespace transitions {

inline constexpr int32_t kRollPitch = 3;
inline constexpr int32_t kRollStrip = 30;

void PrepareRoll(DrawingState& s, const EffectArgs& args);
bool StepRoll(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kRollEffect{PrepareRoll, StepRoll};

}  // namespace transitions
