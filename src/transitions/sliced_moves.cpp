#include "transitions/sliced_moves.h"

#include <algorithm>

#include "transitions/effect_drawing.h"
#include "transitions/move_drawing.h"

namespace transitions {

int32_t MoveSliceSize(int32_t along) { return along / kMoveSlices + 1; }

void PrepareSlicedMove(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  s.Counter = 1;
  s.Position = 0;
  s.Step = std::min(s.Step, MoveSliceSize(AlongSize(s, args.direction)));
}

bool StepSlicedMove(DrawingState& s, const EffectArgs& args) {
  if (s.Counter > kMoveSlices) return true;
  // Told for the travel to the left: slices are placed from x = 0 on, and the
  // moving slice's right edge lies at along - Position.
  const Direction d = args.direction;
  const int32_t along = AlongSize(s, d);
  const int32_t size = MoveSliceSize(along);
  const int32_t place = std::min((s.Counter - 1) * size, along - size);
  const int32_t right = along - s.Position;
  RestoreBack(s, TravelBand(s, d, std::max(right, 0), std::min(right + s.Step, along)));
  const raster::Rect slice = TravelBand(s, d, place, place + size);
  if (right - size > place) {
    DrawPictureAt(s, slice, TravelBand(s, d, right - size, right));
  } else {
    DrawPictureAt(s, slice, slice);
    s.Position = -s.Step;
    ++s.Counter;
  }
  s.Position += s.Step;
  return false;
}

}  // namespace transitions
