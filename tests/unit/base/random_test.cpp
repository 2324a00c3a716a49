#include "base/random.h"

#include "base/random_stretches.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

// Fill, which works on stretches of the sequence side by side, gives the very
// numbers of one Next at a time, in their order, and leaves the generator
// where they would: for lengths below, at and past whole blocks of stretches,
// in parts, and for every range.
TEST(SeededRandom, FillGivesTheNumbersOfNextInOrder) {
  const int32_t ranges[] = {1, 2, 6, 50, 1920, std::numeric_limits<int32_t>::max()};
  const size_t lengths[] = {0, 1, 3, 255, 256, 257, 511, 512, 1000, 4095, 4096, 4099, 9000};
  for (const int32_t range : ranges)
    for (const size_t length : lengths) {
      SCOPED_TRACE(::testing::Message() << "range " << range << " length " << length);
      base::SeededRandom one(77), many(77);
      std::vector<int32_t> expected(length), filled(length);
      for (int32_t& v : expected) v = one.Next(range);
      many.Fill(range, filled);
      EXPECT_EQ(filled, expected);
      // In two parts of uneven length, then on one at a time.
      base::SeededRandom parts(77);
      std::vector<int32_t> first(length / 3), second(length - length / 3);
      parts.Fill(range, first);
      parts.Fill(range, second);
      first.insert(first.end(), second.begin(), second.end());
      EXPECT_EQ(first, expected);
      for (int k = 0; k < 5; ++k) {
        const int32_t next = one.Next(7);
        EXPECT_EQ(many.Next(7), next);
        EXPECT_EQ(parts.Next(7), next);
      }
    }
}

TEST(SeededRandom, FillOfAnEmptyRangeGivesZerosWithoutDrawing) {
  base::SeededRandom a(5), b(5);
  std::vector<int32_t> zeros(300, -1);
  a.Fill(0, zeros);
  EXPECT_EQ(zeros, std::vector<int32_t>(300, 0));
  EXPECT_EQ(a.Next(1000), b.Next(1000));
}

// Every kernel that makes stretches side by side matches the generator's own
// step and number, lane by lane (the processor picks one; each is tried here
// where it runs).
TEST(SeededRandom, EveryStretchKernelMakesTheSequence) {
  using Kernel = void (*)(std::array<uint64_t, base::kStretches>&, uint32_t, int32_t*);
  std::vector<Kernel> kernels = {base::MakeStretchesPortable};
#if defined(__SSE2__)
  kernels.push_back(base::MakeStretchesSse2);
#endif
#if defined(BASE_HAS_X86_KERNELS)
  if (base::HasAvx2()) kernels.push_back(base::MakeStretchesAvx2);
  if (base::HasAvx512()) kernels.push_back(base::MakeStretchesAvx512);
#endif
  for (const uint32_t range : {1u, 6u, 50u, 0x7FFFFFFFu})
    for (size_t k = 0; k < kernels.size(); ++k) {
      SCOPED_TRACE(::testing::Message() << "kernel " << k << " range " << range);
      std::array<uint64_t, base::kStretches> lanes = {1, 0x9E3779B97F4A7C15ull, 42, ~0ull};
      for (size_t j = 4; j < lanes.size(); ++j) lanes[j] = lanes[j - 4] * 0x2545F4914F6CDD1Dull + j;
      std::array<uint64_t, base::kStretches> expectedEnd = lanes;
      std::vector<int32_t> expected(base::kStretches * base::kStretchLength), made(expected.size());
      for (size_t j = 0; j < lanes.size(); ++j)
        for (int i = 0; i < base::kStretchLength; ++i) {
          expectedEnd[j] = base::XorshiftStep(expectedEnd[j]);
          expected[j * base::kStretchLength + static_cast<size_t>(i)] = base::XorshiftNumber(expectedEnd[j], range);
        }
      kernels[k](lanes, range, made.data());
      EXPECT_EQ(made, expected);
      EXPECT_EQ(lanes, expectedEnd);
    }
}

}  // namespace
