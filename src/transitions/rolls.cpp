#include "transitions/rolls.h"

#include <algorithm>

#include "transitions/effect_drawing.h"
#include "transitions/move_drawing.h"
#include "transitions/stretch_drawing.h"

namespace transitions {

void PrepareRoll(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  s.Position = IsReverse(args.direction) ? AlongSize(s, args.direction) : 0;
}

// The strip only moves on, so the part behind the front needs just its new
// lines, and the back image, laid once beyond the first strip, stays.
bool StepRoll(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  const int32_t along = AlongSize(s, d);
  const int32_t reached = Reached(s, d);
  if (reached >= along) {
    CopyPictureExcept(s, s.PictureBounds(), s.ShownRect);
    return true;
  }
  const int32_t stripEnd = std::min(reached + kRollStrip, along);
  if (reached == 0) RestoreBack(s, BandFromStart(s, d, stripEnd, along));
  const raster::Rect shown = BandFromStart(s, d, 0, reached);
  CopyPictureExcept(s, shown, s.ShownRect);
  s.ShownRect = shown;
  DrawPictureMirrored(s, BandFromStart(s, d, reached, stripEnd), d);
  Advance(s, d, kRollPitch);
  return false;
}

}  // namespace transitions
