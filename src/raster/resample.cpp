#include "raster/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

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

uint8_t ToByte(float v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

Bitmap Resample(const Bitmap& src, const Rect& from, const Rect& taps, const Rect& to, const Rect& out) {
  const AxisFilter xf = BuildAxis(from.left, from.Width(), to.left, to.Width(), out.left, out.right, taps.left,
                                  taps.right);
  const AxisFilter yf = BuildAxis(from.top, from.Height(), to.top, to.Height(), out.top, out.bottom, taps.top,
                                  taps.bottom);
  Bitmap result(out.Width(), out.Height());
  // Per output row: blend the source rows vertically over the tap columns, then
  // filter that row horizontally.
  const int colFrom = taps.left, cols = taps.Width();
  std::vector<float> row(static_cast<std::size_t>(cols) * 4);
  for (int oy = 0; oy < out.Height(); ++oy) {
    std::fill(row.begin(), row.end(), 0.0f);
    for (std::size_t t = yf.first[oy]; t < yf.first[oy + 1]; ++t) {
      const Pixel* in = src.Row(yf.taps[t].index) + colFrom;
      const float w = yf.taps[t].weight;
      for (int c = 0; c < cols; ++c) {
        const Pixel p = in[c];
        float* acc = &row[static_cast<std::size_t>(c) * 4];
        acc[0] += w * PixelB(p);
        acc[1] += w * PixelG(p);
        acc[2] += w * PixelR(p);
        acc[3] += w * PixelA(p);
      }
    }
    Pixel* dst = result.Row(oy);
    for (int ox = 0; ox < out.Width(); ++ox) {
      float b = 0, g = 0, r = 0, a = 0;
      for (std::size_t t = xf.first[ox]; t < xf.first[ox + 1]; ++t) {
        const float* acc = &row[static_cast<std::size_t>(xf.taps[t].index - colFrom) * 4];
        const float w = xf.taps[t].weight;
        b += w * acc[0];
        g += w * acc[1];
        r += w * acc[2];
        a += w * acc[3];
      }
      dst[ox] = MakePixel(ToByte(r), ToByte(g), ToByte(b), ToByte(a));
    }
  }
  return result;
}

}  // namespace raster
