#include "player/screen_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/random.h"

namespace {

using player::LayOutScreens;
using player::Monitor;
using raster::Point;
using raster::Rect;

const Rect kFallback{0, 0, 640, 480};

TEST(ScreenLayout, TheSlidesGoOnThePrimaryAndEveryOtherMonitorIsBlack) {
  // Three monitors of different sizes: one left of the primary and higher (all
  // negative coordinates), one right of it and lower.
  const Rect left{-1280, -200, 0, 824}, primary{0, 0, 1920, 1080}, right{1920, 300, 3520, 1200};
  const auto layout = LayOutScreens({{left, false}, {primary, true}, {right, false}}, kFallback);
  EXPECT_EQ(layout.show, primary);
  EXPECT_EQ(layout.covers, (std::vector<Rect>{left, right}));
  EXPECT_EQ(layout.ToShow({-1280, -200}), (Point{-1280, -200}));

  // The primary elsewhere than at (0, 0): its top-left corner is the show's origin.
  const Rect shifted{1680, 0, 3600, 1200}, other{0, 150, 1680, 1200};
  const auto moved = LayOutScreens({{other, false}, {shifted, true}}, kFallback);
  EXPECT_EQ(moved.show, shifted);
  EXPECT_EQ(moved.covers, (std::vector<Rect>{other}));
  EXPECT_EQ(moved.ToShow({1680, 0}), (Point{0, 0}));
  EXPECT_EQ(moved.ToShow({1679, 150}), (Point{-1, 150})) << "just left of the show, on the other monitor";
  EXPECT_EQ(moved.ToScreen({0, -1}), (Point{1680, -1}));
}

TEST(ScreenLayout, WithoutAMarkedPrimaryTheMonitorAtTheOriginHoldsTheShow) {
  const Rect a{-800, 0, 0, 600}, b{0, 0, 1024, 768}, c{1024, -100, 2048, 668};
  EXPECT_EQ(LayOutScreens({{a}, {b}, {c}}, kFallback).show, b);
  EXPECT_EQ(LayOutScreens({{a}, {c}}, kFallback).show, a) << "none at the origin: the first";
  EXPECT_EQ(LayOutScreens({{a}, {b, true}, {c, true}}, kFallback).show, b) << "the first marked one";
  // Nothing usable: the system's screen size, nothing to cover.
  const auto none = LayOutScreens({{Rect{5, 5, 5, 900}, true}}, kFallback);
  EXPECT_EQ(none.show, kFallback);
  EXPECT_TRUE(none.covers.empty());
  EXPECT_TRUE(LayOutScreens({}, kFallback).covers.empty());
  // A mirrored display shows the same pixels as the primary: nothing to cover.
  EXPECT_TRUE(LayOutScreens({{b, true}, {b}, {Rect{100, 100, 200, 200}}}, kFallback).covers.empty());
}

// Per-point oracle over random arrangements: a point of any monitor is either
// in the show or in exactly one cover, never in both and never left uncovered;
// a point outside every monitor is in neither.
TEST(ScreenLayout, ShowAndCoversTileEveryMonitorExactly) {
  base::SeededRandom random(16);
  for (int round = 0; round < 300; ++round) {
    std::vector<Monitor> monitors(static_cast<size_t>(1 + random.Next(4)));
    for (Monitor& m : monitors) {
      const int x = random.Next(30) - 15, y = random.Next(30) - 15;
      m.bounds = Rect::FromSize(x, y, random.Next(14), random.Next(14));  // some empty
    }
    monitors[static_cast<size_t>(random.Next(static_cast<int>(monitors.size())))].primary = random.Next(2) == 1;
    const auto layout = LayOutScreens(monitors, kFallback);
    bool anyUsable = false;
    for (const Monitor& m : monitors) anyUsable |= !m.bounds.IsEmpty();
    if (!anyUsable) {
      EXPECT_EQ(layout.show, kFallback);
      continue;
    }
    for (int y = -20; y < 35; ++y) {
      for (int x = -20; x < 35; ++x) {
        bool onMonitor = false;
        for (const Monitor& m : monitors) onMonitor |= m.bounds.Contains(x, y);
        int inCovers = 0;
        for (const Rect& c : layout.covers) inCovers += c.Contains(x, y) ? 1 : 0;
        const bool inShow = layout.show.Contains(x, y);
        ASSERT_FALSE(inShow && inCovers > 0) << "round " << round << " at " << x << "," << y;
        // Two other monitors may overlap each other; their covers then do too.
        ASSERT_EQ(onMonitor, inShow || inCovers > 0) << "round " << round << " at " << x << "," << y;
      }
    }
    for (const Rect& c : layout.covers) EXPECT_FALSE(c.IsEmpty());
    const Point p{random.Next(100) - 50, random.Next(100) - 50};
    EXPECT_EQ(layout.ToScreen(layout.ToShow(p)), p);
  }
}

TEST(ScreenLayout, MonitorListsAsText) {
  const auto monitors = player::ParseMonitorList("0,0,384,768;384,0,1024,768*");
  ASSERT_TRUE(monitors);
  ASSERT_EQ(monitors->size(), 2u);
  EXPECT_EQ((*monitors)[0].bounds, (Rect{0, 0, 384, 768}));
  EXPECT_FALSE((*monitors)[0].primary);
  EXPECT_EQ((*monitors)[1].bounds, (Rect{384, 0, 1024, 768}));
  EXPECT_TRUE((*monitors)[1].primary);
  const auto negative = player::ParseMonitorList("-1280,-200,0,824;0,0,1920,1080*;");
  ASSERT_TRUE(negative);
  EXPECT_EQ(negative->front().bounds, (Rect{-1280, -200, 0, 824}));
  for (const char* bad : {"", ";", "0,0,10", "0,0,10,10,5", "0,0,10,x", "0,0,10,10;;0,0,1,1", "*", "0,0,10,10**"})
    EXPECT_FALSE(player::ParseMonitorList(bad)) << bad;
}

}  // namespace
