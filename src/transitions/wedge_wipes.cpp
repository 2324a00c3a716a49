// Wedges: a V with its point at C = ((W + 2) div 2, (H + 2) div 2) opens at the
// starting edge (phase 0), its arms sweep along the side edges to the opposite
// edge (phase 1) and close there (phase 2). Built for travel to the right in
// (along, across) coordinates and mapped onto the actual direction; C stays put.
#include "raster/region.h"
#include "transitions/effect_drawing.h"
#include "transitions/phased_reveal.h"
#include "transitions/shape_reveals.h"

namespace transitions {
namespace {

int32_t AcrossHalf(const DrawingState& s, Direction d) { return IsVertical(d) ? s.HalfX : s.HalfY; }

RevealPlan WedgePlan(const DrawingState& s, const EffectArgs& args) {
  const int32_t half = AcrossHalf(s, args.direction);
  // Phase 2 ends on the tick whose advance falls below 0: the final draw replaces its frame.
  return {{{{1, half, 1}, {0, AlongSize(s, args.direction), 1}, {half, 0, -1}}}, 3, s.Step, false};
}

raster::Region WedgeShape(const DrawingState& s, const EffectArgs& args, int32_t phase, int32_t position,
                          const raster::Rect& window) {
  const Direction d = args.direction;
  const int32_t along = AlongSize(s, d), across = AcrossSize(s, d), half = AcrossHalf(s, d);
  auto map = [&](int32_t a, int32_t c) {
    if (IsReverse(d)) a = along - a;
    return IsVertical(d) ? raster::Point{c, a} : raster::Point{a, c};
  };
  const raster::Point tip{s.HalfX, s.HalfY};
  const int32_t p = position;
  switch (phase) {
    case 0: return PolygonRegion(window, {map(0, half - p), map(0, half + p), tip});
    case 1: return PolygonRegion(window, {map(p, 0), map(0, 0), map(0, across), map(p, across), tip});
    default:
      return PolygonRegion(window, {map(along, half - p), map(along, 0), map(0, 0), map(0, across),
                                    map(along, across), map(along, half + p), tip});
  }
}

}  // namespace

void PrepareWedge(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  s.HalfX = (s.PicWidth + 2) / 2;
  s.HalfY = (s.PicHeight + 2) / 2;
  StartPlan(s, WedgePlan(s, args));
}

bool StepWedge(DrawingState& s, const EffectArgs& args) {
  return StepPlannedReveal(s, args, WedgePlan(s, args), WedgeShape);
}

}  // namespace transitions
