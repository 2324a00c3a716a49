// Window blinds: 20-pixel blinds close one pixel line per tick, 20 drawing
// ticks; Step is not used.
#pragma once

#include "transitions/effect.h"

namespace transitions {

inline constexpr int32_t kBlindSize = 20;

void PrepareBlind(DrawingState& s, const EffectArgs& args);
bool StepBlind(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kBlindEffect{PrepareBlind, StepBlind};

}  // namespace transitions
