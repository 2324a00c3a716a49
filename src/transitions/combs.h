// Interleaved combs ("Show left-right" on columns for args.direction kRight,
// "Show up-dwon" on rows for kDown): the picture's even lines slide in from
// the starting edge and its odd lines from the far edge, one line pair per
// tick (Step is not used). Half = lines div 2 + 1 (kept in HalfX or HalfY);
// at Position p the shift is O = 2 x Half - 2p, even line 2g shows picture
// line O + 2g and picture line 2g + 1 shows at line O + 2g + 1 (g = 0..p);
// every other line shows the back image. Ticks with p = 0..Half draw (the
// last with O = 0, the whole picture); the next tick only reports the end.
#pragma once

#include "transitions/effect.h"

namespace transitions {

void PrepareComb(DrawingState& s, const EffectArgs& args);
bool StepComb(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kCombEffect{PrepareComb, StepComb};

}  // namespace transitions
