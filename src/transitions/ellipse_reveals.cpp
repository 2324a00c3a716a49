// Ellipses: one in the picture's proportions grows from or shrinks to the
// centre, and a circle grows round a random centre.
#include <cmath>
#include <cstdint>

#include "raster/region.h"
#include "transitions/effect_drawing.h"
#include "transitions/phased_reveal.h"
#include "transitions/shape_reveals.h"

namespace transitions {
namespace {

int32_t RoundedHypot(int32_t a, int32_t b) {
  return static_cast<int32_t>(std::nearbyint(std::hypot(static_cast<double>(a), static_cast<double>(b))));
}

bool Shrinks(const EffectArgs& args) { return (args.variant & kShapeToCenter) != 0; }

// The ellipse round (HalfX, HalfY) whose shorter radius is `position`; the
// longer one keeps the picture's proportions (integer division).
raster::Region CenterEllipse(const DrawingState& s, int32_t position, const raster::Rect& window) {
  const int64_t w = s.PicWidth, h = s.PicHeight;
  if (w <= 0 || h <= 0) return {};
  int64_t rx = position, ry = position;
  if (w < h) ry = position * h / w;
  else rx = position * w / h;
  const auto x0 = static_cast<int>(s.HalfX - rx), x1 = static_cast<int>(s.HalfX + rx);
  const auto y0 = static_cast<int>(s.HalfY - ry), y1 = static_cast<int>(s.HalfY + ry);
  return raster::Region::FromEllipse({x0, y0, x1, y1}, window);
}

RevealPlan CenterEllipsePlan(const DrawingState& s, const EffectArgs& args) {
  // Growing: frames up to and including Limit; shrinking: down to 1.
  if (Shrinks(args)) return {{{{s.Limit, 1, -1}}}, 1, s.Step, true};
  return {{{{0, s.Limit, 1}}}, 1, s.Step, true};
}

raster::Region CenterEllipseShape(const DrawingState& s, const EffectArgs& args, int32_t, int32_t position,
                                  const raster::Rect& window) {
  const raster::Region ellipse = CenterEllipse(s, position, window);
  return Shrinks(args) ? WindowWithout(window, ellipse) : ellipse;
}

RevealPlan RandomCirclePlan(const DrawingState& s) { return {{{{0, s.Limit - 1, 1}}}, 1, s.Step, true}; }

// The circle of radius `position` round the centre kept in (HalfX, HalfY).
raster::Region RandomCircleShape(const DrawingState& s, const EffectArgs&, int32_t, int32_t position,
                                 const raster::Rect& window) {
  return raster::Region::FromEllipse(
      {s.HalfX - position, s.HalfY - position, s.HalfX + position, s.HalfY + position}, window);
}

}  // namespace

void PrepareCenterEllipse(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  s.HalfX = s.PicWidth / 2;
  s.HalfY = s.PicHeight / 2;
  if (Shrinks(args)) s.Limit = s.PicWidth < s.PicHeight ? s.HalfX : s.HalfY;
  else s.Limit = RoundedHypot(s.HalfX, s.HalfY) + 1;
  StartPlan(s, CenterEllipsePlan(s, args));
}

bool StepCenterEllipse(DrawingState& s, const EffectArgs& args) {
  return StepPlannedReveal(s, args, CenterEllipsePlan(s, args), CenterEllipseShape);
}

void PrepareRandomCircle(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  s.HalfX = args.point.x;
  s.HalfY = args.point.y;
  s.Limit = RoundedHypot(s.PicWidth, s.PicHeight);
  StartPlan(s, RandomCirclePlan(s));
}

bool StepRandomCircle(DrawingState& s, const EffectArgs& args) {
  return StepPlannedReveal(s, args, RandomCirclePlan(s), RandomCircleShape);
}

}  // namespace transitions
