#include "transitions/blinds.h"

#include "transitions/effect_drawing.h"

namespace transitions {

void PrepareBlind(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  s.Position = IsReverse(args.direction) ? kBlindSize - 1 : 0;
}

namespace {

// Columns Position, Position + 20, ... below W, copied row by row straight into
// the target's rows (one column at a time would visit every row once per column).
void CopyColumns(DrawingState& s) {
  const raster::Bitmap& picture = *s.SourceBitmap;
  const int32_t ox = s.OriginX;
  s.Canvas().EditRuns(s.PicRect(s.PictureBounds()), [&](raster::Pixel* row, int y, int x0, int x1) {
    const raster::Pixel* in = picture.Row(y - s.OriginY);
    const int32_t a = x0 - ox, b = x1 - ox;  // the run in picture columns
    int32_t x = s.Position;
    if (x < a) x += (a - x + kBlindSize - 1) / kBlindSize * kBlindSize;
    for (; x < b; x += kBlindSize) row[x + ox] = in[x];
  });
}

}  // namespace

bool StepBlind(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  const bool reverse = IsReverse(d);
  if (reverse ? s.Position < 0 : s.Position >= kBlindSize) return true;
  if (IsVertical(d)) {
    for (int32_t line = s.Position; line < s.PicHeight; line += kBlindSize)
      CopyPicture(s, {0, line, s.PicWidth, line + 1});
  } else {
    CopyColumns(s);
  }
  s.Position += reverse ? -1 : 1;
  return false;
}

}  // namespace transitions
