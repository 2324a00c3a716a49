// Shutters: the picture is cut into bars across the travel; even bars are
// revealed from the starting edge, odd bars from the opposite one.
// "Shutter(Vertical)" has column bars revealed along y (args.direction kDown),
// "Shutter(Horizontal)" row bars revealed along x (kRight); args.barCount is
// the bar count the start passes (a tenth of the picture's width or height).
#pragma once

#include "transitions/effect.h"

namespace transitions {

void PrepareShutter(DrawingState& s, const EffectArgs& args);
bool StepShutter(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kShutterEffect{PrepareShutter, StepShutter};

}  // namespace transitions
