// Rains: a band of Step lines of the picture is stretched (through a
// temporary bitmap of Step lines) over the rest of the picture ahead of
// Position, leaving a streak that the next band overwrites; the band of the
// previous tick settles in place 1:1. Position counts from 0 by Step in every
// direction. Down and right take the band at Position .. Position + Step;
// up and left the band of lines Position - Step .. Position from their
// starting edge, the lines that settle in the same tick (so their first tick
// has an empty band and draws nothing). The first tick with Position at the
// far edge copies the whole picture, so no streak stays.
#pragma once

#include "transitions/effect.h"
#include "transitions/effect_drawing.h"

namespace transitions {

bool StepRain(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kRainEffect{PrepareFromEdge, StepRain};

}  // namespace transitions
