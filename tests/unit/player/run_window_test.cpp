#include "player/run_window.h"

#include <gtest/gtest.h>

#include <set>

#include "player/run_messages.h"
#include "run_fakes.h"
#include "transitions/transition_table.h"

namespace {

using player::RunTimer;
using player::testing::ShowFixture;
using testing_support::Record;

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

// Three picture items without transitions, in order.
ShowFixture& Sequential(ShowFixture& show, int count = 3) {
  show.header = Record(4, "0") + Record(5, "5");
  show.items.assign(static_cast<size_t>(count), Record(36, ""));
  return show;
}

TEST(RunWindowLoop, SequentialOrderWrapsAndTheFirstItemStartsAtOnce) {
  ShowFixture show(TestName());
  Sequential(show).Start();
  ASSERT_EQ(show.prepared, (std::vector<int>{0})) << "the first item starts when the window is shown";
  EXPECT_TRUE(show.platform.Enabled(RunTimer::Show));
  EXPECT_FALSE(show.platform.Enabled(RunTimer::Select));
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(show.FinishTransition(), 1) << "an empty list runs the one-tick no-transition effect";
    ASSERT_TRUE(show.platform.Enabled(RunTimer::Select));
    EXPECT_EQ(show.platform.Interval(RunTimer::Select), 6000u) << "display time 5 s plus one second";
    show.run->SelectTimerTimer();
  }
  EXPECT_EQ(show.prepared, (std::vector<int>{0, 1, 2, 0}));
  EXPECT_EQ(show.platform.desktopCaptures, 1);
  show.run.reset();
  EXPECT_EQ(show.platform.desktopDeletes, 1);
  EXPECT_FALSE(show.platform.Enabled(RunTimer::Select));
}

TEST(RunWindowLoop, RandomOrderMayRepeatAnItem) {
  ShowFixture show(TestName());
  show.items.assign(3, Record(36, ""));
  show.Start();
  for (int k = 0; k < 60; ++k) {
    show.FinishTransition();
    show.run->SelectTimerTimer();
  }
  bool repeated = false;
  std::set<int> seen;
  for (size_t k = 1; k < show.prepared.size(); ++k) repeated |= show.prepared[k] == show.prepared[k - 1];
  for (int index : show.prepared) seen.insert(index);
  EXPECT_TRUE(repeated);
  EXPECT_EQ(seen, (std::set<int>{0, 1, 2}));
}

TEST(RunWindowLoop, FinishedPictureShowsWholeAtItsOriginAndHidesTheCursor) {
  ShowFixture show(TestName());
  Sequential(show, 1);
  show.header += Record(40, "0");  // picture brought in over the frame
  show.Start();
  show.FinishTransition();
  const auto& image = show.platform.image;
  EXPECT_EQ(image.At(2, 3), player::testing::FakeComposer::ColorOf(0));
  EXPECT_EQ(image.At(5, 6), player::testing::FakeComposer::ColorOf(0));
  EXPECT_EQ(image.At(6, 7), raster::MakePixel(0, 0, 0));
  EXPECT_TRUE(show.platform.cursorHidden);
  ASSERT_FALSE(show.platform.presented.empty());
  EXPECT_EQ(show.platform.presented.back(), (raster::Rect{2, 3, 6, 7})) << "only the picture goes to the screen";
}

TEST(RunWindowLoop, UserTransitionListWhenNewTransitionIsOn) {
  ShowFixture show(TestName());
  Sequential(show, 2);
  show.items = {Record(36, "3;") + Record(34, "0"), Record(36, "3;") + Record(34, "0")};
  show.Settings().NewTransition = true;
  show.Settings().Transition = "56;";
  show.Settings().RandomTransition = false;
  show.Start();
  EXPECT_EQ(show.run->FTransitionNo, 56);
}

TEST(RunWindowLoop, ItemListAndCompositeReplacementOfStretches) {
  ShowFixture show(TestName());
  show.header = Record(4, "0");
  show.items = {Record(36, "120;") + Record(34, "0"), Record(36, "128;") + Record(34, "0")};
  show.Start();
  EXPECT_EQ(show.run->FTransitionNo, 130);
  EXPECT_EQ(show.run->FOriginX, 0);
  EXPECT_EQ(show.run->FOriginY, 0);
  EXPECT_EQ(show.platform.Interval(RunTimer::Show),
            static_cast<uint32_t>(transitions::TransitionEntryFor(130).intervalMs));
  show.FinishTransition();
  show.run->SelectTimerTimer();
  EXPECT_EQ(show.run->FTransitionNo, 138);
}

