// Dissolve: 6 rounds of column starts (Position 0..5), each with 6 rounds of
// row starts (Counter 0..5). A drawing tick walks the columns from Position
// and, in each, the rows from Counter, with random strides of 0..5 (a stride
// of 0 repeats the column or row), and copies for every row visited the
// pixel up to 5 columns to the right. A seventh tick per column round only
// moves on to the next; the tick after the last round draws the picture.
//
// Frames accumulate on the target, so the pixels are copied onto it directly
// rather than through a copy of the screen image.
#include "transitions/effect_drawing.h"
#include "transitions/grid_effects.h"

namespace transitions {
namespace {

constexpr int32_t kRounds = 6;  // also the range of every random draw

}  // namespace

void PrepareDissolve(DrawingState& s, const EffectArgs&) {
  ReadPictureSize(s);
  s.Position = 0;
  s.Counter = 0;
}

bool StepDissolve(DrawingState& s, const EffectArgs&) {
  if (s.Position >= kRounds) {
    DrawWholePicture(s);
    return true;
  }
  if (s.Counter >= kRounds) {
    s.Counter = 0;
    ++s.Position;
    return false;
  }
  const int32_t w = s.PicWidth, h = s.PicHeight;
  raster::Canvas& canvas = s.Canvas();
  // Strides of 0 only repeat work; a generator that kept drawing 0 would
  // never finish the tick, so the walk gives up after far more steps than a
  // fair generator ever takes (about W * H / 6 on average).
  int64_t budget = 16 * (static_cast<int64_t>(w) * h + w) + 64;
  for (int32_t x = s.Position; x < w && --budget > 0; x += s.Random(kRounds)) {
    for (int32_t y = s.Counter; y < h && --budget > 0; y += s.Random(kRounds)) {
      const int32_t from = x + s.Random(kRounds);
      if (from < w) canvas.CopyPixel({from + s.OriginX, y + s.OriginY}, *s.SourceBitmap, {from, y});
    }
  }
  ++s.Counter;
  return false;
}

}  // namespace transitions
