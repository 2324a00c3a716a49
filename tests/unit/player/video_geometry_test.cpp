#include "player/video_geometry.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "base/random.h"

namespace {

using player::VideoOrigin;
using player::VideoShownSize;
using player::VideoSize;

// Round half to even of p / q (q > 0) in whole numbers only.
int64_t RoundRational(int64_t p, int64_t q) {
  int64_t whole = p / q, rest = p % q;
  if (rest < 0) {
    whole -= 1;
    rest += q;
  }
  if (2 * rest > q || (2 * rest == q && whole % 2 != 0)) ++whole;
  return whole;
}

TEST(VideoGeometry, SizeModesOfA320By240Clip) {
  const VideoSize clip{320, 240}, before{11, 7};
  const auto shown = [&](int mode, bool preview = false) { return VideoShownSize(mode, preview, clip, 1024, before); };
  EXPECT_EQ(shown(0), (VideoSize{320, 240}));
  EXPECT_EQ(shown(1), (VideoSize{640, 480}));
  EXPECT_EQ(shown(2), (VideoSize{256, 191}));
  EXPECT_EQ(shown(3), (VideoSize{512, 383}));
  EXPECT_EQ(shown(4), (VideoSize{724, 542})) << "round(1024 / 1.4142) = 724; 724 * 240 / 320 = 543";
  EXPECT_EQ(shown(5), (VideoSize{1024, 767}));
  EXPECT_EQ(shown(6), before) << "an unknown mode keeps the size of the video before";
  EXPECT_EQ(shown(-1), before);
  for (int mode : {0, 1, 5, 9}) EXPECT_EQ(shown(mode, true), (VideoSize{300, 224})) << "round(225) - 1, any mode";
}

TEST(VideoGeometry, HeightsKeepTheAspectWithHalvesToEven) {
  // Each height against the same rule in whole-number arithmetic, over sizes
  // where width × h / w ends in exactly one half and where it does not.
  base::SeededRandom random(7);
  int halves = 0;
  for (int k = 0; k < 20000; ++k) {
    const VideoSize clip{1 + random.Next(2000), 1 + random.Next(2000)};
    const int32_t screen = 1 + random.Next(4000);
    const int mode = 2 + random.Next(4);
    const VideoSize shown = VideoShownSize(mode, false, clip, screen, {});
    const int64_t widths[] = {screen / 4, screen / 2, RoundRational(int64_t{screen} * 10000, 14142), screen};
    const int64_t width = widths[mode - 2];
    ASSERT_EQ(shown.width, width) << "mode " << mode << " screen " << screen;
    const int64_t height = RoundRational(width * clip.height, clip.width) - 1;
    ASSERT_EQ(shown.height, std::max<int64_t>(0, height)) << clip.width << "x" << clip.height << " to " << width;
    halves += (2 * (width * clip.height % clip.width) == clip.width);
  }
  EXPECT_GT(halves, 50) << "the sweep must reach the exact halves";
  EXPECT_EQ(VideoShownSize(5, false, {2, 1}, 5, {}), (VideoSize{5, 1})) << "2.5 rounds to 2";
  EXPECT_EQ(VideoShownSize(5, false, {2, 1}, 7, {}), (VideoSize{7, 3})) << "3.5 rounds to 4";
}

TEST(VideoGeometry, ClipsWithoutAPictureOrTooLargeStayInRange) {
  EXPECT_EQ(VideoShownSize(5, false, {0, 0}, 1024, {}), (VideoSize{1024, 0}));
  EXPECT_EQ(VideoShownSize(0, true, {0, 240}, 1024, {}), (VideoSize{300, 0}));
  EXPECT_EQ(VideoShownSize(1, false, {INT32_MAX, 3}, 1024, {}), (VideoSize{INT32_MAX, 6}));
  EXPECT_EQ(VideoShownSize(5, false, {1, 100000}, 100000, {}), (VideoSize{100000, INT32_MAX - 1}));
}

TEST(VideoGeometry, PlacementCentresOrScattersInsideTheArea) {
  base::SeededRandom random(3);
  EXPECT_EQ(VideoOrigin(false, {1024, 768}, {1024, 767}, random), (raster::Point{0, 0}));
  EXPECT_EQ(VideoOrigin(false, {1024, 768}, {320, 240}, random), (raster::Point{352, 264}));
  // The preview cuts a 300 pixel clip at both sides of a 152 pixel host.
  EXPECT_EQ(VideoOrigin(false, {152, 112}, {300, 224}, random), (raster::Point{-74, -56}));
  EXPECT_EQ(VideoOrigin(true, {152, 112}, {300, 224}, random), (raster::Point{-74, -56}));
  EXPECT_EQ(VideoOrigin(true, {152, 112}, {152, 224}, random), (raster::Point{0, -56}));
  EXPECT_EQ(VideoOrigin(false, {153, 100}, {150, 97}, random), (raster::Point{1, 1}));

  bool seenLeft = false, seenRight = false;
  for (int k = 0; k < 2000; ++k) {
    const raster::Point at = VideoOrigin(true, {1024, 768}, {1000, 700}, random);
    ASSERT_GE(at.x, 0);
    ASSERT_LE(at.x, 23) << "the whole clip stays on screen";
    ASSERT_GE(at.y, 0);
    ASSERT_LE(at.y, 67);
    seenLeft |= at.x == 0;
    seenRight |= at.x == 23;
  }
  EXPECT_TRUE(seenLeft && seenRight);
}

}  // namespace
