// Properties over the whole transition table that catch an effect registered
// under the wrong number:
// - mirror pairs: an effect on a scene shows, tick by tick, the mirror image
//   of what its partner shows on the mirrored scene (mirrored left to right,
//   top to bottom, or across the diagonal, which turns rows into columns);
// - every number shows frames of its own on one scene; only composite mode
//   makes numbers alike (the stretches run as 130..138 there);
// - the tick counts of the worked examples.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "transition_scene.h"
#include "transitions/transition_engine.h"
#include "transitions/transition_names.h"

namespace {

using raster::Bitmap;
using transitions::TransitionEngine;
using transitions::TransitionName;

enum class Symmetry { kMirrorX, kMirrorY, kTranspose };

Bitmap TransformBitmap(const Bitmap& b, Symmetry g) {
  const bool transpose = g == Symmetry::kTranspose;
  Bitmap out(transpose ? b.Height() : b.Width(), transpose ? b.Width() : b.Height());
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) {
      switch (g) {
        case Symmetry::kMirrorX: out.At(x, y) = b.At(b.Width() - 1 - x, y); break;
        case Symmetry::kMirrorY: out.At(x, y) = b.At(x, b.Height() - 1 - y); break;
        case Symmetry::kTranspose: out.At(x, y) = b.At(y, x); break;
      }
    }
  return out;
}

// A picture centred in a show image with an equal margin on every side, so
// that the origin stays where it is under every symmetry. The old screen
// image, the back image and the picture have patterns of their own.
struct Stage {
  static constexpr int kMargin = 3;

  Stage(int w, int h) : picture(w, h), target(w + 2 * kMargin, h + 2 * kMargin), back(target) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) picture.At(x, y) = transitions_test::PicturePixel(x, y);
    for (int y = 0; y < target.Height(); ++y)
      for (int x = 0; x < target.Width(); ++x) {
        target.At(x, y) = transitions_test::PicturePixel(x + 977, y) & 0x00FFFFFFu;
        back.At(x, y) = (transitions_test::PicturePixel(x, y + 661) & 0x00FFFFFFu) | 0x80000000u;
      }
  }
  Stage(Bitmap p, Bitmap t, Bitmap b) : picture(std::move(p)), target(std::move(t)), back(std::move(b)) {}

  Stage Transformed(Symmetry g) const {
    return {TransformBitmap(picture, g), TransformBitmap(target, g), TransformBitmap(back, g)};
  }
  transitions::ShowSurfaces Surfaces(bool composite = false) {
    return {&target, &picture, &back, {kMargin, kMargin}, composite};
  }

  Bitmap picture;
  Bitmap target;
  Bitmap back;
};

constexpr int kSpeed = 7;
constexpr uint64_t kSeed = 11;
constexpr int kTickLimit = 5000;

// Runs `number` to completion and hands every frame to `frame`.
template <class F>
void RunFrames(int number, Stage& stage, F&& frame, bool composite = false) {
  base::SeededRandom random(kSeed);
  TransitionEngine engine(random);
  engine.StartNumber(number, kSpeed, stage.Surfaces(composite));
  for (int tick = 1; tick <= kTickLimit; ++tick) {
    const bool done = engine.ShowTimerTimer();
    frame(static_cast<const Bitmap&>(stage.target));
    if (done) return;
  }
  ADD_FAILURE() << number << " did not complete";
}

std::vector<Bitmap> Frames(int number, Stage stage) {
  std::vector<Bitmap> frames;
  RunFrames(number, stage, [&frames](const Bitmap& target) { frames.push_back(target); });
  return frames;
}

struct MirrorPair {
  int a;
  int b;
  Symmetry g;
  int w = 41;  // odd sizes: a nearest-neighbour stretch samples mirrored pixels
  int h = 29;
};

constexpr Symmetry kX = Symmetry::kMirrorX;
constexpr Symmetry kY = Symmetry::kMirrorY;
constexpr Symmetry kT = Symmetry::kTranspose;

