#include "transitions/moves.h"

#include <algorithm>

#include "transitions/effect_drawing.h"
#include "transitions/move_drawing.h"

namespace transitions {
namespace {

void PrepareMoveTo(DrawingState& s, int32_t limit) {
  s.Position = 0;
  s.Limit = limit;
}

bool Arrived(const DrawingState& s) { return s.Position >= s.Limit + s.Step + 1; }

// x -> W - x and/or y -> H - y.
raster::Rect Mirrored(const DrawingState& s, raster::Rect r, int32_t corner) {
  if (corner & kMoveFromRight) r = {s.PicWidth - r.right, r.top, s.PicWidth - r.left, r.bottom};
  if (corner & kMoveFromBottom) r = {r.left, s.PicHeight - r.bottom, r.right, s.PicHeight - r.top};
  return r;
}

}  // namespace

void PreparePlainMove(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  PrepareMoveTo(s, AlongSize(s, args.direction));
}

bool StepPlainMove(DrawingState& s, const EffectArgs& args) {
  if (Arrived(s)) return true;
  const Direction d = args.direction;
  const int32_t along = s.Limit;
  const int32_t p = s.Position;
  DrawPictureAt(s, TravelBand(s, d, 0, std::min(p, along)), TravelBand(s, d, std::max(along - p, 0), along));
  s.Position += s.Step;
  return false;
}

void PrepareCornerMove(DrawingState& s, const EffectArgs&) {
  ReadPictureSize(s);
  s.Ratio = PictureRatio(s);
  PrepareMoveTo(s, s.PicWidth);
}

bool StepCornerMove(DrawingState& s, const EffectArgs& args) {
  if (Arrived(s)) return true;
  const int32_t w = s.PicWidth;
  const int32_t h = s.PicHeight;
  const int32_t p = s.Position;
  const int32_t down = ScaleByRatio(s, p);
  // From the top-left corner; the other corners mirror both rectangles.
  const raster::Rect src{std::max(w - p, 0), std::max(h - down, 0), w, h};
  const raster::Rect dst{0, 0, std::min(p, w), std::min(down, h)};
  DrawPictureAt(s, Mirrored(s, src, args.variant), Mirrored(s, dst, args.variant));
  s.Position += s.Step;
  return false;
}

void PrepareSplitMove(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  const int32_t half = AlongSize(s, args.direction) / 2;
  (IsVertical(args.direction) ? s.HalfY : s.HalfX) = half;
  PrepareMoveTo(s, half);
}

bool StepSplitMove(DrawingState& s, const EffectArgs& args) {
  if (Arrived(s)) return true;
  const Direction d = args.direction;
  const int32_t along = AlongSize(s, d);
  const int32_t across = AcrossSize(s, d);
  const int32_t half = s.Limit;
  const int32_t p = s.Position;
  DrawPictureAt(s, AxisRect(d, std::max(half - p, 0), half, 0, across), AxisRect(d, 0, std::min(half, p), 0, across));
  DrawPictureAt(s, AxisRect(d, half, std::min(half + p, along), 0, across),
                AxisRect(d, std::max(along - p, half), along, 0, across));
  s.Position += s.Step;
  return false;
}

}  // namespace transitions
