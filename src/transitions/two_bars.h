// Two-bar effects: the picture is cut across the travel at across size div 2
// + 1 into two bars (top and bottom for horizontal travel, left and right for
// vertical travel) that come in from opposite edges. args.direction is the
// travel of the first bar (top or left), the second travels the other way;
// args.variant kTwoBarsMove slides their content in, otherwise it is
// revealed in place. Position grows by Step from 0; the first tick with
// Position >= along size + Step returns true.
#pragma once

#include "transitions/effect.h"

namespace transitions {

inline constexpr int32_t kTwoBarsMove = 1;

void PrepareTwoBars(DrawingState& s, const EffectArgs& args);
bool StepTwoBars(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kTwoBarsEffect{PrepareTwoBars, StepTwoBars};

}  // namespace transitions
