// Multi-wipes: the corner wipe in every cell of a 10 x 10 grid, one pixel per
// tick whatever the speed. All cells hold the same triangle, so a tick builds
// what the triangle of one cell gains over the previous tick and repeats that
// over the grid: the triangles of neighbouring cells overlap, but all that
// the previous frames showed is on the canvas already, so the result is the
// same as drawing the whole grid of triangles.
#include <utility>
#include <vector>

#include "raster/region.h"
#include "transitions/corner_triangle.h"
#include "transitions/effect_drawing.h"
#include "transitions/shape_reveals.h"

namespace transitions {
namespace {

constexpr int32_t kGridCells = 10;

// The union of `n` copies of `region`, each moved by (dx, dy) from the one
// before, merged pairwise so the work stays proportional to the result.
raster::Region Repeat(const raster::Region& region, int32_t n, int32_t dx, int32_t dy) {
  std::vector<raster::Region> parts;
  for (int32_t i = 0; i < n; ++i) parts.push_back(region.Offsetted(i * dx, i * dy));
  while (parts.size() > 1) {
    size_t out = 0;
    for (size_t i = 0; i < parts.size(); i += 2)
      parts[out++] = i + 1 < parts.size() ? parts[i].Unite(parts[i + 1]) : std::move(parts[i]);
    parts.resize(out);
  }
  return std::move(parts.front());
}

// The triangle of cell (0, 0) at `position`, uncut: the parts past that cell
// fall into the picture in the other cells.
raster::Region CellTriangle(const DrawingState& s, int32_t corner, int32_t position) {
  const raster::Rect reach{-2 * s.CellW, -2 * s.CellH, 3 * s.CellW, 3 * s.CellH};
  return CornerTriangle(reach, CornerOf(corner, s.CellW, s.CellH), corner, position, ScaleByRatio(s, position));
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
  if (!gain.IsEmpty()) DrawPictureThrough(s, Repeat(Repeat(gain, kGridCells, s.CellW, 0), kGridCells, 0, s.CellH));
  s.Position += 1;
  return false;
}

}  // namespace transitions
