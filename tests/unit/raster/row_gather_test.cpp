#include "raster/row_gather.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "base/cpu_features.h"

namespace {

using raster::Pixel;

// Nearest samples of n target pixels over a source run of sn pixels starting
// at `first`, as a stretch computes them; mirrored when asked.
std::vector<int> Samples(int n, int first, int sn, bool mirror) {
  std::vector<int> samples(static_cast<size_t>(n));
  for (int k = 0; k < n; ++k) {
    const int j = static_cast<int>((2 * int64_t{k} + 1) * sn / (2 * int64_t{n}));
    samples[static_cast<size_t>(k)] = first + (mirror ? sn - 1 - j : j);
  }
  return samples;
}

// Where the processor has the instructions, every row drawn through the
// gather equals out[k] = in[samples[k]] for shrinks down to a quarter,
// enlargements, mirrors and shuffled windows, at widths that leave partial
// groups, with windows that reach past the source row's end (the rows end
// exactly there, so the address sanitizer sees any read or write beyond);
// samples that spread wider than the widest window leave it unusable.
TEST(RowGather, DrawsEverySampleOrRefusesTheMap) {
  if (!base::HasAvx512()) GTEST_SKIP() << "no 512-bit vectors here";
  // Checks one map over a source row of srcWidth pixels.
  const auto check = [](const std::vector<int>& samples, int srcWidth) {
    const int n = static_cast<int>(samples.size());
    std::vector<Pixel> in(static_cast<size_t>(srcWidth));
    for (size_t i = 0; i < in.size(); ++i) in[i] = 0xFF000000u | static_cast<Pixel>(i * 2654435761u >> 8);
    const raster::RowGather gather(samples.data(), n, srcWidth);
    int spread = 0;
    for (size_t k = 0; k < samples.size(); k += 16) {
      const auto end = samples.begin() + static_cast<ptrdiff_t>(std::min(samples.size(), k + 16));
      const auto [lowest, highest] = std::minmax_element(samples.begin() + static_cast<ptrdiff_t>(k), end);
      spread = std::max(spread, *highest - *lowest + 1);
    }
    ASSERT_EQ(gather.Usable(), spread <= 64) << "spread " << spread;
    if (!gather.Usable()) return;
    std::vector<Pixel> out(static_cast<size_t>(n), 0);
    gather.Draw(out.data(), in.data());
    for (int k = 0; k < n; ++k)
      ASSERT_EQ(out[static_cast<size_t>(k)], in[static_cast<size_t>(samples[static_cast<size_t>(k)])]) << "pixel " << k;
  };
  std::mt19937 random(11);
  struct Case {
    int n, first, sn;
    bool mirror;
  };
  const Case cases[] = {{1, 0, 1, false},     {15, 0, 40, false},   {16, 3, 64, false},  {100, 0, 300, false},
                        {333, 17, 333, false}, {1000, 0, 3000, true}, {257, 5, 100, false}, {64, 0, 255, false},
                        {50, 0, 200, true},    {640, 0, 2000, false}, {31, 0, 31, true},    {700, 1, 2900, false}};
  for (const Case& c : cases)
    for (const bool shuffle : {false, true}) {
      SCOPED_TRACE(::testing::Message() << c.n << " from " << c.first << "+" << c.sn << (c.mirror ? " mirrored" : "")
                                        << (shuffle ? " shuffled" : ""));
      std::vector<int> samples = Samples(c.n, c.first, c.sn, c.mirror);
      if (shuffle)  // any order inside each group of sixteen
        for (size_t k = 0; k < samples.size(); k += 16)
          std::shuffle(samples.begin() + static_cast<ptrdiff_t>(k),
                       samples.begin() + static_cast<ptrdiff_t>(std::min(samples.size(), k + 16)), random);
      check(samples, c.first + c.sn);
    }
  // The widest spreads, at the window's edge: 64 pixels fit, 65 do not.
  for (const int last : {31, 32, 63, 64}) {
    SCOPED_TRACE(::testing::Message() << "group of 0..14 and " << last);
    std::vector<int> samples(16);
    for (int k = 0; k < 15; ++k) samples[static_cast<size_t>(k)] = k;
    samples[15] = last;
    check(samples, last + 1);
  }
}

}  // namespace
