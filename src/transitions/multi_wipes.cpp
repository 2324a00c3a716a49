// Multi-wipes: the corner wipe in every cell of a 10 x 10 grid, one pixel per
// tick whatever the speed. All cells hold the same triangle, so it is built
// once and repeated over the grid.
#include <utility>
#include <vector>

#include "raster/region.h"
#include "transitions/corner_triangle.h"
#include "transitions/effect_drawing.h"
#include "transitions/phased_reveal.h"
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

// Position 0 .. 2 * CellW - 1 in steps of one pixel, then a final full copy.
RevealPlan MultiPlan(const DrawingState& s) { return {{{{0, 2 * s.CellW - 1, 1}}}, 1, 1, true}; }

raster::Region MultiShape(const DrawingState& s, const EffectArgs& args, int32_t, int32_t position,
                          const raster::Rect& window) {
  const int32_t corner = args.variant & (kShapeRight | kShapeBottom);
  // Uncut: the parts past cell (0, 0) fall into the picture in the other cells.
  const raster::Rect reach{-2 * s.CellW, -2 * s.CellH, 3 * s.CellW, 3 * s.CellH};
  const raster::Region cell =
      CornerTriangle(reach, CornerOf(corner, s.CellW, s.CellH), corner, position, ScaleByRatio(s, position));
  return Repeat(Repeat(cell, kGridCells, s.CellW, 0), kGridCells, 0, s.CellH).Intersect(window);
}

}  // namespace

void PrepareMultiWipe(DrawingState& s, const EffectArgs&) {
  ReadPictureSize(s);
  s.CellW = (s.PicWidth + kGridCells) / kGridCells;
  s.CellH = (s.PicHeight + kGridCells) / kGridCells;
  s.Ratio = PictureRatio(s);
  StartPlan(s, MultiPlan(s));
}

bool StepMultiWipe(DrawingState& s, const EffectArgs& args) {
  return StepPlannedReveal(s, args, MultiPlan(s), MultiShape);
}

}  // namespace transitions
