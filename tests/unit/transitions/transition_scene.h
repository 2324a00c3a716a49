// A picture placed inside a larger show image filled with a sentinel colour,
// and helpers to run a transition on it tick by tick.
#pragma once

#include <cstdint>
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

// Ticks a started transition until it reports completion, at most `limit`
// times; with `checkEveryTick`, notes the first tick after which a picture
// pixel is neither old nor its own picture pixel.
struct RunResult {
  int ticks = 0;
  bool done = false;
  int firstStrayTick = 0;  // 0: none
};
inline RunResult RunToCompletion(transitions::TransitionEngine& engine, const Scene& scene, int limit,
                                 bool checkEveryTick) {
  RunResult r;
  while (!r.done && r.ticks < limit) {
    r.done = engine.ShowTimerTimer();
    ++r.ticks;
    if (checkEveryTick && r.firstStrayTick == 0 && !scene.OnlyPicturePixelsAtTheirPlaces()) r.firstStrayTick = r.ticks;
  }
  return r;
}

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
