#include "transitions/combs.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/vector_intrinsics.h"
#include "raster/bitmap.h"
#include "raster/canvas.h"
#include "transitions/effect_drawing.h"
#include "transitions/move_drawing.h"

namespace transitions {
namespace {

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

// Writes picture row `in` into target row `out` over picture columns u..v-1,
// at whose every even column kEven puts picture column + shift and at every
// odd one kOdd puts column - shift; the other pixels are left as they are.
// `Group` writes the columns t .. t + kGroup - 1 from an even t; the columns
// a whole group does not cover are written one by one. The groups run
// forward even where a source lies just below the target modulo 4 KiB:
// running such spans from their end, as a plain copy does, was measured to
// cost more than the loads' wait on the stores, with either group width (up
// to half as much again at the comb's last ticks).
template <bool kEven, bool kOdd, int kGroup, class Group>
inline void InterleaveSpan(raster::Pixel* out, const raster::Pixel* in, int32_t shift, int32_t u, int32_t v,
                           Group group) {
  const auto pixel = [&](int32_t t) {
    if ((t & 1) ? kOdd : kEven) out[t] = in[(t & 1) ? t - shift : t + shift];
  };
  if (u & 1) pixel(u++);
  const int32_t groups = (v - u) / kGroup;
  for (int32_t t = u + kGroup * groups; t < v; ++t) pixel(t);
  for (int32_t g = 0; g < groups; ++g) group(u + kGroup * g);
}

// Four pixels per store; a parity not written is loaded from the target.
template <bool kEven, bool kOdd>
void InterleaveSpanQuads(raster::Pixel* out, const raster::Pixel* in, int32_t shift, int32_t u, int32_t v) {
  InterleaveSpan<kEven, kOdd, 4>(out, in, shift, u, v, [=](int32_t t) {
    const raster::Pixel* evens = kEven ? in + t + shift : out + t;
    const raster::Pixel* odds = kOdd ? in + t - shift : out + t;
#if defined(__SSE2__)
    const __m128i oddLanes = _mm_set_epi32(-1, 0, -1, 0);
    const __m128i e = _mm_loadu_si128(reinterpret_cast<const __m128i*>(evens));
    const __m128i o = _mm_loadu_si128(reinterpret_cast<const __m128i*>(odds));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + t),
                     _mm_or_si128(_mm_and_si128(oddLanes, o), _mm_andnot_si128(oddLanes, e)));
#else
    const raster::Pixel q[4] = {evens[0], odds[1], evens[2], odds[3]};
    std::memcpy(out + t, q, sizeof q);
#endif
  });
}

#if defined(BASE_HAS_X86_KERNELS)
// Sixteen pixels per store, a parity not written masked off.
template <bool kEven, bool kOdd>
__attribute__((target("avx512f"))) void InterleaveSpan512(raster::Pixel* out, const raster::Pixel* in, int32_t shift,
                                                          int32_t u, int32_t v) {
  InterleaveSpan<kEven, kOdd, 16>(out, in, shift, u, v, [=](int32_t t) __attribute__((target("avx512f"))) {
    constexpr __mmask16 kOddLanes = 0xAAAA;
    if constexpr (kEven && kOdd) {
      _mm512_storeu_si512(out + t, _mm512_mask_blend_epi32(kOddLanes, _mm512_loadu_si512(in + t + shift),
                                                           _mm512_loadu_si512(in + t - shift)));
    } else if constexpr (kEven) {
      _mm512_mask_storeu_epi32(out + t, static_cast<__mmask16>(~kOddLanes), _mm512_loadu_si512(in + t + shift));
    } else {
      _mm512_mask_storeu_epi32(out + t, kOddLanes, _mm512_loadu_si512(in + t - shift));
    }
  });
}
#endif

template <bool kEven, bool kOdd>
void InterleaveSpan(raster::Pixel* out, const raster::Pixel* in, int32_t shift, int32_t u, int32_t v) {
#if defined(BASE_HAS_X86_KERNELS)
  if (base::HasAvx512()) {
    InterleaveSpan512<kEven, kOdd>(out, in, shift, u, v);
    return;
  }
#endif
  InterleaveSpanQuads<kEven, kOdd>(out, in, shift, u, v);
}

// Columns are interleaved pixel by pixel, straight in the target's rows: even
// lines below evenEnd show picture line + shift, odd lines from shift + 1 up
// to oddEnd show picture line - shift (the lines ForEachCombLine lists).
void DrawColumnComb(DrawingState& s, int32_t shift, int32_t p) {
  const int32_t w = s.PicWidth;
  const int32_t evenEnd = std::min(2 * p + 1, w - shift);
  const int32_t oddBegin = shift + 1;
  const int32_t oddEnd = std::min(shift + 2 * p + 2, w);
  int32_t lo = w;
  int32_t hi = 0;
  if (evenEnd > 0) lo = 0, hi = ((evenEnd - 1) & ~1) + 1;
  if (oddBegin < oddEnd) lo = std::min(lo, oddBegin), hi = std::max(hi, oddEnd - ((oddEnd - oddBegin + 1) & 1));
  if (lo >= hi) return;
  const raster::Bitmap& picture = *s.SourceBitmap;
  const int32_t ox = s.OriginX;
  s.Canvas().EditRuns(s.PicRect(lo, 0, hi, s.PicHeight), [&](raster::Pixel* row, int y, int x0, int x1) {
    const raster::Pixel* in = picture.Row(y - s.OriginY);
    const int32_t a = x0 - ox, b = x1 - ox;  // the run in picture columns
    // Stretches of the run between the bounds of the even and the odd lines.
    int32_t cuts[] = {a, b, evenEnd, oddBegin, oddEnd};
    std::sort(std::begin(cuts), std::end(cuts));
    for (size_t i = 0; i + 1 < std::size(cuts); ++i) {
      const int32_t u = std::max(cuts[i], a), v = std::min(cuts[i + 1], b);
      if (u >= v) continue;
      const bool even = u < evenEnd, odd = u >= oddBegin && u < oddEnd;
      if (even && odd) InterleaveSpan<true, true>(row + ox, in, shift, u, v);
      if (even && !odd) InterleaveSpan<true, false>(row + ox, in, shift, u, v);
      if (!even && odd) InterleaveSpan<false, true>(row + ox, in, shift, u, v);
    }
  });
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
