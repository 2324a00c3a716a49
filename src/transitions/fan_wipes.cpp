// Fan: four blades turn round the centre C = ((W + 2) div 2, (H + 2) div 2),
// starting from the four axis points of the border. In phase 0 each blade is
// the triangle from C to its axis point and on along the edge; in phase 1 it
// has reached the next corner and runs on along the following edge. Legs
// along a horizontal edge are Position, along a vertical one E = D + 1.
#include <array>

#include "raster/region.h"
#include "transitions/effect_drawing.h"
#include "transitions/phased_reveal.h"
#include "transitions/shape_reveals.h"

namespace transitions {
namespace {

// Points of the border as multiples of half the picture: 0, centre, full.
struct HalfPoint {
  int8_t x, y;
};
struct Blade {
  HalfPoint axis;        // where the blade starts
  HalfPoint travel;      // unit direction along the first edge
  HalfPoint corner;      // the corner that ends the first edge
  HalfPoint turn;        // unit direction along the next edge
};

// Clockwise on the screen (y grows downwards): top, left, bottom, right.
constexpr std::array<Blade, 4> kClockwise = {{
    {{1, 0}, {1, 0}, {2, 0}, {0, 1}},
    {{0, 1}, {0, -1}, {0, 0}, {1, 0}},
    {{1, 2}, {-1, 0}, {0, 2}, {0, -1}},
    {{2, 1}, {0, 1}, {2, 2}, {-1, 0}},
}};
constexpr std::array<Blade, 4> kAnticlockwise = {{
    {{1, 0}, {-1, 0}, {0, 0}, {0, 1}},
    {{0, 1}, {0, 1}, {0, 2}, {1, 0}},
    {{1, 2}, {1, 0}, {2, 2}, {0, -1}},
    {{2, 1}, {0, -1}, {2, 0}, {-1, 0}},
}};

RevealPlan FanPlan(const DrawingState& s) {
  // The final draw comes on the first tick that starts past HalfX in phase 1.
  return {{{{1, s.HalfX, 1}, {0, s.HalfX, 1}}}, 2, s.Step, true};
}

raster::Region FanShape(const DrawingState& s, const EffectArgs& args, int32_t phase, int32_t position,
                        const raster::Rect& window) {
  const int32_t e = ScaleByRatio(s, position) + 1;
  const int32_t xs[] = {0, s.HalfX, s.PicWidth};
  const int32_t ys[] = {0, s.HalfY, s.PicHeight};
  auto at = [&](HalfPoint p) { return raster::Point{xs[p.x], ys[p.y]}; };
  auto along = [&](raster::Point from, HalfPoint dir) {
    return raster::Point{from.x + dir.x * position, from.y + dir.y * e};
  };
  const raster::Point c{s.HalfX, s.HalfY};
  const auto& blades = (args.variant & kShapeAnticlockwise) != 0 ? kAnticlockwise : kClockwise;
  raster::Region fan;
  for (const Blade& b : blades) {
    const raster::Point axis = at(b.axis);
    const raster::Region blade =
        phase == 0 ? PolygonRegion(window, {c, axis, along(axis, b.travel)})
                   : PolygonRegion(window, {c, axis, at(b.corner), along(at(b.corner), b.turn)});
    fan = fan.Unite(blade);
  }
  return fan;
}

}  // namespace

void PrepareFan(DrawingState& s, const EffectArgs&) {
  ReadPictureSize(s);
  s.HalfX = (s.PicWidth + 2) / 2;
  s.HalfY = (s.PicHeight + 2) / 2;
  s.Ratio = PictureRatio(s);
  StartPlan(s, FanPlan(s));
}

bool StepFan(DrawingState& s, const EffectArgs& args) { return StepPlannedReveal(s, args, FanPlan(s), FanShape); }

}  // namespace transitions
