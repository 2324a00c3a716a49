// The fixed grids of the cell effects: a picture cut into n x n cells whose
// size is rounded up (W div n + 1), so that the last row and column of cells
// reach past the picture; CopyCell cuts them to it.
#pragma once

#include <cstdint>

#include "raster/geometry.h"
#include "transitions/drawing_state.h"

namespace transitions {

// Reads the picture size and sets CellW = W div n + 1, CellH = H div n + 1.
void SetGridCells(DrawingState& s, int32_t n);
// The rectangle of cell (i, j) in picture coordinates.
raster::Rect CellRect(const DrawingState& s, int32_t i, int32_t j);
// Copies cell (i, j) of the source 1:1 to its place (the part inside the picture).
void CopyCell(DrawingState& s, int32_t i, int32_t j);

}  // namespace transitions