// Pairs whose rules mirror each other exactly.
const MirrorPair kMirrorPairs[] = {
    // Bands, scans, lines, blinds and sweeps. The corner bands mirror only top
    // to bottom: the right-hand ones lay their column teeth from the front,
    // the left-hand ones from the picture's edge.
    {12, 14, kX}, {13, 15, kX}, {0, 18, kY}, {1, 19, kY}, {0, 14, kT}, {1, 15, kT}, {18, 12, kT}, {19, 13, kT},
    {6, 4, kY}, {7, 5, kY}, {10, 8, kY}, {11, 9, kY},
    {105, 106, kX}, {104, 111, kY}, {104, 106, kT}, {111, 105, kT}, {107, 108, kT}, {109, 110, kT},
    {50, 52, kX}, {51, 53, kX}, {48, 54, kY}, {49, 55, kY}, {48, 52, kT}, {49, 53, kT}, {54, 50, kT}, {55, 51, kT},
    {56, 57, kT},
    // The blinds count their lines from the left or top edge either way, and
    // each sweep fills its cells from their left or top edge; the shutters
    // end differently on rows and columns.
    {146, 147, kX, 60, 29}, {145, 148, kY, 41, 40}, {145, 147, kT}, {148, 146, kT},
    {129, 131, kT}, {132, 130, kT},
    // Moves and two bars.
    {69, 76, kX}, {59, 82, kY}, {59, 76, kT}, {82, 69, kT},
    {67, 68, kX}, {65, 66, kX}, {67, 65, kY}, {68, 66, kY},
    {75, 88, kT},
    {70, 77, kX}, {71, 78, kX}, {72, 79, kX}, {73, 80, kX}, {74, 81, kX},
    {60, 83, kY}, {61, 84, kY}, {62, 85, kY}, {63, 86, kY}, {64, 87, kY},
    {60, 77, kT}, {61, 78, kT}, {62, 79, kT}, {63, 80, kT}, {64, 81, kT},
    {83, 70, kT}, {84, 71, kT}, {85, 72, kT}, {86, 73, kT}, {87, 74, kT},
    {139, 140, kX}, {137, 138, kX}, {135, 136, kY}, {133, 134, kY}, {140, 135, kT}, {139, 136, kT},
    {138, 133, kT}, {137, 134, kT},
    // Triangle wipes.
    {150, 149, kY}, {153, 152, kY}, {151, 154, kY}, {155, 156, kY},
    // Stretches, grows, rolls, rains and combs. Rain up and left stretch the
    // band that settles in the same tick, rain down and right the band ahead.
    {124, 125, kX}, {126, 120, kY}, {126, 124, kT}, {120, 125, kT},
    {127, 128, kX}, {121, 122, kX}, {127, 121, kY}, {128, 122, kY},
    {114, 115, kX}, {112, 113, kX}, {114, 112, kY}, {115, 113, kY},
    {101, 102, kX}, {100, 103, kY}, {100, 102, kT}, {103, 101, kT},
    {95, 97, kT}, {98, 96, kT},
    {116, 117, kT},
    // Grid effects: the 20 x 20 grids reach past the right and bottom edges,
    // so they mirror only across the diagonal; "Checkerboard left" ends on a
    // tick of its own, "Checkerboard down" does not.
    {25, 27, kT}, {30, 28, kT}, {31, 29, kT},
    {157, 159, kT}, {160, 158, kT},
};

// Pairs whose frames may differ along the shapes' edges only: a pixel whose
// centre lies exactly on an edge belongs to the shape on one side and not on
// the other, and the fans and wedges turn round ((W + 2) div 2, (H + 2) div 2),
// a pixel off the mirror axis. At most W + H pixels (one line along the
// edges) may differ in any frame; a swapped effect differs in whole areas.
const MirrorPair kNearMirrorPairs[] = {
    {150, 153, kX}, {149, 152, kX}, {151, 154, kX}, {155, 156, kX},
    {45, 46, kX}, {142, 143, kX}, {141, 144, kY}, {143, 141, kT}, {142, 144, kT},
};

std::string PairName(const MirrorPair& p) {
  const char* how = p.g == kX ? " mirrored left to right: " : p.g == kY ? " mirrored top to bottom: " : " transposed: ";
  return std::to_string(p.a) + " \"" + std::string(TransitionName(p.a)) + "\"" + how + std::to_string(p.b) + " \"" +
         std::string(TransitionName(p.b)) + "\"";
}

int DifferentPixels(const Bitmap& a, const Bitmap& b) {
  int different = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) different += a.At(x, y) != b.At(x, y);
  return different;
}

// Runs the pair and checks every frame of `b` against the mirrored frame of `a`.
void ExpectMirrored(const MirrorPair& pair, int tolerance) {
  SCOPED_TRACE(PairName(pair));
  const Stage stage(pair.w, pair.h);
  const std::vector<Bitmap> frames = Frames(pair.a, stage);
  const std::vector<Bitmap> partner = Frames(pair.b, stage.Transformed(pair.g));
  ASSERT_EQ(frames.size(), partner.size());
  for (size_t tick = 0; tick < frames.size(); ++tick)
    ASSERT_LE(DifferentPixels(TransformBitmap(frames[tick], pair.g), partner[tick]), tolerance) << "tick " << tick + 1;
}

