// Multi-wipes: the corner wipe in every cell of a 10 x 10 grid, one pixel per
// tick whatever the speed. All cells hold the same triangle, so a tick builds
// what the triangle of one cell gains over the previous tick and copies that
// in every cell: the triangles of neighbouring cells overlap, but all that the
// previous frames showed is on the canvas already, so the result is the same
// as drawing the whole grid of triangles. The gain is copied row by row
// straight into the target's rows, a few pixels per cell.
#include <algorithm>
#include <vector>

#include "raster/region.h"
#include "transitions/corner_triangle.h"
#include "transitions/effect_drawing.h"
#include "transitions/shape_reveals.h"

namespace transitions {
namespace {

constexpr int32_t kGridCells = 10;

// The triangle of cell (0, 0) at `position`, uncut: the parts past that cell
// fall into the picture in the other cells.
raster::Region CellTriangle(const DrawingState& s, int32_t corner, int32_t position) {
  const raster::Rect reach{-2 * s.CellW, -2 * s.CellH, 3 * s.CellW, 3 * s.CellH};
  return CornerTriangle(reach, CornerOf(corner, s.CellW, s.CellH), corner, position, ScaleByRatio(s, position));
}

// Copies `gain` (in the coordinates of cell (0, 0)) in every cell of the grid,
// cut to the picture.
void CopyInEveryCell(DrawingState& s, const raster::Region& gain) {
  // The spans of each row of the gain, rows counted from its top.
  const raster::Rect bounds = gain.Bounds();
  std::vector<std::vector<raster::Rect>> rows(static_cast<size_t>(bounds.Height()));
  for (const raster::Rect& r : gain.Rects())
    for (int32_t y = r.top; y < r.bottom; ++y) rows[static_cast<size_t>(y - bounds.top)].push_back(r);
  const raster::Bitmap& picture = *s.SourceBitmap;
  const int32_t ox = s.OriginX;
  s.Canvas().EditRuns(s.PicRect(s.PictureBounds()), [&](raster::Pixel* row, int y, int x0, int x1) {
    const int32_t py = y - s.OriginY;
    const raster::Pixel* in = picture.Row(py);
    const int32_t a = x0 - ox, b = x1 - ox;  // the run in picture columns
    for (int32_t j = 0; j < kGridCells; ++j) {
      const int32_t r = py - j * s.CellH - bounds.top;
      if (r < 0 || r >= bounds.Height()) continue;
      for (const raster::Rect& span : rows[static_cast<size_t>(r)])
        for (int32_t i = 0; i < kGridCells; ++i) {
          const int32_t from = std::max(span.left + i * s.CellW, a), to = std::min(span.right + i * s.CellW, b);
          for (int32_t px = from; px < to; ++px) row[px + ox] = in[px];
        }
    }
  });
}

}  // namespace

void PrepareMultiWipe(DrawingState& s, const EffectArgs&) {
  ReadPictureSize(s);
  s.CellW = (s.PicWidth + kGridCells) / kGridCells;
  s.CellH = (s.PicHeight + kGridCells) / kGridCells;
  s.Ratio = PictureRatio(s);
  s.Position = 0;
}

bool StepMultiWipe(DrawingState& s, const EffectArgs& args) {
  if (s.Position >= 2 * s.CellW) {
    CopyPicture(s, s.PictureBounds());
    return true;
  }
  const int32_t corner = args.variant & (kShapeRight | kShapeBottom);
  raster::Region gain = CellTriangle(s, corner, s.Position);
  if (s.Position > 0) gain = gain.Subtract(CellTriangle(s, corner, s.Position - 1));
  if (!gain.IsEmpty()) CopyInEveryCell(s, gain);
  s.Position += 1;
  return false;
}

}  // namespace transitions
