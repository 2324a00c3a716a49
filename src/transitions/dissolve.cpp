// Dissolve: 6 rounds of column starts (Position 0..5), each with 6 rounds of
// row starts (Counter 0..5). A drawing tick walks the columns from Position
// and, in each, the rows from Counter, with random strides of 0..5 (a stride
// of 0 repeats the column or row), and copies for every row visited the
// pixel up to 5 columns to the right. A seventh tick per column round only
// moves on to the next; the tick after the last round draws the picture.
//
// Frames accumulate on the target, so the pixels are copied onto it directly
// rather than through a copy of the screen image. The walk only marks them,
// in one column of words per 64 picture columns, so that the marks of a
// column's walk fall on neighbouring words; they are copied afterwards row by
// row, straight into the target's rows.
//
// The walk takes its random numbers from the generator in batches, each no
// longer than what the walk is certain to use from where it stands, so the
// generator ends the tick exactly where one draw at a time would leave it
// (unless the walk gives up on a generator that keeps drawing 0, see below).
#include <algorithm>
#include <array>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "raster/marked_copy.h"
#include "transitions/effect_drawing.h"
#include "transitions/grid_effects.h"

namespace transitions {
namespace {

constexpr int32_t kRounds = 6;               // also the range of every random draw
constexpr int64_t kLongest = kRounds - 1;    // the longest stride
constexpr int64_t kBatch = 4096;

int64_t CeilDiv(int64_t a, int64_t b) { return a <= 0 ? 0 : (a + b - 1) / b; }

// How many draws the walk takes for sure from a point of it: two for every
// row visit that strides of 5 cannot skip, one for each column's stride, and
// the same again for every later column that strides of 5 cannot skip.
struct Reach {
  int64_t w, h, firstRow;

  int64_t Visits(int64_t fromRow) const { return CeilDiv(h - fromRow, kLongest); }
  int64_t LaterColumns(int64_t x) const {
    return std::max<int64_t>(0, CeilDiv(w - x, kLongest) - 1) * (2 * Visits(firstRow) + 1);
  }
  // Before the draw that picks the pixel of the visit at row y.
  int64_t AtVisit(int64_t x, int64_t y) const { return 2 * Visits(y) + 1 + LaterColumns(x); }
  // Before the draw of the stride that leaves row y.
  int64_t AtRowStride(int64_t x, int64_t y) const { return 1 + 2 * Visits(y + kLongest) + 1 + LaterColumns(x); }
  // Before the draw of the stride that leaves column x.
  int64_t AtColumnStride(int64_t x) const { return 1 + LaterColumns(x); }
};

class Draws {
 public:
  explicit Draws(base::Random& random) : random_(random) {}
  // The next draw; `certain()` is asked, when a batch is used up, how many
  // draws the walk takes for sure from here on.
  template <class Certain>
  int32_t Take(const Certain& certain) {
    if (next_ == end_) {
      batch_.resize(static_cast<size_t>(std::clamp<int64_t>(certain(), 1, kBatch)));
      random_.Fill(kRounds, batch_);
      next_ = batch_.data();
      end_ = next_ + batch_.size();
    }
    return *next_++;
  }
  // The next n draws when the batch still holds them, else nullptr.
  const int32_t* TakeHeld(ptrdiff_t n) {
    if (end_ - next_ < n) return nullptr;
    const int32_t* held = next_;
    next_ += n;
    return held;
  }

