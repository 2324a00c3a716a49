// Dissolve: 6 rounds of column starts (Position 0..5), each with 6 rounds of
// row starts (Counter 0..5). A drawing tick walks the columns from Position
// and, in each, the rows from Counter, with random strides of 0..5 (a stride
// of 0 repeats the column or row), and copies for every row visited the
// pixel up to 5 columns to the right. A seventh tick per column round only
// moves on to the next; the tick after the last round draws the picture.
//
// Frames accumulate on the target, so the pixels are copied onto it directly
// rather than through a copy of the screen image. The walk only marks them in
// a bit mask (a 32nd of the picture's size); they are copied afterwards row by
// row, straight into the target's rows, because copying them in the walk's
// column order would touch another row, cache line and memory page with every
// pixel.
#include <bit>
#include <cstdint>
#include <vector>

#include "transitions/effect_drawing.h"
#include "transitions/grid_effects.h"

namespace transitions {
namespace {

constexpr int32_t kRounds = 6;  // also the range of every random draw

// Copies the marked pixels (inside `bounds`, picture coordinates) of every row
// straight into the target's row.
void CopyMarked(DrawingState& s, const std::vector<uint64_t>& marked, size_t wordsPerRow, const raster::Rect& bounds) {
  const raster::Bitmap& picture = *s.SourceBitmap;
  const int32_t ox = s.OriginX;
  s.Canvas().EditRuns(s.PicRect(bounds), [&](raster::Pixel* row, int y, int x0, int x1) {
    const int32_t py = y - s.OriginY;
    const raster::Pixel* in = picture.Row(py);
    const uint64_t* words = &marked[static_cast<size_t>(py) * wordsPerRow];
    const int32_t a = x0 - ox, b = x1 - ox;  // the run in picture columns
    for (int32_t word = a / 64; word * 64 < b; ++word) {
      uint64_t bits = words[word];
      if (word * 64 < a) bits &= ~0ull << (a % 64);                       // columns left of the run
      if ((word + 1) * 64 > b) bits &= ~0ull >> (64 - (b - word * 64));  // columns right of it
      for (; bits != 0; bits &= bits - 1) {
        const int32_t px = word * 64 + std::countr_zero(bits);
        row[px + ox] = in[px];
      }
    }
  });
}

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
  const auto wordsPerRow = static_cast<size_t>((w + 63) / 64);
  std::vector<uint64_t> marked(wordsPerRow * static_cast<size_t>(h), 0);
  // Strides of 0 only repeat work; a generator that kept drawing 0 would
  // never finish the tick, so the walk gives up after far more steps than a
  // fair generator ever takes (about W * H / 6 on average).
  int64_t budget = 16 * (static_cast<int64_t>(w) * h + w) + 64;
  for (int32_t x = s.Position; x < w && --budget > 0; x += s.Random(kRounds)) {
    for (int32_t y = s.Counter; y < h && --budget > 0; y += s.Random(kRounds)) {
      const int32_t from = x + s.Random(kRounds);  // a column past the picture is left out
      if (from < w) marked[static_cast<size_t>(y) * wordsPerRow + static_cast<size_t>(from / 64)] |= 1ull << (from % 64);
    }
  }
  // Every marked pixel lies right of Position and below Counter.
  const raster::Rect walked{s.Position, s.Counter, w, h};
  if (!walked.IsEmpty()) CopyMarked(s, marked, wordsPerRow, walked);
  ++s.Counter;
  return false;
}

}  // namespace transitions
