// Radial sweep: a ray from the pivot runs round the border, starting at the
// bottom-right corner, up the right edge, left along the top, down the left
// edge and right along the bottom; the picture shows in the polygon from the
// pivot along the border to the ray's end. Points[0] is the pivot, Points[1]
// the fixed bottom-right corner.
#include "raster/region.h"
#include "transitions/effect_drawing.h"
#include "transitions/phased_reveal.h"
#include "transitions/shape_reveals.h"

namespace transitions {
namespace {

RevealPlan RadialPlan(const DrawingState& s) {
  const int32_t w = s.PicWidth, h = s.PicHeight;
  // Phase 3 ends on the tick whose advance passes W: the final draw replaces its frame.
  return {{{{h, 0, -1}, {w, 0, -1}, {0, h, 1}, {0, w, 1}}}, 4, s.Step, false};
}

raster::Region RadialShape(const DrawingState& s, const EffectArgs&, int32_t phase, int32_t position) {
  const int32_t w = s.PicWidth, h = s.PicHeight;
  // The corners the ray has passed, then its end on the edge of this phase.
  const raster::Point corners[] = {{w, 0}, {0, 0}, {0, h}};
  const raster::Point ends[] = {{w, position}, {position, 0}, {0, position}, {position, h}};
  std::array<raster::Point, 6> points{s.Points[0], s.Points[1]};
  size_t n = 2;
  for (int32_t i = 0; i < phase; ++i) points[n++] = corners[i];
  points[n++] = ends[phase];
  return raster::Region::FromPolygon(std::span<const raster::Point>(points.data(), n), raster::FillMode::Winding,
                                     s.PictureBounds());
}

}  // namespace

void PrepareRadialSweep(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  s.Points[0] = args.point;
  s.Points[1] = {s.PicWidth, s.PicHeight};
  StartPlan(s, RadialPlan(s));
}

bool StepRadialSweep(DrawingState& s, const EffectArgs& args) {
  return StepPlannedReveal(s, args, RadialPlan(s), RadialShape);
}

}  // namespace transitions
