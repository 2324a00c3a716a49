// Line wipes: 1-pixel lines, one per tick; Step is not used.
#pragma once

#include "transitions/effect.h"

namespace transitions {

// Interlaced lines: two passes at a pitch of 2, the first over the lines of the
// starting edge's parity. args.direction is the travel of the first pass;
// args.variant kLineRebound sends the second pass back the other way.
inline constexpr int32_t kLineRebound = 1;
void PrepareInterlacedLines(DrawingState& s, const EffectArgs& args);
bool StepInterlacedLines(DrawingState& s, const EffectArgs& args);

// Random lines: every line once in random order. args.direction kDown picks
// rows, kRight columns; args.variant kLineCross adds one random row (with
// repetition) to every column.
inline constexpr int32_t kLineCross = 1;
void PrepareRandomLines(DrawingState& s, const EffectArgs& args);
bool StepRandomLines(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kInterlacedLinesEffect{PrepareInterlacedLines, StepInterlacedLines};
inline constexpr Effect kRandomLinesEffect{PrepareRandomLines, StepRandomLines};

}  // namespace transitions
