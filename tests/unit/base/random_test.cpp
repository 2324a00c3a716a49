#include "base/random.h"

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
  const size_t lengths[] = {0, 1, 3, 255, 256, 257, 1000, 4099};
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

}  // namespace
