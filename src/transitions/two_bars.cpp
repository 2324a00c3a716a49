#include "transitions/two_bars.h"

#include <algorithm>

#include "transitions/effect_drawing.h"
#include "transitions/move_drawing.h"

namespace transitions {
namespace {

Direction Opposite(Direction d) {
  switch (d) {
    case Direction::kDown: return Direction::kUp;
    case Direction::kUp: return Direction::kDown;
    case Direction::kRight: return Direction::kLeft;
    case Direction::kLeft: return Direction::kRight;
  }
  return d;
}

int32_t& Split(DrawingState& s, Direction d) { return IsVertical(d) ? s.HalfX : s.HalfY; }

// One bar, `across0`..`across1`, `p` pixels in from its entry edge. A moving
// bar is drawn whole; a revealed one only from `drawn` pixels in, as what the
// ticks before revealed stays in place.
void DrawBar(DrawingState& s, Direction d, bool move, int32_t p, int32_t drawn, int32_t across0, int32_t across1) {
  const int32_t along = AlongSize(s, d);
  if (move) {
    DrawPictureAt(s, TravelRect(s, d, 0, p, across0, across1), TravelRect(s, d, along - p, along, across0, across1));
    return;
  }
  const raster::Rect dst = TravelRect(s, d, along - p, along - drawn, across0, across1);
  DrawPictureAt(s, dst, dst);
}

}  // namespace

void PrepareTwoBars(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  Split(s, args.direction) = AcrossSize(s, args.direction) / 2 + 1;
  s.Position = 0;
}

bool StepTwoBars(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  const int32_t along = AlongSize(s, d);
  if (s.Position >= along + s.Step) return true;
  const bool move = args.variant == kTwoBarsMove;
  const int32_t p = std::min(s.Position, along);
  const int32_t drawn = std::clamp(s.Position - s.Step, 0, along);  // by the tick before
  const int32_t split = Split(s, d);
  if (move && p == along) {
    DrawWholePicture(s);  // both bars in place: one copy rather than two halves
    s.Position += s.Step;
    return false;
  }
  DrawBar(s, d, move, p, drawn, 0, split);
  DrawBar(s, Opposite(d), move, p, drawn, split, AcrossSize(s, d));
  s.Position += s.Step;
  return false;
}

}  // namespace transitions
