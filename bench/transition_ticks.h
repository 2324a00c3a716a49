// Per-tick cost of a family of transitions on full-screen pictures. Each
// iteration runs one whole transition and times every tick; the counters give
// the median and the worst tick and the tick count (the goal: every tick well
// under the effect's timer interval). Ticks are timed in thread CPU time, so
// that other processes on a busy machine do not show up as slow ticks.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "base/random.h"
#include "raster/bitmap.h"
#include "transitions/transition_engine.h"
#include "transitions/transition_names.h"

namespace transition_bench {

inline constexpr int kSpeed = 25;

inline double ThreadMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

inline void RunEffect(benchmark::State& state, int number, int w, int h) {
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

// Registers every member of `family` at 1920x1080 and 3840x2160 and runs them.
inline int RunFamily(int argc, char** argv, std::span<const int> family) {
  for (auto [w, h] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
    for (int number : family) {
      const std::string name = std::to_string(number) + " " + std::string(transitions::TransitionName(number)) +
                               " " + std::to_string(w) + "x" + std::to_string(h);
      benchmark::RegisterBenchmark(name.c_str(), RunEffect, number, w, h)->Iterations(3)->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace transition_bench
