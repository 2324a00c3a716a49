// Hours of slides on the simulated clock: a show of many items with captions,
// descriptions, every kind of background and all the transitions runs through
// the strict fake platform, and the heap the show holds after its first rounds
// is what it holds at the end: nothing is kept per slide.
//
// An hour by default; SLIDESHOW_SOAK_HOURS sets the simulated time
// (scripts/soak.sh runs a day).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "run_fakes.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator knows what is allocated (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

using player::RunTimer;
using player::testing::ShowFixture;
using testing_support::Record;

constexpr int kItems = 16;
constexpr size_t kWarmRounds = 3;  // caches and lists settle while every item is shown

size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

double SoakHours() {
  const char* hours = std::getenv("SLIDESHOW_SOAK_HOURS");
  return hours ? std::atof(hours) : 1.0;
}

TEST(RunSoak, HoursOfSlidesKeepTheHeapWhereTheFirstRoundsLeftIt) {
  ShowFixture show(::testing::UnitTest::GetInstance()->current_test_info()->name());
  show.header = Record(4, "0") + Record(5, "1");  // in order, one second each
  for (int k = 0; k < kItems; ++k) {
    // Each item its own share of the 161 transitions, drawn at random from it.
    std::string transitions;
    for (int t = k; t < 161; t += kItems) transitions += std::to_string(t) + ";";
    show.items.push_back(Record(7, "1") + Record(8, "Slide " + std::to_string(k)) +
                         Record(14, std::to_string(k % 10)) + Record(17, "1") + Record(24, "One\r\nTwo\r\nThree") +
                         Record(25, std::to_string((k + 3) % 10)) + Record(46, "0;1;2;") + Record(57, "0;1;") +
                         Record(50, " 0; 4; 8;") + Record(5, k % 4 == 3 ? "1" : "0") + Record(36, transitions) +
                         Record(34, "1") + Record(35, std::to_string(20 + 2 * k)));
    show.sizes.push_back({20 + 7 * k, 10 + 5 * k});  // smaller and larger than the show area
  }
  show.Start(false, 96, 64);
  auto& platform = show.platform;
  // The next slide, up to the end of its transition.
  const auto nextSlide = [&] {
    const int before = platform.fronts;
    while (platform.fronts == before || platform.Enabled(RunTimer::Show)) {
      platform.Advance(5);
      ASSERT_FALSE(platform.closed) << "the show ended by itself";
    }
    // The fake's own records of what was posted and presented are not the show's.
    platform.posted.clear();
    platform.presented.clear();
  };

  // The heap each time the first item stands on the screen again: the same
  // point of the loop, whatever was drawn at random in between.
  const int64_t end = static_cast<int64_t>(SoakHours() * 3600 * 1000);
  std::vector<size_t> rounds;
  rounds.reserve(static_cast<size_t>(end / 1000 / kItems) + 1);  // fewer rounds than seconds: no growth while measuring
  while (platform.now < end && !HasFatalFailure()) {
    nextSlide();
    if (platform.fronts % kItems == 0) rounds.push_back(HeapInUse());
  }
  ASSERT_FALSE(HasFatalFailure());
  const int slides = platform.fronts;
  std::printf("soak: %d slides in %.1f simulated hours; heap at the start of each round: %zu bytes, at the end %zu\n",
              slides, SoakHours(), rounds.size() > kWarmRounds ? rounds[kWarmRounds] : 0, rounds.back());
  EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
  // A slide takes its display time plus one second, and its transition.
  EXPECT_GT(slides, static_cast<int>(SoakHours() * 3600 / 3)) << "the show stalled";
  ASSERT_GT(rounds.size(), kWarmRounds + 2);
  for (size_t round = kWarmRounds; round < rounds.size(); ++round)
    ASSERT_EQ(rounds[round], rounds[kWarmRounds]) << "the heap changed by "
                                                  << static_cast<int64_t>(rounds[round] - rounds[kWarmRounds])
                                                  << " bytes between round " << kWarmRounds << " and round " << round
                                                  << " of " << kItems << " slides";
}

}  // namespace
