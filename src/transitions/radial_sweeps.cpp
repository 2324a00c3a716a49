// Radial sweep: a ray from the pivot runs round the border, starting at the
// bottom-right corner, up the right edge, left along the top, down the left
// edge and right along the bottom; the picture shows in the polygon from the
// pivot along the border to the ray's end. Points[0] is the pivot, Points[1]
// the fixed bottom-right corner.
#include <algorithm>
#include <array>
#include <span>

#include "raster/region.h"
#include "transitions/effect_drawing.h"
#include "transitions/phased_reveal.h"
#include "transitions/shape_reveals.h"

namespace transitions {
namespace {

// The corners the ray passes at the ends of phases 0, 1 and 2.
std::array<raster::Point, 3> Corners(const DrawingState& s) { return {{{s.PicWidth, 0}, {0, 0}, {0, s.PicHeight}}}; }

// Where the ray ends in a phase.
raster::Point RayEnd(const DrawingState& s, Frame f) {
  switch (f.phase) {
    case 0: return {s.PicWidth, f.position};
    case 1: return {f.position, 0};
    case 2: return {0, f.position};
    default: return {f.position, s.PicHeight};
  }
}

raster::Region RadialShape(const DrawingState& s, const EffectArgs&, int32_t phase, int32_t position,
                           const raster::Rect& window) {
  const auto corners = Corners(s);
  std::array<raster::Point, 6> points{s.Points[0], s.Points[1]};
  size_t n = 2;
  for (int32_t i = 0; i < phase; ++i) points[n++] = corners[static_cast<size_t>(i)];
  points[n++] = RayEnd(s, {phase, position});
  return raster::Region::FromPolygon(std::span<const raster::Point>(points.data(), n), raster::FillMode::Winding,
                                     window);
}

// A frame adds the polygon from the pivot through the ray's earlier end, the
// corners passed since and its new end: its bounds hold every pixel that changes.
raster::Rect RadialChange(const DrawingState& s, const EffectArgs&, Frame before, Frame now) {
  const raster::Point pivot = s.Points[0], first = RayEnd(s, before), last = RayEnd(s, now);
  raster::Rect r{std::min({pivot.x, first.x, last.x}), std::min({pivot.y, first.y, last.y}),
                 std::max({pivot.x, first.x, last.x}), std::max({pivot.y, first.y, last.y})};
  const auto corners = Corners(s);
  for (int32_t i = before.phase; i < now.phase; ++i) {
    const raster::Point c = corners[static_cast<size_t>(i)];
    r = {std::min(r.left, c.x), std::min(r.top, c.y), std::max(r.right, c.x), std::max(r.bottom, c.y)};
  }
  return r;
}

RevealPlan RadialPlan(const DrawingState& s) {
  const int32_t w = s.PicWidth, h = s.PicHeight;
  // Phase 3 ends on the tick whose advance passes W: the final draw replaces its frame.
  return {{{{h, 0, -1}, {w, 0, -1}, {0, h, 1}, {0, w, 1}}}, 4, s.Step, false, RadialChange};
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
