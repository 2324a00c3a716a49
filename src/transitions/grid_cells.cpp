#include "transitions/grid_cells.h"

#include "transitions/effect_drawing.h"

namespace transitions {

void SetGridCells(DrawingState& s, int32_t n) {
  ReadPictureSize(s);
  s.CellW = s.PicWidth / n + 1;
  s.CellH = s.PicHeight / n + 1;
}

raster::Rect CellRect(const DrawingState& s, int32_t i, int32_t j) {
  return raster::Rect::FromSize(i * s.CellW, j * s.CellH, s.CellW, s.CellH);
}

void CopyCell(DrawingState& s, int32_t i, int32_t j) { CopyPicture(s, CellRect(s, i, j)); }

}  // namespace transitions
