// Corner wipes: a right triangle with legs Position and D = Position * Ratio
// grows from one corner; the diagonal wipes grow such triangles at two
// opposite corners, or shrink them and show the rest of the picture.
#include "raster/region.h"
#include "transitions/corner_triangle.h"
#include "transitions/effect_drawing.h"
#include "transitions/phased_reveal.h"
#include "transitions/shape_reveals.h"

namespace transitions {
namespace {

constexpr int32_t kCornerBits = kShapeRight | kShapeBottom;

bool Shrinks(const EffectArgs& args) { return (args.variant & kShapeToCenter) != 0; }

raster::Region TriangleAt(const DrawingState& s, int32_t corner, int32_t position, const raster::Rect& window) {
  return CornerTriangle(window, CornerOf(corner, s.PicWidth, s.PicHeight), corner, position,
                        ScaleByRatio(s, position));
}

// Position 0 .. 2W - 1, then a final full copy.
RevealPlan CornerPlan(const DrawingState& s) { return {{{{0, 2 * s.PicWidth - 1, 1}}}, 1, s.Step, true}; }

// The triangle at Points[0], the corner that prepare picked.
raster::Region CornerShape(const DrawingState& s, const EffectArgs& args, int32_t, int32_t position,
                           const raster::Rect& window) {
  return CornerTriangle(window, s.Points[0], args.variant & kCornerBits, position, ScaleByRatio(s, position));
}

// Growing: Position 0 .. W - 1; shrinking: W down to 1; then a final full copy.
RevealPlan DiagonalPlan(const DrawingState& s, const EffectArgs& args) {
  if (Shrinks(args)) return {{{{s.PicWidth, 1, -1}}}, 1, s.Step, true};
  return {{{{0, s.PicWidth - 1, 1}}}, 1, s.Step, true};
}

raster::Region DiagonalShape(const DrawingState& s, const EffectArgs& args, int32_t, int32_t position,
                             const raster::Rect& window) {
  // left-top/right-bottom, or with kShapeRight right-top/left-bottom.
  const int32_t corner = args.variant & kShapeRight;
  const raster::Region pair =
      TriangleAt(s, corner, position, window).Unite(TriangleAt(s, corner ^ kCornerBits, position, window));
  return Shrinks(args) ? WindowWithout(window, pair) : pair;
}

void PrepareTriangles(DrawingState& s) {
  ReadPictureSize(s);
  s.Ratio = PictureRatio(s);
}

}  // namespace

void PrepareCornerWipe(DrawingState& s, const EffectArgs& args) {
  PrepareTriangles(s);
  s.Points[0] = CornerOf(args.variant, s.PicWidth, s.PicHeight);
  StartPlan(s, CornerPlan(s));
}

bool StepCornerWipe(DrawingState& s, const EffectArgs& args) {
  return StepPlannedReveal(s, args, CornerPlan(s), CornerShape);
}

void PrepareDiagonalWipe(DrawingState& s, const EffectArgs& args) {
  PrepareTriangles(s);
  StartPlan(s, DiagonalPlan(s, args));
}

bool StepDiagonalWipe(DrawingState& s, const EffectArgs& args) {
  return StepPlannedReveal(s, args, DiagonalPlan(s, args), DiagonalShape);
}

}  // namespace transitions
