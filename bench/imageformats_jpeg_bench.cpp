// Decoding a 24-megapixel JPEG (6000 x 4000, made once at start-up with
// libjpeg into the temporary folder) for a 1920 x 1080 screen, side by side
// with libjpeg-turbo's own `djpeg -scale 3/8` on the same file: 3/8 is the
// smallest DCT scale whose picture (2250 x 1500) still covers the fitted size
// 1620 x 1080, which djpeg cannot make itself.
//
// Times are processor time (ours: this process; djpeg: the child), because the
// machine may be shared. Counters of FitVsDjpeg: "fit_ms" is our decode with
// the 1920 x 1080 hint (DCT scale 3/8) plus the area-averaging fit to
// 1620 x 1080; "decode_ms" the decode alone, the same work as djpeg's;
// "djpeg_ms" djpeg's whole run (start-up and a PPM written to /dev/null);
// "decode_vs_djpeg" and "fit_vs_djpeg" the ratios (below 1 = faster than djpeg).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <sys/resource.h>

#include "imageformats/decode.h"
#include "test_photo.h"
#include "raster/canvas.h"

namespace {

struct TestPicture {
  std::vector<uint8_t> bytes;
  std::string path;
};

const TestPicture& Picture() {
  static const TestPicture picture = [] {
    TestPicture p{bench::EncodeTestPhoto(), (std::filesystem::temp_directory_path() / "imageformats_bench_24mp.jpg").string()};
    std::ofstream(p.path, std::ios::binary).write(reinterpret_cast<const char*>(p.bytes.data()),
                                                   static_cast<std::streamsize>(p.bytes.size()));
    return p;
  }();
  return picture;
}

double ProcessSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

double ChildSeconds() {
  rusage u{};
  getrusage(RUSAGE_CHILDREN, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         (u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

imageformats::DecodeOptions Hint(int w, int h) {
  imageformats::DecodeOptions o;
  o.fitWidth = w;
  o.fitHeight = h;
  return o;
}

// Decode for a 1920 x 1080 screen, then fit inside it (1620 x 1080).
raster::Bitmap DecodeAndFit(const std::vector<uint8_t>& bytes) {
  const raster::Bitmap decoded = imageformats::Decode(imageformats::Format::Jpeg, bytes, Hint(1920, 1080));
  raster::Bitmap fitted(1620, 1080);
  raster::Canvas(fitted).ResampleHighQuality(fitted.Bounds(), decoded, decoded.Bounds());
  return fitted;
}

double RunDjpeg(const std::string& path) {
  const std::string command = "djpeg -scale 3/8 -outfile /dev/null '" + path + "'";
  const double before = ChildSeconds();
  if (std::system(command.c_str()) != 0) return -1;
  return ChildSeconds() - before;
}

void FullSize(benchmark::State& state) {
  const auto& bytes = Picture().bytes;
  for (auto _ : state) benchmark::DoNotOptimize(imageformats::Decode(imageformats::Format::Jpeg, bytes));
}
BENCHMARK(FullSize)->Unit(benchmark::kMillisecond);

// The decode alone, at the scale the hint picks (3/8: 2250 x 1500) and at 1/2.
void DecodeWithHint(benchmark::State& state) {
  const auto& bytes = Picture().bytes;
  const auto hint = Hint(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(imageformats::Decode(imageformats::Format::Jpeg, bytes, hint));
}
BENCHMARK(DecodeWithHint)->Args({1920, 1080})->Args({3000, 2000})->Unit(benchmark::kMillisecond);

void FittedTo1920x1080(benchmark::State& state) {
  const auto& bytes = Picture().bytes;
  for (auto _ : state) benchmark::DoNotOptimize(DecodeAndFit(bytes));
}
BENCHMARK(FittedTo1920x1080)->Unit(benchmark::kMillisecond);

void FitVsDjpeg(benchmark::State& state) {
  const TestPicture& p = Picture();
  double fit = 0, decode = 0, djpeg = 0;
  for (auto _ : state) {
    const double t0 = ProcessSeconds();
    benchmark::DoNotOptimize(DecodeAndFit(p.bytes));
    const double t1 = ProcessSeconds();
    benchmark::DoNotOptimize(imageformats::Decode(imageformats::Format::Jpeg, p.bytes, Hint(1920, 1080)));
    const double t2 = ProcessSeconds();
    const double d = RunDjpeg(p.path);
    if (d < 0) {
      state.SkipWithError("djpeg failed (package libjpeg-turbo-progs)");
      return;
    }
    fit += t1 - t0;
    decode += t2 - t1;
    djpeg += d;
    state.SetIterationTime(t1 - t0);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["fit_ms"] = 1000 * fit / n;
  state.counters["decode_ms"] = 1000 * decode / n;
  state.counters["djpeg_ms"] = 1000 * djpeg / n;
  state.counters["decode_vs_djpeg"] = decode / djpeg;
  state.counters["fit_vs_djpeg"] = fit / djpeg;
}
BENCHMARK(FitVsDjpeg)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
