// Grid, cell and dissolve effects: the picture shown cell by cell of a fixed
// grid (mosaic, checkerboards, block spiral, zig-zags), through 10 x 10 boxes
// that grow or shrink, or scattered pixel by pixel. None of them uses Step:
// each takes a fixed number of ticks whatever the speed.
#pragma once

#include "transitions/effect.h"

namespace transitions {

// Mosaic: the 400 cells of a 20 x 20 grid in random order, one per tick; the
// tick that shows the last one frees CellList and completes.
void PrepareMosaic(DrawingState& s, const EffectArgs& args);
bool StepMosaic(DrawingState& s, const EffectArgs& args);

// Checkerboards: a 20 x 20 grid swept one line of cells per tick in two passes,
// the cells of even column + row first, then the others. args.direction is the
// travel of the first pass (rows for down/up, columns for right/left); the
// "left" entries start at the left edge, so their first pass travels right,
// and the "right" entries the other way.
inline constexpr int32_t kCheckerRebound = 1;    // the second pass runs back the other way
inline constexpr int32_t kCheckerIdleFinal = 2;  // completes on a tick of its own, drawing nothing
void PrepareCheckerboard(DrawingState& s, const EffectArgs& args);
bool StepCheckerboard(DrawingState& s, const EffectArgs& args);

// Block spiral: the cells of an 8 x 8 grid along a square spiral from the
// centre outwards, or with kBlockToCenter inwards; one cell per tick.
inline constexpr int32_t kBlockToCenter = 1;
void PrepareBlockSpiral(DrawingState& s, const EffectArgs& args);
bool StepBlockSpiral(DrawingState& s, const EffectArgs& args);

// Zig-zags: a serpentine walk through a 20 x 20 grid, one cell per tick, whose
// lines (columns for right/left, rows for down/up) follow each other in
// args.direction.
void PrepareZigZag(DrawingState& s, const EffectArgs& args);
bool StepZigZag(DrawingState& s, const EffectArgs& args);

// Multi-boxes: 10 x 10 boxes growing from their centres over the old image,
// or with kBoxesToCenter the old image in boxes shrinking to their centres;
// one pixel per tick.
inline constexpr int32_t kBoxesToCenter = 1;
void PrepareMultiBox(DrawingState& s, const EffectArgs& args);
bool StepMultiBox(DrawingState& s, const EffectArgs& args);

// Dissolve: single pixels of the picture scattered in 36 rounds.
void PrepareDissolve(DrawingState& s, const EffectArgs& args);
bool StepDissolve(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kMosaicEffect{PrepareMosaic, StepMosaic};
inline constexpr Effect kCheckerboardEffect{PrepareCheckerboard, StepCheckerboard};
inline constexpr Effect kBlockSpiralEffect{PrepareBlockSpiral, StepBlockSpiral};
inline constexpr Effect kZigZagEffect{PrepareZigZag, StepZigZag};
inline constexpr Effect kMultiBoxEffect{PrepareMultiBox, StepMultiBox};
inline constexpr Effect kDissolveEffect{PrepareDissolve, StepDissolve};

}  // namespace transitions
