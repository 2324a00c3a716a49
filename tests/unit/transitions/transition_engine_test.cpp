#include "transitions/transition_engine.h"

#include <gtest/gtest.h>

#include <set>

#include "transition_scene.h"
#include "transitions/transition_names.h"
#include "transitions/transition_table.h"

namespace {

using transitions::kTransitionCount;
using transitions::TransitionEngine;
using transitions::TransitionEntryFor;
using transitions::TransitionName;
using transitions::TransitionTable;
using transitions::TSSBArray;
using transitions_test::Scene;
using transitions_test::ScriptedRandom;

TEST(TransitionNames, ListOrderAndSpellings) {
  EXPECT_EQ(TransitionName(0), "Band down large");
  EXPECT_EQ(TransitionName(13), "Band left samll");
  EXPECT_EQ(TransitionName(108), "Scan to center(Vertical) ");
  EXPECT_EQ(TransitionName(117), "Show up-dwon");
  EXPECT_EQ(TransitionName(133), "Tow bar move down");
  EXPECT_EQ(TransitionName(160), "Zig-zag up");
  EXPECT_EQ(TransitionName(-1), "");
  EXPECT_EQ(TransitionName(161), "");
  std::set<std::string_view> distinct;
  for (int i = 0; i < kTransitionCount; ++i) {
    EXPECT_FALSE(TransitionName(i).empty());
    distinct.insert(TransitionName(i));
  }
  EXPECT_EQ(distinct.size(), 161u);
}

TEST(TransitionTable, HasEveryNumberInOrderWithItsPairAndInterval) {
  const auto table = TransitionTable();
  ASSERT_EQ(table.size(), 162u);
  const std::set<int> oneMs = {47, 116, 117, 157, 158, 159, 160};
  const std::set<int> thirtyMs = {24, 25, 26, 27, 28, 29, 30, 31, 74, 81, 145, 146, 147, 148};
  const std::set<int> fiftyMs = {129, 130, 131, 132};
  for (size_t i = 0; i < table.size(); ++i) {
    const int number = static_cast<int>(i) - 1;
    const auto& entry = table[i];
    EXPECT_EQ(entry.number, number);
    EXPECT_NE(entry.effect.prepare, nullptr);
    EXPECT_NE(entry.effect.step, nullptr);
    const int expected = oneMs.count(number) ? 1 : thirtyMs.count(number) ? 30 : fiftyMs.count(number) ? 50 : 10;
    EXPECT_EQ(entry.intervalMs, expected) << number << " " << TransitionName(number);
    EXPECT_EQ(&TransitionEntryFor(number), &entry);
  }
  EXPECT_EQ(&TransitionEntryFor(161), &table[0]);
  EXPECT_EQ(&TransitionEntryFor(-2), &table[0]);
}

TEST(TransitionTable, CornerAndCentreBandsCarryTheirToothSizes) {
  for (int n : {2, 4, 6, 8, 10, 16}) EXPECT_EQ(TransitionEntryFor(n).args.tooth, 15) << n;
  for (int n : {3, 5, 7, 9, 11, 17}) EXPECT_EQ(TransitionEntryFor(n).args.tooth, 5) << n;
}

class EngineTest : public ::testing::Test {
 protected:
  // Runs the current transition to its end; the number of ticks it took.
  int RunToEnd(TransitionEngine& engine, int limit = 100000) {
    for (int tick = 1; tick <= limit; ++tick)
      if (engine.ShowTimerTimer()) return tick;
    return -1;
  }
  Scene scene{40, 30};
  base::SeededRandom random{7};
};

TEST_F(EngineTest, NoTransitionShowsThePictureInOneTick) {
  TransitionEngine engine(random);
  TSSBArray empty;
  const auto started = engine.StartTransition(empty, 25, false, scene.Surfaces());
  EXPECT_EQ(started.number, -1);
  EXPECT_EQ(started.intervalMs, 10);
  EXPECT_TRUE(engine.Running());
  EXPECT_TRUE(scene.target.At(scene.origin.x, scene.origin.y) == transitions_test::kSentinel);  // prepare draws nothing
  EXPECT_EQ(RunToEnd(engine), 1);
  EXPECT_FALSE(engine.Running());
  EXPECT_TRUE(scene.PictureComplete());
  EXPECT_TRUE(scene.OutsideUntouched());
  EXPECT_FALSE(engine.ShowTimerTimer());  // an idle engine has nothing to step
}

TEST_F(EngineTest, EmptyListGivesNoTransitionAlsoWhenPickedAtRandom) {
  TransitionEngine engine(random);
  TSSBArray empty;
  EXPECT_EQ(engine.StartTransition(empty, 25, true, scene.Surfaces()).number, -1);
  EXPECT_EQ(RunToEnd(engine), 1);
}

TEST_F(EngineTest, NumbersOutsideTheTableRunAsNoTransition) {
  for (const char* text : {"161;", "500;", "-2;", "-2147483648;"}) {
    Scene fresh(20, 10);
    TransitionEngine engine(random);
    TSSBArray list;
    list.LoadFromText(text);
    const auto started = engine.StartTransition(list, 25, false, fresh.Surfaces());
    EXPECT_EQ(started.number, -1) << text;
    EXPECT_EQ(RunToEnd(engine), 1) << text;
    EXPECT_TRUE(fresh.PictureComplete());
  }
  TransitionEngine engine(random);
  engine.StartNumber(0, 25, scene.Surfaces());
  EXPECT_TRUE(engine.StepTransition(999));  // the stray number steps as -1
  EXPECT_TRUE(scene.PictureComplete());
}

TEST_F(EngineTest, SequentialPicksWrapAndRandomPicksUseTheInjectedGenerator) {
  TSSBArray list;
  list.LoadFromText("104;106;");
  TransitionEngine engine(random);
  EXPECT_EQ(engine.StartTransition(list, 25, false, scene.Surfaces()).number, 104);
  EXPECT_EQ(engine.StartTransition(list, 25, false, scene.Surfaces()).number, 106);
  EXPECT_EQ(engine.StartTransition(list, 25, false, scene.Surfaces()).number, 104);

  ScriptedRandom scripted({1, 0});
  TransitionEngine randomEngine(scripted);
  EXPECT_EQ(randomEngine.StartTransition(list, 25, true, scene.Surfaces()).number, 106);
  ASSERT_FALSE(scripted.ranges.empty());
  EXPECT_EQ(scripted.ranges[0], 2);  // drawn from 0 .. Count - 1
  EXPECT_EQ(list.Index(), 1);        // the pick is remembered as the position
  EXPECT_EQ(randomEngine.StartTransition(list, 25, true, scene.Surfaces()).number, 104);
}

TEST_F(EngineTest, CompositeModeRunsTheStretchesAsTheirReplacements) {
  TransitionEngine engine(random);
  for (int n = 120; n <= 128; ++n) {
    const auto composite = engine.StartNumber(n, 25, scene.Surfaces(true));
    EXPECT_EQ(composite.number, n + 10);
    EXPECT_EQ(composite.intervalMs, TransitionEntryFor(n + 10).intervalMs);
    const auto plain = engine.StartNumber(n, 25, scene.Surfaces(false));
    EXPECT_EQ(plain.number, n);
    EXPECT_EQ(plain.intervalMs, 10);
  }
  EXPECT_EQ(engine.StartNumber(120, 25, scene.Surfaces(true)).intervalMs, 50);  // "Sweep left"
  EXPECT_EQ(engine.StartNumber(119, 25, scene.Surfaces(true)).number, 119);
  EXPECT_EQ(engine.StartNumber(129, 25, scene.Surfaces(true)).number, 129);
}

TEST_F(EngineTest, StartSetsTheSharedStateFromSurfacesAndSpeed) {
  TransitionEngine engine(random);
  scene.origin = {2, 1};
  EXPECT_EQ(engine.StartNumber(104, 17, scene.Surfaces()).number, 104);
  const auto& s = engine.State();
  EXPECT_EQ(s.OriginX, 2);
  EXPECT_EQ(s.OriginY, 1);
  EXPECT_EQ(s.Step, 17);
  EXPECT_EQ(s.PicWidth, 40);
  EXPECT_EQ(s.PicHeight, 30);
  EXPECT_EQ(s.SourceBitmap, &scene.picture);
  EXPECT_EQ(s.BackBitmap, &scene.back);
  EXPECT_EQ(s.PicRect(1, 2, 3, 4), (raster::Rect{3, 3, 5, 5}));
}

TEST_F(EngineTest, SpeedIsBroughtIntoOneToFifty) {
  TransitionEngine engine(random);
  engine.StartNumber(104, 0, scene.Surfaces());
  EXPECT_EQ(engine.State().Step, 1);
  EXPECT_EQ(RunToEnd(engine), 31);  // "Scan down" over 30 rows at 1 pixel per tick
  engine.StartNumber(104, -5, scene.Surfaces());
  EXPECT_EQ(engine.State().Step, 1);
  engine.StartNumber(104, 1000, scene.Surfaces());
  EXPECT_EQ(engine.State().Step, 50);
  EXPECT_EQ(RunToEnd(engine), 1);
}

TEST_F(EngineTest, StartParametersAreComputedFromThePictureSize) {
  ScriptedRandom scripted({11, 7});
  TransitionEngine engine(scripted);
  engine.StartNumber(119, 25, scene.Surfaces());
  EXPECT_EQ(engine.State().BarCount, 4);  // 40 div 10
  engine.StartNumber(118, 25, scene.Surfaces());
  EXPECT_EQ(engine.State().BarCount, 3);  // 30 div 10
  engine.StartNumber(37, 25, scene.Surfaces());
  EXPECT_EQ(scripted.ranges, (std::vector<int32_t>{40, 30}));
}

TEST_F(EngineTest, EmptyPictureCompletesAtOnce) {
  raster::Bitmap empty;
  TransitionEngine engine(random);
  transitions::ShowSurfaces surfaces{&scene.target, &empty, &scene.back, {0, 0}, false};
  EXPECT_EQ(engine.StartNumber(2, 25, surfaces).number, -1);
  EXPECT_EQ(RunToEnd(engine), 1);
  EXPECT_TRUE(scene.OutsideUntouched());
}

}  // namespace
