// The twelve gradient styles of slide backgrounds at 4K, one benchmark per style.
#include <benchmark/benchmark.h>

#include "project/color_tables.h"
#include "raster/gradient.h"
#include "raster/bitmap.h"

namespace {

void BM_FillGradient4K(benchmark::State& state) {
  const int style = static_cast<int>(state.range(0));
  raster::Bitmap frame(3840, 2160);
  const project::TColorPair pair = project::GradientColorPairs[3];
  for (auto _ : state) {
    raster::FillGradient(pair.First, pair.Second, style, frame);
    benchmark::DoNotOptimize(frame.Row(0));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FillGradient4K)->DenseRange(0, 11)->Unit(benchmark::kMillisecond);

}  // namespace
