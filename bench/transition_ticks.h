// Per-tick cost of a family of transitions on full-screen pictures, as a ratio
// to a memcpy of one frame of the same size measured in the same run.
//
// Each iteration first copies the picture into the show image with memcpy
// (the frame copy the ticks are compared with, on the very buffers they use;
// timed after an identical copy, so that its time does not depend on what the
// effect before it left in the caches), then sets the show image to the back
// image (the program starts a transition on the frame its composer has just
// drawn there) and runs one whole transition from the same start (same
// picture, same seed), so tick k does the same work in every iteration. A
// tick's cost, and the frame copy's, is its fastest time over the iterations,
// which keeps the other processes of a shared machine out of the worst tick
// without hiding a tick that is slow every time. Times are thread CPU time.
// Counters: "ticks", "median_ms", "worst_ms", "memcpy_ms", and the ratios
// "median_x" and "worst_x" (tick / memcpy).
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
inline constexpr int kIterations = 8;

inline double ThreadMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

inline void RunEffect(benchmark::State& state, int number, int w, int h) {
  raster::Bitmap picture(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) picture.At(x, y) = raster::MakePixel(uint8_t(x), uint8_t(y), uint8_t(x ^ y));
  const raster::Bitmap back(w, h, raster::MakePixel(40, 40, 40));
  raster::Bitmap target(w, h);
  const size_t frameBytes = static_cast<size_t>(w) * static_cast<size_t>(h) * sizeof(raster::Pixel);
  double memcpyMs = 1e9;
  std::vector<double> fastest;  // per tick, over the iterations
  for (auto _ : state) {
    std::memcpy(target.Row(0), picture.Row(0), frameBytes);
    benchmark::ClobberMemory();
    const double copyStart = ThreadMs();
    std::memcpy(target.Row(0), picture.Row(0), frameBytes);
    benchmark::ClobberMemory();
    memcpyMs = std::min(memcpyMs, ThreadMs() - copyStart);
    // The show image starts as the program leaves it: showing the frame the
    // composer has just drawn, the back image.
    std::memcpy(target.Row(0), back.Row(0), frameBytes);
    base::SeededRandom random(42);
    transitions::TransitionEngine engine(random);
    engine.StartNumber(number, kSpeed, {&target, &picture, &back, {0, 0}, false});
    for (size_t tick = 0;; ++tick) {
      const double start = ThreadMs();
      const bool done = engine.ShowTimerTimer();
      const double ms = ThreadMs() - start;
      if (tick < fastest.size()) {
        fastest[tick] = std::min(fastest[tick], ms);
      } else {
        fastest.push_back(ms);
      }
      if (done) break;
    }
    benchmark::DoNotOptimize(target.Row(0));
  }
  // BENCH_TICKS=1 lists every tick's time, to find which tick is the worst.
  if (const char* list = std::getenv("BENCH_TICKS"); list && *list == '1') {
    std::fprintf(stderr, "%d %dx%d: memcpy %.3f ms; ticks:", number, w, h, memcpyMs);
    for (size_t tick = 0; tick < fastest.size(); ++tick) std::fprintf(stderr, " %zu=%.3f", tick, fastest[tick]);
    std::fprintf(stderr, "\n");
  }
  std::vector<double> sorted = fastest;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted[sorted.size() / 2];
  const double worst = sorted.back();
  state.counters["ticks"] = static_cast<double>(fastest.size());
  state.counters["median_ms"] = median;
  state.counters["worst_ms"] = worst;
  state.counters["memcpy_ms"] = memcpyMs;
  state.counters["median_x"] = median / memcpyMs;
  state.counters["worst_x"] = worst / memcpyMs;
}

// Registers every member of `family` at 1920x1080 and 3840x2160 and runs them.
inline int RunFamily(int argc, char** argv, std::span<const int> family) {
  for (auto [w, h] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
    for (int number : family) {
      const std::string name = std::to_string(number) + " " + std::string(transitions::TransitionName(number)) +
                               " " + std::to_string(w) + "x" + std::to_string(h);
      benchmark::RegisterBenchmark(name.c_str(), RunEffect, number, w, h)
          ->Iterations(kIterations)
          ->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace transition_bench
