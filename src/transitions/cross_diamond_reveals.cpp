// Cross and diamond round the centre ((W + 2) div 2, (H + 2) div 2): growing
// from the centre, or, with kShapeToCenter, the rest of the picture around a
// shrinking one. The vertical extent is D = Position * Ratio.
#include "raster/region.h"
#include "transitions/effect_drawing.h"
#include "transitions/phased_reveal.h"
#include "transitions/shape_reveals.h"

namespace transitions {
namespace {

bool Shrinks(const EffectArgs& args) { return (args.variant & kShapeToCenter) != 0; }

void PrepareCenterShape(DrawingState& s) {
  ReadPictureSize(s);
  s.HalfX = (s.PicWidth + 2) / 2;
  s.HalfY = (s.PicHeight + 2) / 2;
  s.Ratio = PictureRatio(s);
}

// Growing: Position 0 .. limit - 1; shrinking: limit down to 1. Both end with
// a final full copy on a tick of its own.
RevealPlan CenterPlan(const DrawingState& s, const EffectArgs& args, int32_t limit) {
  if (Shrinks(args)) return {{{{limit, 1, -1}}}, 1, s.Step, true};
  return {{{{0, limit - 1, 1}}}, 1, s.Step, true};
}

raster::Region GrownOrRest(const EffectArgs& args, const raster::Rect& window, const raster::Region& shape) {
  return Shrinks(args) ? WindowWithout(window, shape) : shape;
}

raster::Region CrossShape(const DrawingState& s, const EffectArgs& args, int32_t, int32_t position,
                          const raster::Rect& window) {
  const int32_t d = ScaleByRatio(s, position);
  const raster::Rect bars[] = {{s.HalfX - position, 0, s.HalfX + position, s.PicHeight},
                               {0, s.HalfY - d, s.PicWidth, s.HalfY + d}};
  return GrownOrRest(args, window, raster::Region::FromRects(bars).Intersect(window));
}

raster::Region DiamondShape(const DrawingState& s, const EffectArgs& args, int32_t, int32_t position,
                            const raster::Rect& window) {
  const int32_t d = ScaleByRatio(s, position);
  return GrownOrRest(args, window,
                     PolygonRegion(window, {{s.HalfX - position, s.HalfY},
                                            {s.HalfX, s.HalfY + d},
                                            {s.HalfX + position, s.HalfY},
                                            {s.HalfX, s.HalfY - d}}));
}

}  // namespace

void PrepareCross(DrawingState& s, const EffectArgs& args) {
  PrepareCenterShape(s);
  StartPlan(s, CenterPlan(s, args, s.HalfX));
}

bool StepCross(DrawingState& s, const EffectArgs& args) {
  return StepPlannedReveal(s, args, CenterPlan(s, args, s.HalfX), CrossShape);
}

void PrepareDiamond(DrawingState& s, const EffectArgs& args) {
  PrepareCenterShape(s);
  StartPlan(s, CenterPlan(s, args, s.PicWidth));
}

bool StepDiamond(DrawingState& s, const EffectArgs& args) {
  return StepPlannedReveal(s, args, CenterPlan(s, args, s.PicWidth), DiamondShape);
}

}  // namespace transitions
