#include "transitions/combs.h"

#include <algorithm>

#include "raster/bitmap.h"
#include "raster/canvas.h"
#include "transitions/effect_drawing.h"
#include "transitions/move_drawing.h"

namespace transitions {
namespace {

// Rows composed per block copy on the column comb.
constexpr int32_t kComposeRows = 32;

int32_t& Half(DrawingState& s, Direction d) { return IsVertical(d) ? s.HalfY : s.HalfX; }

// Calls f(picture line, shown line) for every line of `n` that shows the
// picture at shift `shift` and position `p`; lines outside 0..n-1 are left out.
template <class F>
void ForEachCombLine(int32_t n, int32_t shift, int32_t p, F&& f) {
  for (int32_t g = 0; g <= p && shift + 2 * g < n; ++g) f(shift + 2 * g, 2 * g);
  for (int32_t g = 0; g <= p && shift + 2 * g + 1 < n; ++g) f(2 * g + 1, shift + 2 * g + 1);
}

// Rows move whole: one block copy per row.
void DrawRowComb(DrawingState& s, int32_t shift, int32_t p) {
  const int32_t w = s.PicWidth;
  ForEachCombLine(s.PicHeight, shift, p, [&](int32_t from, int32_t to) {
    DrawPictureAt(s, {0, from, w, from + 1}, {0, to, w, to + 1});
  });
}

// Columns are interleaved pixel by pixel: blocks of rows are read from the
// target, the picture's columns are put in, and the block is copied back.
void DrawColumnComb(DrawingState& s, int32_t shift, int32_t p) {
  const int32_t w = s.PicWidth;
  const int32_t h = s.PicHeight;
  int32_t lo = w;
  int32_t hi = 0;
  ForEachCombLine(w, shift, p, [&](int32_t, int32_t to) {
    lo = std::min(lo, to);
    hi = std::max(hi, to + 1);
  });
  if (lo >= hi) return;
  raster::Bitmap block(hi - lo, std::min(kComposeRows, h));
  raster::Canvas blockCanvas(block);
  const raster::Bitmap& picture = *s.SourceBitmap;
  for (int32_t y0 = 0; y0 < h; y0 += kComposeRows) {
    const int32_t rows = std::min(kComposeRows, h - y0);
    const raster::Rect onTarget = s.PicRect(lo, y0, hi, y0 + rows);
    blockCanvas.Blit({0, 0}, s.Canvas().Target(), onTarget);
    for (int32_t r = 0; r < rows; ++r) {
      raster::Pixel* out = block.Row(r);
      const raster::Pixel* in = picture.Row(y0 + r);
      ForEachCombLine(w, shift, p, [&](int32_t from, int32_t to) { out[to - lo] = in[from]; });
    }
    s.Canvas().Blit({onTarget.left, onTarget.top}, block, {0, 0, hi - lo, rows});
  }
}

}  // namespace

void PrepareComb(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  Half(s, args.direction) = AlongSize(s, args.direction) / 2 + 1;
  s.Position = 0;
}

// The lines that show the back image stay the same from tick to tick, so the
// back image is laid once and only the picture's lines are drawn after that.
bool StepComb(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  const int32_t half = Half(s, d);
  const int32_t p = s.Position;
  if (p > half) return true;
  if (p == 0) RestoreBack(s, s.PictureBounds());
  const int32_t shift = 2 * half - 2 * p;
  if (IsVertical(d)) {
    DrawRowComb(s, shift, p);
  } else {
    DrawColumnComb(s, shift, p);
  }
  s.Position += 1;
  return false;
}

}  // namespace transitions
