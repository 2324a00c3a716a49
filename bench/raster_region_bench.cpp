// Region building and combining as the shape reveals use them per tick.
#include <benchmark/benchmark.h>

#include <vector>

#include "raster/canvas.h"

namespace {

using raster::FillMode;
using raster::Point;
using raster::Rect;
using raster::Region;

void BM_EllipseRegion(benchmark::State& state) {
  for (auto _ : state) {
    Region e = Region::FromEllipse({-200, -400, 2120, 1480}).Intersect(Rect{0, 0, 1920, 1080});
    benchmark::DoNotOptimize(e);
  }
}
BENCHMARK(BM_EllipseRegion)->Unit(benchmark::kMicrosecond);

void BM_PolygonRegion(benchmark::State& state) {
  const std::vector<Point> fan{{960, 540}, {1920, 1080}, {1920, 0}, {0, 0}, {0, 700}};
  for (auto _ : state) {
    Region p = Region::FromPolygon(fan, FillMode::Winding);
    benchmark::DoNotOptimize(p);
  }
}
BENCHMARK(BM_PolygonRegion)->Unit(benchmark::kMicrosecond);

// A comb of 108 bands united one by one, then subtracted from the frame.
void BM_BandUnionAndSubtract(benchmark::State& state) {
  for (auto _ : state) {
    Region bands;
    for (int i = 0; i < 108; ++i) bands = bands.Unite(Region::FromRect({0, i * 10, 960 + i * 5, i * 10 + 5}));
    Region rest = Region::FromRect({0, 0, 1920, 1080}).Subtract(bands);
    benchmark::DoNotOptimize(rest);
  }
}
BENCHMARK(BM_BandUnionAndSubtract)->Unit(benchmark::kMicrosecond);

}  // namespace