TEST(RunWindowLoop, StretchesRunAsThemselvesOutsideCompositeMode) {
  ShowFixture show(TestName());
  show.header = Record(4, "0") + Record(40, "2");
  show.items = {Record(36, "120;") + Record(34, "0")};
  show.Start();
  EXPECT_EQ(show.run->FTransitionNo, 120);
  EXPECT_EQ(show.run->FOriginX, 2);
  EXPECT_EQ(show.run->FOriginY, 3);
}

TEST(RunWindowLoop, MusicMessageFollowsThePictureRecord) {
  ShowFixture show(TestName());
  show.header = Record(4, "0");
  show.items = {Record(36, "") + Record(6, "0"), Record(36, "")};
  show.Start();
  ASSERT_FALSE(show.platform.posted.empty());
  EXPECT_EQ(show.platform.posted.back(), player::UM_PAUSEMUSIC);
  show.FinishTransition();
  show.run->SelectTimerTimer();
  EXPECT_EQ(show.platform.posted.back(), player::UM_RESUMEMUSIC);
}

TEST(RunWindowLoop, FlashEndedReArmsSelectTimerWithItsCurrentInterval) {
  ShowFixture show(TestName());
  Sequential(show, 1).Start();
  show.run->HandleMessage(player::UM_FLASHENDED, 1, 1);
  EXPECT_EQ(show.platform.Interval(RunTimer::Select), 1000u) << "the starting interval before any picture ended";
  show.FinishTransition();
  show.run->HandleMessage(player::UM_FLASHENDED, 0, 0);
  EXPECT_EQ(show.platform.Interval(RunTimer::Select), 6000u);
  show.run->HandleMessage(player::UM_FLASHFRAME, 77, 0);
  EXPECT_EQ(show.run->FFlashStartFrame, 77);
}

TEST(RunWindowLoop, MediaItemsShowTheirBackgroundAndMoveOn) {
  ShowFixture show(TestName());
  show.header = Record(4, "0") + Record(5, "2");
  show.items = {Record(52, "1"), Record(52, "2"), Record(36, "")};
  show.Start();
  EXPECT_EQ(show.prepared, (std::vector<int>{100}));
  EXPECT_EQ(show.platform.posted.back(), player::UM_PAUSEMUSIC);
  EXPECT_TRUE(show.platform.Enabled(RunTimer::Select));
  EXPECT_EQ(show.platform.Interval(RunTimer::Select), 3000u);
  show.run->SelectTimerTimer();
  show.run->SelectTimerTimer();
  EXPECT_EQ(show.prepared, (std::vector<int>{100, 101, 2}));
}

TEST(RunWindowLoop, NoShowItemsIsABlackShowThatCanEnd) {
  ShowFixture show(TestName());
  show.items = {Record(63, "1"), Record(63, "1")};
  auto& run = show.Start();
  EXPECT_EQ(run.FItemCount, 0);
  EXPECT_EQ(run.BackgroundItems().size(), 2u);
  EXPECT_TRUE(show.prepared.empty());
  run.SelectTimerTimer();
  run.FormKeyDown(27);
  EXPECT_TRUE(show.platform.closed);
}

TEST(RunWindowLoop, UnreadablePictureEndsTheShowAfterAMessage) {
  class Failing : public player::testing::FakeComposer {
   public:
    using FakeComposer::FakeComposer;
    void PrepareItem(int) override { throw std::runtime_error("JPEG: data ends early"); }
  };
  ShowFixture show(TestName());
  Sequential(show, 1);
  show.Settings().EnabledPassword = true;
  show.makeComposer = [&show] { return std::make_unique<Failing>(show.prepared); };
  show.Start();
  EXPECT_EQ(show.platform.messages, (std::vector<std::string>{"JPEG: data ends early"}));
  EXPECT_TRUE(show.platform.closed) << "no password stands between a broken show and its end";
  EXPECT_EQ(show.platform.passwordPrompts, 0);
}

// Ending the show ---------------------------------------------------------

ShowFixture& Ending(ShowFixture& show) {
  Sequential(show, 1);
  return show;
}

TEST(RunWindowEnding, SensitivityFiveNeedsSixMovesOfTheThreshold) {
  ShowFixture show(TestName());
  Ending(show).Settings().MouseSensitivity = 5;
  auto& run = show.Start();
  run.pbShowMouseMove(100, 100);  // reference point
  for (int k = 0; k < 20; ++k) run.pbShowMouseMove(100 + 49, 100 - 49);
  EXPECT_EQ(show.platform.closeRequests, 0) << "49 pixels never count";
  for (int k = 0; k < 5; ++k) run.pbShowMouseMove(150, 100);
  EXPECT_EQ(show.platform.closeRequests, 0);
  run.pbShowMouseMove(100, 50);
  EXPECT_EQ(show.platform.closeRequests, 1);
  EXPECT_TRUE(show.platform.closed);
}

