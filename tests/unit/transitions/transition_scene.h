// A picture placed inside a larger show image filled with a sentinel colour,
// and helpers to run a transition on it tick by tick.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <unordered_set>
#include <vector>

#include "base/random.h"
#include "raster/bitmap.h"
#include "transitions/transition_engine.h"

namespace transitions_test {

// Sentinel pixels carry alpha 0; every picture pixel has alpha 0xFF.
inline constexpr raster::Pixel kSentinel = 0x00123456;

inline raster::Pixel PicturePixel(int x, int y) {
  const uint32_t h = (static_cast<uint32_t>(x) * 2654435761u) ^ (static_cast<uint32_t>(y) * 40503u + 0x9E37u);
  return 0xFF000000u | (h & 0x00FFFFFFu);
}

struct Scene {
  static constexpr int kMargin = 3;

  Scene(int w, int h, int margin = kMargin)
      : picture(w, h), target(w + 2 * margin, h + 2 * margin, kSentinel), back(target), origin{margin, margin} {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) picture.At(x, y) = PicturePixel(x, y);
  }

  transitions::ShowSurfaces Surfaces(bool composite = false) {
    return {&target, &picture, &back, origin, composite};
  }
  bool Shown(int x, int y) const { return target.At(origin.x + x, origin.y + y) == picture.At(x, y); }
  bool Untouched(int x, int y) const { return target.At(origin.x + x, origin.y + y) == kSentinel; }

  // Every target pixel outside the picture rectangle still holds the sentinel.
  bool OutsideUntouched() const {
    for (int y = 0; y < target.Height(); ++y)
      for (int x = 0; x < target.Width(); ++x) {
        const bool inside = x >= origin.x && x < origin.x + picture.Width() && y >= origin.y &&
                            y < origin.y + picture.Height();
        if (!inside && target.At(x, y) != kSentinel) return false;
      }
    return true;
  }
  // Every picture pixel is either still old or exactly the picture's own pixel.
  bool OnlyPicturePixelsAtTheirPlaces() const {
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x)
        if (!Shown(x, y) && !Untouched(x, y)) return false;
    return true;
  }
  bool PictureComplete() const {
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x)
        if (!Shown(x, y)) return false;
    return true;
  }
  bool RowShown(int y, int x0, int x1) const {
    for (int x = x0; x < x1; ++x)
      if (!Shown(x, y)) return false;
    return true;
  }
  bool RowUntouched(int y, int x0, int x1) const {
    for (int x = x0; x < x1; ++x)
      if (!Untouched(x, y)) return false;
    return true;
  }

  raster::Bitmap picture;
  raster::Bitmap target;
  raster::Bitmap back;
  raster::Point origin;
};

// The outgoing image in a colour of its own, so that pixels an effect restores
// from it are told apart from old ones; for effects that move picture pixels
// or lay the old image again.
inline constexpr raster::Pixel kBack = 0x00654321;

struct BackScene : Scene {
  BackScene(int w, int h) : Scene(w, h) {
    back = raster::Bitmap(target.Width(), target.Height(), kBack);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) pictureValues.insert(picture.At(x, y));
  }
  raster::Pixel At(int x, int y) const { return target.At(origin.x + x, origin.y + y); }
  // Every pixel of the picture rectangle is old, restored, or a picture pixel
  // (with `inPlace` the one of its own place).
  bool OnlyKnownPixels(bool inPlace = false) const {
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x) {
        const raster::Pixel p = At(x, y);
        if (p == kSentinel || p == kBack) continue;
        if (inPlace ? p != picture.At(x, y) : !pictureValues.count(p)) return false;
      }
    return true;
  }
  std::unordered_set<raster::Pixel> pictureValues;
};

// Every effect is run at these picture sizes (down to 1x1, and long thin ones
// both ways) and speeds.
struct SweepSize {
  int w;
  int h;
};
inline constexpr SweepSize kSweepSizes[] = {{1, 1}, {7, 3}, {61, 37}, {100, 100}, {4000, 10}, {10, 1500}};
inline constexpr int kSweepSpeeds[] = {1, 13, 50};

// Every effect ends well within this many ticks, whatever the speed: the
// slowest is a sliced move at speed 1, about 7 x its length.
inline int TickBound(int w, int h) { return 8 * (w + h) + 1000; }

// Runs transition `number` at every sweep size and speed: it must report
// completion (after exactly `fixedTicks` ticks when the effect's rule fixes
// them whatever the size and speed, else within TickBound), end with the
// whole picture shown 1:1 and leave everything outside the picture rectangle
// alone; on small pictures every frame must pass `frameOk`. `afterRun` adds a
// family's own checks of the finished engine.
template <class SceneT>
void SweepSizesAndSpeeds(int number, const std::function<bool(const SceneT&)>& frameOk,
                         const std::function<void(const transitions::TransitionEngine&)>& afterRun = {},
                         int fixedTicks = 0) {
  for (const SweepSize size : kSweepSizes)
    for (const int speed : kSweepSpeeds) {
      SCOPED_TRACE(::testing::Message() << size.w << "x" << size.h << " speed " << speed);
      SceneT scene(size.w, size.h);
      base::SeededRandom random(static_cast<uint64_t>(number * 1000 + speed));
      transitions::TransitionEngine engine(random);
      engine.StartNumber(number, speed, scene.Surfaces());
      const int limit = fixedTicks > 0 ? fixedTicks : TickBound(size.w, size.h);
      const bool checkEveryFrame = size.w * size.h <= 4000;
      int ticks = 0;
      bool done = false;
      while (!done && ticks < limit + 1) {
        done = engine.ShowTimerTimer();
        ++ticks;
        if (checkEveryFrame) {
          ASSERT_TRUE(frameOk(scene)) << "tick " << ticks;
        }
      }
      EXPECT_TRUE(done);
      if (fixedTicks > 0) {
        EXPECT_EQ(ticks, fixedTicks);
      }
      EXPECT_TRUE(scene.PictureComplete());
      EXPECT_TRUE(scene.OutsideUntouched());
      if (afterRun) afterRun(engine);
    }
}

inline bool OnlyOwnPixels(const Scene& scene) { return scene.OnlyPicturePixelsAtTheirPlaces(); }

// Counts the draws of a wrapped generator.
class CountingRandom final : public base::Random {
 public:
  explicit CountingRandom(uint64_t seed) : inner_(seed) {}
  int32_t Next(int32_t range) override {
    ++draws;
    ranges.push_back(range);
    return inner_.Next(range);
  }
  int draws = 0;
  std::vector<int32_t> ranges;

 private:
  base::SeededRandom inner_;
};

// Hands out the given numbers, then zeros.
class ScriptedRandom final : public base::Random {
 public:
  explicit ScriptedRandom(std::vector<int32_t> values) : values_(std::move(values)) {}
  int32_t Next(int32_t range) override {
    ranges.push_back(range);
    return next_ < values_.size() ? values_[next_++] : 0;
  }
  std::vector<int32_t> ranges;

 private:
  std::vector<int32_t> values_;
  size_t next_ = 0;
};

}  // namespace transitions_test