TEST(TransitionProperties, MirrorPairsShowMirroredFramesTickByTick) {
  for (const MirrorPair& pair : kMirrorPairs) ExpectMirrored(pair, 0);
  for (const MirrorPair& pair : kNearMirrorPairs) ExpectMirrored(pair, pair.w + pair.h);
}

// FNV-1a over the frames of a whole run, with its tick count.
uint64_t RunSignature(int number, const Stage& start, bool composite) {
  Stage stage = start;
  uint64_t hash = 1469598103934665603ull;
  int ticks = 0;
  RunFrames(
      number, stage,
      [&](const Bitmap& target) {
        ++ticks;
        for (int y = 0; y < target.Height(); ++y)
          for (int x = 0; x < target.Width(); ++x) hash = (hash ^ target.At(x, y)) * 1099511628211ull;
      },
      composite);
  return (hash ^ static_cast<uint64_t>(ticks)) * 1099511628211ull;
}

// The groups of numbers that showed the same frames.
std::set<std::vector<int>> AlikeNumbers(const Stage& stage, bool composite) {
  std::map<uint64_t, std::vector<int>> bySignature;
  for (int number = transitions::kNoTransition; number < transitions::kTransitionCount; ++number)
    bySignature[RunSignature(number, stage, composite)].push_back(number);
  std::set<std::vector<int>> alike;
  for (const auto& [signature, numbers] : bySignature)
    if (numbers.size() > 1) alike.insert(numbers);
  return alike;
}

TEST(TransitionProperties, EveryNumberShowsItsOwnFrames) {
  const Stage stage(41, 29);
  EXPECT_EQ(AlikeNumbers(stage, false), std::set<std::vector<int>>{});
  // In composite mode "Stretch from bottom" (120) runs "Sweep left" (130), ...,
  // "Stretch from top-right" (128) runs "Two bar move right" (138).
  std::set<std::vector<int>> composite;
  for (int n = 120; n <= 128; ++n) composite.insert({n, n + 10});
  EXPECT_EQ(AlikeNumbers(stage, true), composite);
}

// The worked examples of the effects' rules whose tick count depends on the
// picture or the speed: a picture size, a speed and the ticks up to and
// including the one that reports completion. (The counts that are fixed
// whatever the picture are checked at every size by the family sweeps.)
struct Example {
  int number, w, h, speed, ticks;
};

TEST(TransitionProperties, WorkedExamplesTakeTheirTicks) {
  const Example examples[] = {
      {-1, 40, 30, 25, 1},     // no transition: one tick
      {0, 100, 100, 25, 7},    // "Band down large": draws at Position 0..125, done at 150
      {104, 20, 100, 30, 4},   // "Scan down": rows 0..30, 30..60, 60..90, 90..100
      {56, 12, 37, 25, 37},    // "Lines(Horizontal)": H ticks
      {99, 25, 40, 25, 25},    // "Random crossLines": W ticks
      {131, 333, 7, 3, 38},    // "Sweep right": (333 + 400) / 20 rounded up, plus one
      {69, 100, 8, 30, 6},     // "Move left": frames at 0, 30, 60, 90, 120; done at 150
      {36, 200, 100, 10, 64},  // "Circle(Center)"
      {93, 100, 100, 1, 23},   // a multi-wipe: 2 x CellW + 1 whatever the speed
      {93, 100, 100, 50, 23},
      {126, 20, 100, 30, 5},   // "Stretch from top": heights 0, 30, 60, 90, then the final draw
      {127, 300, 200, 20, 11}, // a corner stretch: GrowH 0, 20, ..., 180, then the final draw
      {116, 100, 4, 1, 53},    // "Show left-right" on W = 100
      {102, 99, 4, 7, 34},     // "Roll right" on W = 99
      {89, 200, 100, 25, 12},  // "Multi-Box from center" on W = 200
  };
  for (const Example& e : examples) {
    SCOPED_TRACE(::testing::Message() << e.number << " \"" << TransitionName(e.number) << "\" " << e.w << "x" << e.h
                                      << " speed " << e.speed);
    transitions_test::Scene scene(e.w, e.h);
    base::SeededRandom random(kSeed);
    TransitionEngine engine(random);
    engine.StartNumber(e.number, e.speed, scene.Surfaces());
    int ticks = 1;
    while (!engine.ShowTimerTimer() && ticks <= e.ticks) ++ticks;
    EXPECT_EQ(ticks, e.ticks);
    EXPECT_TRUE(scene.PictureComplete());
  }
}

}  // namespace