TEST(RunWindowEnding, SensitivityZeroEndsOnTheFirstTenPixels) {
  ShowFixture show(TestName());
  Ending(show).Settings().MouseSensitivity = 0;
  auto& run = show.Start();
  run.pbShowMouseMove(10, 10);
  run.pbShowMouseMove(19, 19);
  EXPECT_EQ(show.platform.closeRequests, 0);
  run.pbShowMouseMove(20, 10);
  EXPECT_EQ(show.platform.closeRequests, 1);
}

TEST(RunWindowEnding, MovementShowsTheCursor) {
  ShowFixture show(TestName());
  Ending(show).Settings().MouseMove = false;
  auto& run = show.Start();
  show.FinishTransition();
  ASSERT_TRUE(show.platform.cursorHidden);
  run.pbShowMouseMove(1, 1);
  EXPECT_FALSE(show.platform.cursorHidden);
}

TEST(RunWindowEnding, RightClickMenuKeepsMouseFromEndingTheShow) {
  ShowFixture show(TestName());
  Ending(show).header += Record(34, "1");
  show.Settings().MouseSensitivity = 0;
  auto& run = show.Start();
  EXPECT_TRUE(run.PopupMenuOffered());
  run.pbShowMouseMove(0, 0);
  for (int k = 0; k < 10; ++k) run.pbShowMouseMove(500 * (k % 2), 0);
  run.pbShowMouseDown(player::MouseButton::Right);
  EXPECT_EQ(show.platform.closeRequests, 0);
  run.Close1Click();
  EXPECT_TRUE(show.platform.closed);
}

TEST(RunWindowEnding, ButtonsFollowTheSettings) {
  ShowFixture show(TestName());
  Ending(show).Settings().MouseLeftClick = false;
  show.Settings().MouseDoubleClick = false;
  show.Settings().MouseRightClick = true;
  auto& run = show.Start();
  run.pbShowMouseDown(player::MouseButton::Left);
  run.pbShowMouseDown(player::MouseButton::Middle);
  run.pbShowDblClick();
  EXPECT_EQ(show.platform.closeRequests, 0);
  run.pbShowMouseDown(player::MouseButton::Right);
  EXPECT_EQ(show.platform.closeRequests, 1);
}

TEST(RunWindowEnding, DoubleClickWithLeftClickEndsOnTheFirstPress) {
  ShowFixture show(TestName());
  Ending(show).Settings().MouseLeftClick = true;
  auto& run = show.Start();
  run.pbShowMouseDown(player::MouseButton::Left);
  EXPECT_EQ(show.platform.closeRequests, 1);
}

TEST(RunWindowEnding, KeysAndTheCaseSensitiveCharacter) {
  ShowFixture show(TestName());
  Ending(show).Settings().EscKey = false;
  show.Settings().EnterKey = false;
  show.Settings().SpecifiedKey = true;
  show.Settings().KeyValue = "A";
  auto& run = show.Start();
  run.FormKeyDown(27);
  run.FormKeyDown(13);
  run.FormKeyPress("a");
  EXPECT_EQ(show.platform.closeRequests, 0);
  run.FormKeyPress("A");
  EXPECT_EQ(show.platform.closeRequests, 1);
}

TEST(RunWindowEnding, LongKeyValueNeverMatches) {
  ShowFixture show(TestName());
  Ending(show).Settings().SpecifiedKey = true;
  show.Settings().KeyValue = "AB";
  auto& run = show.Start();
  run.FormKeyPress("A");
  EXPECT_EQ(show.platform.closeRequests, 0);
  run.FormKeyDown(27);
  EXPECT_EQ(show.platform.closeRequests, 1);
}

TEST(RunWindowEnding, PreviewIgnoresInputAndAsksNoPassword) {
  ShowFixture show(TestName());
  Ending(show).Settings().MouseSensitivity = 0;
  show.Settings().MouseLeftClick = true;
  show.Settings().SpecifiedKey = true;
  show.Settings().EnabledPassword = true;
  show.Settings().Password = "secret";
  auto& run = show.Start(/*preview=*/true, 152, 112);
  run.pbShowMouseMove(0, 0);
  run.pbShowMouseMove(100, 100);
  run.pbShowMouseDown(player::MouseButton::Left);
  run.pbShowDblClick();
  run.FormKeyDown(27);
  run.FormKeyPress("A");
  EXPECT_EQ(show.platform.closeRequests, 0);
  EXPECT_FALSE(run.PopupMenuOffered());
  EXPECT_TRUE(run.FormCloseQuery());
  EXPECT_EQ(show.platform.passwordPrompts, 0);
  show.FinishTransition();
  EXPECT_FALSE(show.platform.cursorHidden) << "the preview never hides the cursor";
}

