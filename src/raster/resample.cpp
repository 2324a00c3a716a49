#include "raster/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace raster {
namespace {

struct Tap {
  int index;  // source position
  float weight;
};

// Per destination position, the weighted source positions that make it.
struct AxisFilter {
  std::vector<std::size_t> first;  // taps of position k are [first[k], first[k + 1])
  std::vector<Tap> taps;
};

// Destination positions [outFrom, outTo) of a mapping of the source span
// [srcFrom, srcFrom + sn) onto the destination span [dstFrom, dstFrom + dn);
// taps are clamped to [tapFrom, tapTo).
AxisFilter BuildAxis(int srcFrom, int64_t sn, int dstFrom, int64_t dn, int outFrom, int outTo, int tapFrom,
                     int tapTo) {
  AxisFilter f;
  const double scale = static_cast<double>(sn) / static_cast<double>(dn);
  auto add = [&](int64_t index, double weight) {
    if (weight <= 0) return;
    const int clamped = static_cast<int>(std::clamp<int64_t>(index, tapFrom, tapTo - 1));
    if (f.taps.size() > f.first.back() && f.taps.back().index == clamped) {
      f.taps.back().weight += static_cast<float>(weight);
    } else {
      f.taps.push_back({clamped, static_cast<float>(weight)});
    }
  };
  for (int x = outFrom; x < outTo; ++x) {
    f.first.push_back(f.taps.size());
    const double i = static_cast<double>(int64_t{x} - dstFrom);
    if (sn > dn) {
      // Average the source pixels under the footprint [i, i + 1) * scale.
      const double lo = i * scale, hi = (i + 1) * scale;
      for (auto j = static_cast<int64_t>(std::floor(lo)); static_cast<double>(j) < hi; ++j) {
        const double w = std::min(hi, static_cast<double>(j + 1)) - std::max(lo, static_cast<double>(j));
        add(srcFrom + j, w / scale);
      }
    } else {
      const double u = (i + 0.5) * scale - 0.5;
      const double j = std::floor(u);
      const double t = u - j;
      add(srcFrom + static_cast<int64_t>(j), 1.0 - t);
      add(srcFrom + static_cast<int64_t>(j) + 1, t);
    }
  }
  f.first.push_back(f.taps.size());
  return f;
}

// The four channels of a pixel in memory order (B, G, R, A) as floats. The
// filter works on all four at once; each channel is computed with the same
// operations in the same order as one at a time would be.
using Floats = float __attribute__((vector_size(16)));
using Ints = int32_t __attribute__((vector_size(16)));

Floats Channels(Pixel p) {
  const Ints v = {static_cast<int32_t>(p & 0xFF), static_cast<int32_t>((p >> 8) & 0xFF),
                  static_cast<int32_t>((p >> 16) & 0xFF), static_cast<int32_t>(p >> 24)};
  return __builtin_convertvector(v, Floats);
}

// The channels of four pixels.
void FourPixels(const Pixel* in, Floats (&out)[4]) {
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  const __m128i lo = _mm_unpacklo_epi8(bytes, zero), hi = _mm_unpackhi_epi8(bytes, zero);
  out[0] = reinterpret_cast<Floats>(_mm_cvtepi32_ps(_mm_unpacklo_epi16(lo, zero)));
  out[1] = reinterpret_cast<Floats>(_mm_cvtepi32_ps(_mm_unpackhi_epi16(lo, zero)));
  out[2] = reinterpret_cast<Floats>(_mm_cvtepi32_ps(_mm_unpacklo_epi16(hi, zero)));
  out[3] = reinterpret_cast<Floats>(_mm_cvtepi32_ps(_mm_unpackhi_epi16(hi, zero)));
#else
  for (int k = 0; k < 4; ++k) out[k] = Channels(in[k]);
#endif
}

// Adds (or with `first`, sets) w times the channels of the n pixels of `in`
// to `acc`.
void BlendRow(Floats* acc, const Pixel* in, int n, float w, bool first) {
  int c = 0;
  for (; c + 4 <= n; c += 4) {
    Floats part[4];
    FourPixels(in + c, part);
    for (int k = 0; k < 4; ++k) acc[c + k] = first ? w * part[k] : acc[c + k] + w * part[k];
  }
  for (; c < n; ++c) acc[c] = first ? w * Channels(in[c]) : acc[c] + w * Channels(in[c]);
}

// Each channel rounded to the nearest integer, halves away from zero, and
// limited to 0..255.
Pixel ToPixel(Floats v) {
  const Floats zero = {0, 0, 0, 0}, top = {255, 255, 255, 255}, half = {0.5f, 0.5f, 0.5f, 0.5f};
  v = v < zero ? zero : v;
  v = v > top ? top : v;
  Ints n = __builtin_convertvector(v, Ints);              // truncated: the floor of v >= 0
  n -= (v - __builtin_convertvector(n, Floats)) >= half;  // a true comparison is -1
#if defined(__SSE2__)
  const __m128i words = _mm_packs_epi32(reinterpret_cast<__m128i>(n), reinterpret_cast<__m128i>(n));
  return static_cast<Pixel>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
#else
  return static_cast<Pixel>(n[0]) | (static_cast<Pixel>(n[1]) << 8) | (static_cast<Pixel>(n[2]) << 16) |
         (static_cast<Pixel>(n[3]) << 24);
#endif
}

}  // namespace

void Resample(const Bitmap& src, const Rect& from, const Rect& taps, const Rect& to, const Rect& out, Bitmap& dst,
              Point at) {
  const AxisFilter xf = BuildAxis(from.left, from.Width(), to.left, to.Width(), out.left, out.right, taps.left,
                                  taps.right);
  const AxisFilter yf = BuildAxis(from.top, from.Height(), to.top, to.Height(), out.top, out.bottom, taps.top,
                                  taps.bottom);
  // Per output row: blend the source rows vertically over the tap columns, then
  // filter that row horizontally.
  const int colFrom = taps.left, cols = taps.Width();
  std::vector<Floats> row(static_cast<std::size_t>(cols));
  constexpr int kChunk = 256;  // columns blended over all taps while they stay in the first-level cache
  for (int oy = 0; oy < out.Height(); ++oy) {
    const std::size_t first = yf.first[oy], last = yf.first[oy + 1];
    if (first == last) std::fill(row.begin(), row.end(), Floats{0, 0, 0, 0});
    for (int c = 0; c < cols; c += kChunk) {
      const int n = std::min(kChunk, cols - c);
      for (std::size_t t = first; t < last; ++t)
        BlendRow(row.data() + c, src.Row(yf.taps[t].index) + colFrom + c, n, yf.taps[t].weight, t == first);
    }
    Pixel* line = dst.Row(at.y + oy) + at.x;
    for (int ox = 0; ox < out.Width(); ++ox) {
      Floats sum = {0, 0, 0, 0};
      for (std::size_t t = xf.first[ox]; t < xf.first[ox + 1]; ++t)
        sum += xf.taps[t].weight * row[static_cast<std::size_t>(xf.taps[t].index - colFrom)];
      line[ox] = ToPixel(sum);
    }
  }
}

}  // namespace raster
