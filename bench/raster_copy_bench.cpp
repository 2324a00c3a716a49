// Block copies at screen size, side by side with a plain memcpy of the same
// bytes. The "vs_memcpy" counter is the copy's processor time per frame divided
// by the best memcpy time of the same byte count, so 1.0 means memcpy speed
// (processor time, because the machine may be shared).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstring>
#include <vector>

#include "raster/canvas.h"

namespace {

using raster::Bitmap;
using raster::Canvas;
using raster::Rect;
using raster::Region;

struct Size {
  int w, h;
};
constexpr Size kSizes[] = {{1920, 1080}, {3840, 2160}};

Bitmap Pattern(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.At(x, y) = static_cast<raster::Pixel>(x * 2654435761u ^ y);
  return b;
}

// Seconds per memcpy of w * h pixels, the best of a few rounds.
double MemcpySeconds(int w, int h) {
  const size_t bytes = static_cast<size_t>(w) * h * sizeof(raster::Pixel);
  std::vector<char> a(bytes, 1), b(bytes, 2);
  double best = 1e9;
  for (int round = 0; round < 5; ++round) {
    const std::clock_t start = std::clock();
    constexpr int kReps = 20;
    for (int i = 0; i < kReps; ++i) {
      std::memcpy(b.data(), a.data(), bytes);
      benchmark::DoNotOptimize(b.data());
      benchmark::ClobberMemory();
    }
    best = std::min(best, static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC / kReps);
  }
  return best;
}

// A region of 200 rectangles: a 20 x 10 grid of cells, each inset by a few
// pixels, covering most of the frame (like the grid and band effects).
Region GridRegion(int w, int h) {
  std::vector<Rect> cells;
  const int cw = w / 20, ch = h / 10;
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 20; ++c) cells.push_back({c * cw + 2, r * ch + 2, (c + 1) * cw - 2, (r + 1) * ch - 2});
  return Region::FromRects(cells);
}

void ReportRatio(benchmark::State& state, std::clock_t start, int w, int h) {
  const double perFrame =
      static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC / static_cast<double>(state.iterations());
  state.counters["vs_memcpy"] = perFrame / MemcpySeconds(w, h);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * w * h * 4);
}

void BM_Memcpy(benchmark::State& state) {
  const Size s = kSizes[state.range(0)];
  const size_t bytes = static_cast<size_t>(s.w) * s.h * 4;
  std::vector<char> a(bytes, 1), b(bytes, 2);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), bytes);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_Memcpy)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

void BM_FullFrameCopy(benchmark::State& state) {
  const Size s = kSizes[state.range(0)];
  const Bitmap src = Pattern(s.w, s.h);
  Bitmap dst(s.w, s.h);
  Canvas canvas(dst);
  const std::clock_t start = std::clock();
  for (auto _ : state) {
    canvas.Draw({0, 0}, src);
    benchmark::ClobberMemory();
  }
  ReportRatio(state, start, s.w, s.h);
}
BENCHMARK(BM_FullFrameCopy)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

void BM_ClippedCopy200Rects(benchmark::State& state) {
  const Size s = kSizes[state.range(0)];
  const Bitmap src = Pattern(s.w, s.h);
  Bitmap dst(s.w, s.h);
  const Region clip = GridRegion(s.w, s.h);
  Canvas canvas(dst, clip);
  const std::clock_t start = std::clock();
  for (auto _ : state) {
    canvas.Draw({0, 0}, src);
    benchmark::ClobberMemory();
  }
  state.counters["rects"] = static_cast<double>(clip.Rects().size());
  ReportRatio(state, start, s.w, s.h);
}
BENCHMARK(BM_ClippedCopy200Rects)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

// Nearest stretch of a slightly smaller picture over the full frame (the
// stretch effects grow a picture by a few pixels per tick).
void BM_NearestStretch(benchmark::State& state) {
  const Size s = kSizes[state.range(0)];
  const Bitmap src = Pattern(s.w * 3 / 4, s.h * 3 / 4);
  Bitmap dst(s.w, s.h);
  Canvas canvas(dst);
  const std::clock_t start = std::clock();
  for (auto _ : state) {
    canvas.StretchDraw(dst.Bounds(), src);
    benchmark::ClobberMemory();
  }
  ReportRatio(state, start, s.w, s.h);
}
BENCHMARK(BM_NearestStretch)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

void BM_NearestShrink(benchmark::State& state) {
  const Size s = kSizes[state.range(0)];
  const Bitmap src = Pattern(s.w * 3 / 2, s.h * 3 / 2);
  Bitmap dst(s.w, s.h);
  Canvas canvas(dst);
  const std::clock_t start = std::clock();
  for (auto _ : state) {
    canvas.StretchDraw(dst.Bounds(), src);
    benchmark::ClobberMemory();
  }
  ReportRatio(state, start, s.w, s.h);
}
BENCHMARK(BM_NearestShrink)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

void BM_ResampleFit(benchmark::State& state) {
  const Bitmap src = Pattern(3000, 2000);
  Bitmap dst(1920, 1080);
  Canvas canvas(dst);
  for (auto _ : state) {
    canvas.ResampleHighQuality({150, 0, 1770, 1080}, src, src.Bounds());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ResampleFit)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