TEST(RunWindowEnding, PasswordCancelledThenAccepted) {
  ShowFixture show(TestName());
  Ending(show).Settings().MouseSensitivity = 0;
  show.Settings().EnabledPassword = true;
  show.Settings().Password = "Secret";
  auto& run = show.Start();
  show.platform.passwordAnswers = {{false, ""}, {true, "wrong"}, {true, "sECRET"}};
  run.pbShowMouseMove(0, 0);
  run.pbShowMouseMove(300, 0);  // cancelled
  EXPECT_FALSE(show.platform.closed);
  EXPECT_FALSE(run.FInDialog);
  // The next movement counts from where the mouse was at the request.
  run.pbShowMouseMove(305, 0);
  EXPECT_EQ(show.platform.closeRequests, 1);
  run.pbShowMouseMove(300, 20);  // wrong password
  EXPECT_FALSE(show.platform.closed);
  run.pbShowMouseMove(300, 40);  // the same letters in another case
  EXPECT_TRUE(show.platform.closed);
  EXPECT_EQ(show.platform.passwordPrompts, 3);
}

TEST(RunWindowEnding, NoSecondPromptWhileThePasswordIsAsked) {
  ShowFixture show(TestName());
  Ending(show).Settings().EnabledPassword = true;
  show.Settings().Password = "pw";
  auto& run = show.Start();
  // The prompt is open (a nested message loop); a key or a timer arrives.
  run.FInDialog = true;
  EXPECT_FALSE(run.FormCloseQuery());
  EXPECT_EQ(show.platform.passwordPrompts, 0);
  run.FInDialog = false;
  show.platform.passwordAnswers = {{true, "pw"}};
  EXPECT_TRUE(run.FormCloseQuery());
}

TEST(RunWindowEnding, MaximumRunTimeOfOneMinute) {
  ShowFixture show(TestName());
  Ending(show).Settings().UseMaxRunTime = true;
  show.Settings().MaxRunTime = 1;
  auto& run = show.Start();
  ASSERT_TRUE(show.platform.Enabled(RunTimer::MaxRuntime));
  for (int k = 0; k < 59; ++k) run.MaxRuntimeTimer();
  EXPECT_EQ(show.platform.closeRequests, 0);
  run.MaxRuntimeTimer();
  EXPECT_EQ(show.platform.closeRequests, 1);
  EXPECT_FALSE(show.platform.Enabled(RunTimer::MaxRuntime));
  EXPECT_FALSE(run.FCanEnd);
}

TEST(RunWindowEnding, MaximumRunTimeOfZeroMeansOneMinute) {
  ShowFixture show(TestName());
  Ending(show).Settings().UseMaxRunTime = true;
  show.Settings().MaxRunTime = 0;
  auto& run = show.Start();
  EXPECT_EQ(run.FRemaining, 60);
}

TEST(RunWindowEnding, EndShowIsIgnoredOnceCanEndIsCleared) {
  ShowFixture show(TestName());
  Ending(show).Settings().EnabledPassword = true;
  show.Settings().Password = "pw";
  auto& run = show.Start();
  show.platform.passwordAnswers = {{false, ""}};
  run.HandleMessage(player::UM_ENDSHOW, 0, 0);
  EXPECT_EQ(show.platform.closeRequests, 1);
  EXPECT_FALSE(run.FCanEnd);
  run.HandleMessage(player::UM_ENDSHOW, 0, 0);
  EXPECT_EQ(show.platform.closeRequests, 1);
  EXPECT_FALSE(show.platform.closed);
}

TEST(RunWindowEnding, SettingEntryAsksThePasswordThenOpensTheDialog) {
  ShowFixture show(TestName());
  Ending(show).header += Record(34, "1");
  show.Settings().EnabledPassword = true;
  show.Settings().Password = "pw";
  auto& run = show.Start();
  show.platform.passwordAnswers = {{false, ""}, {true, "PW"}};
  run.Setting1Click();
  EXPECT_EQ(show.platform.settingDialogs, 0);
  // The dialog changes the stored settings; the show reads them afterwards.
  settings::TRWSetting changed("Show.scr", show.backend);
  changed.ReadSetting();
  changed.UseMaxRunTime = true;
  changed.MaxRunTime = 2;
  changed.WriteSetting();
  run.Setting1Click();
  EXPECT_EQ(show.platform.settingDialogs, 1);
  EXPECT_FALSE(run.FInDialog);
  EXPECT_TRUE(show.platform.Enabled(RunTimer::MaxRuntime));
  EXPECT_EQ(run.FRemaining, 120);
}

}  // namespace
