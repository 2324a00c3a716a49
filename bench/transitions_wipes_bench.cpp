// Per-tick cost of the band, scan and line wipes on full-screen pictures. Each
// iteration runs one whole transition and times every tick; the counters give
// the median and the worst tick and the tick count (the goal: every tick well
// under the 10 ms timer interval). Ticks are timed in thread CPU time, so that
// other processes on a busy machine do not show up as slow ticks.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "base/random.h"
#include "raster/bitmap.h"
#include "transitions/transition_engine.h"
#include "transitions/transition_names.h"

namespace {

constexpr int kFamily[] = {0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,
                           17,  18,  19,  48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  99,  104, 105,
                           106, 107, 108, 109, 110, 111, 118, 119, 129, 130, 131, 132, 145, 146, 147, 148};
constexpr int kSpeed = 25;

double ThreadMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void RunEffect(benchmark::State& state, int number, int w, int h) {
  raster::Bitmap picture(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) picture.At(x, y) = raster::MakePixel(uint8_t(x), uint8_t(y), uint8_t(x ^ y));
  raster::Bitmap target(w, h, raster::MakePixel(0, 0, 0));
  raster::Bitmap back(target);
  base::SeededRandom random(42);
  transitions::TransitionEngine engine(random);
  std::vector<double> ticks;
  for (auto _ : state) {
    engine.StartNumber(number, kSpeed, {&target, &picture, &back, {0, 0}, false});
    bool done = false;
    while (!done) {
      const double start = ThreadMs();
      done = engine.ShowTimerTimer();
      ticks.push_back(ThreadMs() - start);
    }
    benchmark::DoNotOptimize(target.Row(0));
  }
  const size_t count = ticks.size() / static_cast<size_t>(state.iterations());
  std::sort(ticks.begin(), ticks.end());
  state.counters["ticks"] = static_cast<double>(count);
  state.counters["median_ms"] = ticks[ticks.size() / 2];
  state.counters["worst_ms"] = ticks.back();
}

void RegisterAll() {
  for (auto [w, h] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
    for (int number : kFamily) {
      const std::string name = std::to_string(number) + " " + std::string(transitions::TransitionName(number)) +
                               " " + std::to_string(w) + "x" + std::to_string(h);
      benchmark::RegisterBenchmark(name.c_str(), RunEffect, number, w, h)->Iterations(3)->Unit(benchmark::kMillisecond);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
