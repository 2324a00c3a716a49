#include "base/random_ahead.h"

#include "base/random_ahead_steps.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using base::RandomAhead;

// Number n of the sequence as the blocks keep it.
uint8_t Made(RandomAhead& ahead, size_t n) {
  const size_t inBlock = n % RandomAhead::kBlock;
  return ahead.Block(n / RandomAhead::kBlock)[inBlock % RandomAhead::kStretchLength * RandomAhead::kStride +
                                               inBlock / RandomAhead::kStretchLength];
}

// The numbers made ahead are those of one Next at a time, in their order,
// whether made a block at a time or a step at a time between other work; the
// generator does not move until Advance, which sets it where that many draws
// leave it (at, before and after the ends of stretches and blocks).
TEST(RandomAhead, MakesTheSequenceAndAdvancesPastTheUsedNumbers) {
  for (const int32_t range : {1, 6, 256}) {
    SCOPED_TRACE(::testing::Message() << "range " << range);
    base::SeededRandom random(21), model(21);
    std::vector<int32_t> expected(3 * RandomAhead::kBlock);
    for (int32_t& v : expected) v = model.Next(range);

    RandomAhead whole;  // a block at a time
    whole.Begin(random, range, 1);
    for (size_t n = 0; n < expected.size(); ++n) ASSERT_EQ(Made(whole, n), expected[n]) << n;
    EXPECT_TRUE(whole.Continues(random, range));
    EXPECT_FALSE(whole.Continues(random, range + 1));
#if defined(BASE_HAS_X86_KERNELS)
    if (RandomAhead::Available()) {
      RandomAhead stepped;  // a step at a time, as a copy makes them
      stepped.Begin(random, range, 0);
      for (size_t made = 0; made < 2 * RandomAhead::kBlock + 7 * RandomAhead::kLanes;) {
        RandomAhead::Lanes lanes = stepped.TakeLanes();
        base::AheadRegisters r = base::LoadAhead(lanes, range);
        for (int k = 0; k < 5 && r.step < RandomAhead::kStretchLength; ++k, made += RandomAhead::kLanes)
          base::StepAhead(r);
        base::StoreAhead(r, lanes);
        stepped.ReturnLanes(lanes);
      }
      for (size_t n = 0; n < expected.size(); ++n) ASSERT_EQ(Made(stepped, n), expected[n]) << n;
    }
#endif

    for (const size_t used : {size_t{0}, size_t{1}, size_t{255}, size_t{256}, size_t{4095}, size_t{4096},
                              size_t{4097}, size_t{9000}, 3 * RandomAhead::kBlock}) {
      SCOPED_TRACE(::testing::Message() << "used " << used);
      base::SeededRandom advanced(21), drawn(21);
      for (size_t k = 0; k < used; ++k) drawn.Next(range);
      whole.Advance(advanced, used);
      EXPECT_EQ(advanced.Next(1 << 30), drawn.Next(1 << 30));
    }
    // A draw from the generator ends what was begun.
    random.Next(7);
    EXPECT_FALSE(whole.Continues(random, range));
  }
}

// A start that asks for a little more than the one before keeps the numbers'
// memory (new memory is mapped in page by page, a millisecond a tick), and a
// start that asks for much more still gets all it asks for.
TEST(RandomAhead, KeepsItsRoomFromStartToStart) {
  base::SeededRandom random(3);
  RandomAhead ahead;
  ahead.Begin(random, 6, 10 * RandomAhead::kBlock);
  const uint8_t* const first = ahead.Block(0);
  ahead.Begin(random, 6, 11 * RandomAhead::kBlock);
  EXPECT_EQ(ahead.Block(0), first);
  ahead.Begin(random, 6, 40 * RandomAhead::kBlock);
  ahead.Block(39);
  base::SeededRandom model(3);
  for (size_t n = 0; n < 40 * RandomAhead::kBlock; ++n) ASSERT_EQ(Made(ahead, n), model.Next(6)) << n;
}

}  // namespace
