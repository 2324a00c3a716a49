// Sweeps: a comb of 20 strips on a 20-pixel pitch travels 20 pixels per tick;
// the strips narrow from 20 pixels at the trailing end to 1 at the leading end,
// so every 20-pixel cell fills up as the comb passes. Step is not used.
#pragma once

#include "transitions/effect.h"

namespace transitions {

inline constexpr int32_t kSweepPitch = 20;
inline constexpr int32_t kSweepStrips = 20;
inline constexpr int32_t kSweepLength = kSweepPitch * kSweepStrips;  // 400

void PrepareSweep(DrawingState& s, const EffectArgs& args);
bool StepSweep(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kSweepEffect{PrepareSweep, StepSweep};

}  // namespace transitions
