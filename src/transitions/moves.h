// Moves that slide the whole picture in: from an edge (args.direction is the
// travel), from a corner keeping the picture's proportions (args.variant holds
// the corner bits), or in two halves from opposite edges that meet at the
// centre line (args.direction kRight splits the columns, kDown the rows).
// Position grows by Step from 0; each returns true on the first tick with
// Position >= Limit + Step + 1, one tick after the picture reached its place.
#pragma once

#include "transitions/effect.h"

namespace transitions {

// Corner bits of args.variant; none is the top-left corner.
inline constexpr int32_t kMoveFromRight = 1;
inline constexpr int32_t kMoveFromBottom = 2;

void PreparePlainMove(DrawingState& s, const EffectArgs& args);
bool StepPlainMove(DrawingState& s, const EffectArgs& args);
void PrepareCornerMove(DrawingState& s, const EffectArgs& args);
bool StepCornerMove(DrawingState& s, const EffectArgs& args);
void PrepareSplitMove(DrawingState& s, const EffectArgs& args);
bool StepSplitMove(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kPlainMoveEffect{PreparePlainMove, StepPlainMove};
inline constexpr Effect kCornerMoveEffect{PrepareCornerMove, StepCornerMove};
inline constexpr Effect kSplitMoveEffect{PrepareSplitMove, StepSplitMove};

}  // namespace transitions