 private:
  base::Random& random_;
  std::vector<int32_t> batch_;
  // Pointers rather than an index: the walk's stores of 64-bit marks cannot
  // change them, so they stay in registers.
  const int32_t* next_ = nullptr;
  const int32_t* end_ = nullptr;
};

// Copies the marked pixels (inside `bounds`, picture coordinates) of every row
// straight into the target's row. Bit x % 64 of word (x / 64) * H + y marks
// pixel (x, y).
void CopyMarked(DrawingState& s, const std::vector<uint64_t>& marks, const raster::Rect& bounds) {
  static const raster::MarkedCopy copy = raster::PickMarkedCopy();
  const raster::Bitmap& picture = *s.SourceBitmap;
  const int32_t ox = s.OriginX, oy = s.OriginY;
  const size_t h = static_cast<size_t>(s.PicHeight);
  s.Canvas().EditRuns(s.PicRect(bounds), [&](raster::Pixel* row, int y, int x0, int x1) {
    const int32_t py = y - oy;
    copy(picture.Row(py), row + ox, raster::RowMarks{marks.data() + py, h}, x0 - ox, x1 - ox);
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
    std::vector<uint64_t>().swap(s.PixelMarks);
    DrawWholePicture(s);
    return true;
  }
  if (s.Counter >= kRounds) {
    s.Counter = 0;
    ++s.Position;
    return false;
  }
  const int32_t w = s.PicWidth, h = s.PicHeight;
  std::vector<uint64_t>& marks = s.PixelMarks;
  marks.assign(static_cast<size_t>((w + 63) / 64) * static_cast<size_t>(h), 0);
  uint64_t* const mark = marks.data();
  const Reach reach{w, h, s.Counter};
  Draws draws(*s.Rng);
  // Strides of 0 only repeat work; a generator that kept drawing 0 would
  // never finish the tick, so the walk gives up after far more steps than a
  // fair generator ever takes (about W * H / 6 on average).
  int64_t budget = 16 * (static_cast<int64_t>(w) * h + w) + 64;
  for (int32_t x = s.Position; x < w && --budget > 0;) {
    // The column's marks: its pixels fall into one word of a row or, near a
    // word's end, into two, the next word taking the bits past the first's.
    uint64_t* const column = mark + static_cast<size_t>(x / 64) * static_cast<size_t>(h);
    uint64_t* const nextColumn = column + h;
    const int32_t bit = x % 64;
    const uint64_t firstBit = 1ull << bit;
    std::array<uint64_t, kRounds> carried{};  // by offset; 0 where the first word takes it
    for (int32_t offset = 64 - bit; offset < kRounds; ++offset)
      carried[static_cast<size_t>(offset)] = 1ull << (bit + offset - 64);
    const bool insidePicture = x + kLongest < w, twoWords = bit + kLongest >= 64;
    int32_t y = s.Counter;
    // Eight visits at a time while they stay inside the picture and the
    // batch, with no check between them; then one at a time.
    const auto visits = [&](auto twoWordsTag) {
      const auto visit = [&](const int32_t* d) {
        column[y] |= firstBit << d[0];
        if constexpr (decltype(twoWordsTag)::value) nextColumn[y] |= carried[static_cast<size_t>(d[0])];
        y += d[1];
      };
      const int32_t* d;
      while (y + 8 * kLongest < h && budget > 8 && (d = draws.TakeHeld(16)) != nullptr) {
        for (int k = 0; k < 16; k += 2) visit(d + k);
        budget -= 8;
      }
      while (y < h && budget > 1 && (d = draws.TakeHeld(2)) != nullptr) {
        visit(d);
        --budget;
      }
    };
    while (y < h) {
      if (insidePicture) {
        if (twoWords) {
          visits(std::true_type{});
        } else {
          visits(std::false_type{});
        }
      }
      if (y >= h || --budget <= 0) break;
      // One visit that works everywhere: at the batch's end (it takes the
      // next batch, and the loops above go on with it), at the picture's
      // right edge.
      const int32_t from = x + draws.Take([&] { return reach.AtVisit(x, y); });
      if (from < w) mark[static_cast<size_t>(from / 64 * h + y)] |= 1ull << (from % 64);
      y += draws.Take([&] { return reach.AtRowStride(x, y); });
    }
    x += draws.Take([&] { return reach.AtColumnStride(x); });
  }
  // Every marked pixel lies right of Position and below Counter.
  const raster::Rect walked{s.Position, s.Counter, w, h};
  if (!walked.IsEmpty()) CopyMarked(s, marks, walked);
  ++s.Counter;
  return false;
}

}  // namespace transitions
