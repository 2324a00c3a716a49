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
// The generator ends every tick exactly where one draw at a time would leave
// it (unless the walk gives up on a generator that keeps drawing 0, see
// below). The program's generator has the next tick's numbers made during a
// tick's copy, which waits on memory and leaves the vector units idle; they
// are used if nothing else draws in between, and the generator is then set
// past the ones used. Any other generator is drawn from in batches, each no
// longer than what the walk is certain to use from where it stands.
#include <algorithm>
#include <array>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "base/random_ahead.h"
#include "base/random_ahead_steps.h"
#include "raster/marked_copy.h"
#include "transitions/effect_drawing.h"
#include "transitions/grid_effects.h"

namespace transitions {
namespace {

constexpr int32_t kRounds = 6;               // also the range of every random draw
constexpr int64_t kLongest = kRounds - 1;    // the longest stride

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

// The walk's numbers, read a stretch at a time: number i of a stretch lies at
// i * kStride from its first. From a SeededRandom they come from the numbers
// made ahead (mostly during the last tick's copy), and the generator is set
// past the used ones at the end; from any other generator they are drawn in
// batches, each no longer than what the walk is certain to use from where it
// stands, and laid out the same way.
class Draws {
 public:
  static constexpr ptrdiff_t kStride = base::RandomAhead::kStride;

  Draws(base::Random& random, base::RandomAhead* ahead) : random_(random), ahead_(ahead) {}
  // The next draw; `certain()` is asked, when a batch is used up, how many
  // draws the walk takes for sure from here on.
  template <class Certain>
  int32_t Take(const Certain& certain) {
    if (left_ == 0) NextStretch(certain());
    const int32_t value = *next_;
    next_ += kStride;
    --left_;
    return value;
  }
  // The next n draws when the stretch still holds them, else nullptr.
  const uint8_t* TakeHeld(ptrdiff_t n) {
    if (left_ < n) return nullptr;
    const uint8_t* held = next_;
    next_ += n * kStride;
    left_ -= n;
    return held;
  }
  // Sets a SeededRandom past the draws taken; how many were taken from it.
  int64_t Finish() {
    if (ahead_ == nullptr || block_ == nullptr) return 0;
    const size_t inStretch = static_cast<size_t>((next_ - (block_ + stretch_)) / kStride);
    const size_t used =
        blocks_ * base::RandomAhead::kBlock + static_cast<size_t>(stretch_) * kStretchLength + inStretch;
    ahead_->Advance(static_cast<base::SeededRandom&>(random_), used);
    return static_cast<int64_t>(used);
  }

 private:
  static constexpr ptrdiff_t kStretchLength = base::RandomAhead::kStretchLength;

  void NextStretch(int64_t certain) {
    if (block_ != nullptr && stretch_ + 1 < base::RandomAhead::kLanes &&
        (stretch_ + 1) * kStretchLength < available_) {
      ++stretch_;
    } else {
      if (block_ != nullptr) ++blocks_;
      stretch_ = 0;
      if (ahead_ != nullptr) {
        block_ = ahead_->Block(blocks_);
        available_ = static_cast<ptrdiff_t>(base::RandomAhead::kBlock);
      } else {
        available_ = static_cast<ptrdiff_t>(std::clamp<int64_t>(certain, 1, base::RandomAhead::kBlock));
        drawn_.resize(static_cast<size_t>(available_));
        random_.Fill(kRounds, drawn_);
        laid_.resize(base::RandomAhead::kBlock);
        for (ptrdiff_t n = 0; n < available_; ++n)
          laid_[static_cast<size_t>(n % kStretchLength * kStride + n / kStretchLength)] =
              static_cast<uint8_t>(drawn_[static_cast<size_t>(n)]);
        block_ = laid_.data();
      }
    }
    next_ = block_ + stretch_;
    left_ = std::min(kStretchLength, available_ - stretch_ * kStretchLength);
  }

  base::Random& random_;
  base::RandomAhead* const ahead_;
  std::vector<int32_t> drawn_;  // a batch of another generator's draws
  std::vector<uint8_t> laid_;   // and laid out as a block
  const uint8_t* block_ = nullptr;
  size_t blocks_ = 0;  // blocks used up before this one
  ptrdiff_t available_ = 0;
  ptrdiff_t stretch_ = 0;
  // A pointer rather than an index: the walk's stores of 64-bit marks cannot
  // change it, so it stays in a register.
  const uint8_t* next_ = nullptr;
  ptrdiff_t left_ = 0;
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

#if defined(BASE_HAS_X86_KERNELS)
// A row of CopyMarked that also makes `steps` steps of the numbers ahead,
// spread evenly over its 64-pixel words: the copy waits on memory, and the
// steps keep the processor's vector units busy meanwhile.
__attribute__((target("avx512f,avx512dq"))) void CopyRowMakingAhead(const raster::Pixel* from, raster::Pixel* to,
                                                                    raster::RowMarks marks, int32_t begin,
                                                                    int32_t end, base::RandomAhead& ahead,
                                                                    int64_t steps) {
  base::RandomAhead::Lanes lanes = ahead.TakeLanes();
  base::AheadRegisters r = base::LoadAhead(lanes, ahead.Range());
  const int32_t first = begin / 64, words = (end - 1) / 64 - first + 1;
  int64_t due = 0;  // steps owed, times `words`
  for (int32_t word = first; word * 64 < end; ++word) {
    raster::CopyMarkedWord512(from + word * 64, to + word * 64, raster::SpanBits(marks, word, begin, end));
    for (due += steps; due >= words; due -= words) {
      if (r.step == base::RandomAhead::kStretchLength) {
        base::StoreAhead(r, lanes);
        ahead.ReturnLanes(lanes);
        lanes = ahead.TakeLanes();
        r = base::LoadAhead(lanes, ahead.Range());
      }
      base::StepAhead(r);
    }
  }
  base::StoreAhead(r, lanes);
  ahead.ReturnLanes(lanes);
}
#endif

// CopyMarked, making about `numbers` of the numbers ahead on the way where
// the processor can (else they are made when the next tick asks for them).
void CopyMarkedMakingAhead(DrawingState& s, const std::vector<uint64_t>& marks, const raster::Rect& bounds,
                           base::RandomAhead& ahead, int64_t numbers) {
#if defined(BASE_HAS_X86_KERNELS)
  if (base::RandomAhead::Available()) {
    int64_t steps = numbers / base::RandomAhead::kLanes + 1, rows = bounds.Height();
    const raster::Bitmap& picture = *s.SourceBitmap;
    const int32_t ox = s.OriginX, oy = s.OriginY;
    const size_t h = static_cast<size_t>(s.PicHeight);
    s.Canvas().EditRuns(s.PicRect(bounds), [&](raster::Pixel* row, int y, int x0, int x1) {
      const int32_t py = y - oy;
      const int64_t share = rows > 0 ? (steps + rows - 1) / rows : 0;  // an even share of what is left
      CopyRowMakingAhead(picture.Row(py), row + ox, raster::RowMarks{marks.data() + py, h}, x0 - ox, x1 - ox, ahead,
                         share);
      steps -= share;
      --rows;
    });
    return;
  }
#endif
  (void)ahead;
  (void)numbers;
  CopyMarked(s, marks, bounds);
}

// The program's generator, where its numbers can be made ahead.
base::SeededRandom* AheadFor(const DrawingState& s) {
  return base::RandomAhead::Available() ? dynamic_cast<base::SeededRandom*>(s.Rng) : nullptr;
}

// About how many draws a tick takes: two per row visit, with strides of 2.5
// on average across and down.
size_t ExpectedDraws(const DrawingState& s) {
  const double columns = std::max(0, s.PicWidth - s.Position) / 2.5, rows = std::max(0, s.PicHeight - s.Counter) / 2.5;
  return static_cast<size_t>(2.0 * columns * rows);
}

}  // namespace

void PrepareDissolve(DrawingState& s, const EffectArgs&) {
  ReadPictureSize(s);
  s.Position = 0;
  s.Counter = 0;
  // The marks' memory is mapped in now rather than by the first tick.
  s.PixelMarks.assign(static_cast<size_t>((s.PicWidth + 63) / 64) * static_cast<size_t>(s.PicHeight), 0);
  // The first tick's numbers are made now, as every later tick's are made
  // during the copy of the tick before.
  if (base::SeededRandom* const seeded = AheadFor(s)) {
    const size_t expected = ExpectedDraws(s);
    s.NumbersAhead.Begin(*seeded, kRounds, expected);
    s.NumbersAhead.Block(expected / base::RandomAhead::kBlock);
  }
}

bool StepDissolve(DrawingState& s, const EffectArgs&) {
  if (s.Position >= kRounds) {
    std::vector<uint64_t>().swap(s.PixelMarks);
    s.NumbersAhead.Clear();
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
  // From the program's generator the numbers come from those made ahead.
  base::SeededRandom* const seeded = AheadFor(s);
  if (seeded != nullptr && !s.NumbersAhead.Continues(*seeded, kRounds))
    s.NumbersAhead.Begin(*seeded, kRounds, ExpectedDraws(s));
  Draws draws(*s.Rng, seeded != nullptr ? &s.NumbersAhead : nullptr);
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
    ptrdiff_t y = s.Counter;  // as wide as a pointer: no widening on each visit
    // Eight visits at a time while they stay inside the picture and the
    // stretch of numbers, with no check between them; then one at a time.
    const auto visits = [&](auto twoWordsTag) {
      constexpr ptrdiff_t kStride = Draws::kStride;
      const auto visit = [&](const uint8_t* d) {
        column[y] |= firstBit << d[0];
        if constexpr (decltype(twoWordsTag)::value) nextColumn[y] |= carried[d[0]];
        y += d[kStride];
      };
      const uint8_t* d;
      while (y + 8 * kLongest < h && budget > 8 && (d = draws.TakeHeld(16)) != nullptr) {
        for (int k = 0; k < 16; k += 2) visit(d + k * kStride);
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
      // One visit that works everywhere: at a stretch's end (it takes the
      // next stretch, and the loops above go on with it), at the picture's
      // right edge.
      const int32_t from = x + draws.Take([&] { return reach.AtVisit(x, y); });
      if (from < w) mark[static_cast<size_t>(from / 64 * h + y)] |= 1ull << (from % 64);
      y += draws.Take([&] { return reach.AtRowStride(x, y); });
    }
    x += draws.Take([&] { return reach.AtColumnStride(x); });
  }
  const int64_t used = draws.Finish();
  // Every marked pixel lies right of Position and below Counter.
  const raster::Rect walked{s.Position, s.Counter, w, h};
  if (seeded != nullptr) {
    // The next tick's numbers, as many as this one's and a little more (the
    // number of draws varies by a few per cent from tick to tick), made
    // during the copy.
    const int64_t next = used + used / 20;
    s.NumbersAhead.Begin(*seeded, kRounds, static_cast<size_t>(next));
    if (!walked.IsEmpty()) CopyMarkedMakingAhead(s, marks, walked, s.NumbersAhead, next);
  } else if (!walked.IsEmpty()) {
    CopyMarked(s, marks, walked);
  }
  ++s.Counter;
  return false;
}

}  // namespace transitions
