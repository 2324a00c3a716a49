#include "player/run_window.h"

#include <gtest/gtest.h>

#include <set>

#include "player/run_messages.h"
#include "run_fakes.h"
#include "transitions/transition_table.h"

namespace {

using player::MenuChoice;
using player::RunTimer;
using player::testing::ShowFixture;
using testing_support::Record;

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

// `count` picture items without transitions, in order, each shown 5 s.
ShowFixture& Sequential(ShowFixture& show, int count = 3) {
  show.header = Record(4, "0") + Record(5, "5");
  show.items.assign(static_cast<size_t>(count), Record(36, ""));
  return show;
}

// A picture background whose only source is the desktop.
const std::string kDesktopBackground = Record(46, "1;") + Record(57, "0;");

TEST(RunWindowLoop, SequentialOrderWrapsAndTheFirstItemStartsAtOnce) {
  ShowFixture show(TestName());
  Sequential(show).Start();
  EXPECT_TRUE(show.platform.Enabled(RunTimer::Show)) << "the first item starts when the window is shown";
  EXPECT_FALSE(show.platform.Enabled(RunTimer::Select));
  std::vector<int> shown;
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(show.FinishTransition(), 1) << "an empty list runs the one-tick no-transition effect";
    shown.push_back(show.ShownItem());
    ASSERT_TRUE(show.platform.Enabled(RunTimer::Select));
    EXPECT_EQ(show.platform.Interval(RunTimer::Select), 6000u) << "display time 5 s plus one second";
    show.platform.Advance(5999);
    EXPECT_FALSE(show.platform.Enabled(RunTimer::Show)) << "the next item waits the whole display time";
    show.platform.Advance(1);
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 0}));
  EXPECT_EQ(show.platform.fronts, 5) << "each slide brings the show to the front and takes the keyboard";
  show.run.reset();
  EXPECT_FALSE(show.platform.Enabled(RunTimer::Select));
}

// The screen is captured (before the show's window covers it) only when an
// item may draw it: a picture background among its kinds and the desktop
// among its sources, a source list the composer cannot read counting as the
// desktop; background-only items count as well.
TEST(RunWindowLoop, DesktopIsCapturedOnlyWhenABackgroundMayShowIt) {
  const struct {
    const char* name;
    std::vector<std::string> items;
    bool captured;
  } cases[] = {
      {"Defaults", {Record(36, ""), Record(36, "")}, false},
      {"DesktopSource", {Record(36, ""), Record(36, "") + kDesktopBackground}, true},
      {"DesktopAmongSources", {Record(36, "") + Record(46, "0;1;") + Record(57, "2;0;")}, true},
      {"DesktopButNoPictureBackground", {Record(36, "") + Record(46, "0;2;") + Record(57, "0;")}, false},
      {"UnreadableSources", {Record(36, "") + Record(46, "1;") + Record(57, "x;")}, true},
      {"EmptySources", {Record(36, "") + Record(46, "1;") + Record(57, "")}, true},
      {"BackgroundOnlyItem", {Record(36, ""), Record(36, "") + Record(63, "1") + kDesktopBackground}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ShowFixture show(TestName() + c.name);
    show.header = Record(4, "0") + Record(5, "5");
    show.items = c.items;
    show.Start();
    EXPECT_EQ(base::FileExists(show.platform.capturePath), c.captured);
    show.run.reset();
    EXPECT_FALSE(base::FileExists(show.platform.capturePath)) << "the capture goes with the show";
  }
}

TEST(RunWindowLoop, RandomOrderMayRepeatAnItem) {
  ShowFixture show(TestName());
  show.header = Record(5, "0");
  show.items.assign(3, Record(36, ""));
  show.Start();
  std::vector<int> shown;
  for (int k = 0; k < 60; ++k) {
    show.FinishTransition();
    shown.push_back(show.ShownItem());
    show.platform.Advance(1000);
  }
  bool repeated = false;
  for (size_t k = 1; k < shown.size(); ++k) repeated |= shown[k] == shown[k - 1];
  EXPECT_TRUE(repeated);
  EXPECT_EQ(std::set<int>(shown.begin(), shown.end()), (std::set<int>{0, 1, 2}));
}

TEST(RunWindowLoop, SeparateModeShowsEachSlideWholeWithNothingLeftOfTheLast) {
  ShowFixture show(TestName());
  Sequential(show, 2);
  show.header += Record(40, "0");  // the picture brought in over the frame
  show.items[1] += Record(36, "3;") + Record(34, "0");
  show.sizes = {{24, 18}, {40, 10}};  // the first reaches past the second above and below
  show.Start();
  show.FinishTransition();
  const auto& screen = show.platform.screen;
  EXPECT_TRUE(player::testing::AllPixels(screen, {20, 15, 44, 33}, player::testing::ItemColour(0)));
  EXPECT_EQ(screen.At(19, 15), raster::MakePixel(0, 0, 0));
  EXPECT_TRUE(show.platform.cursorHidden);
  EXPECT_EQ(show.platform.presented.back(), (raster::Rect{20, 15, 44, 33})) << "the step presents the picture";
  // The next slide's background and texts replace the whole screen at once,
  // before the transition brings its picture in.
  show.platform.Advance(6000);
  EXPECT_TRUE(player::testing::SameBitmap(screen, show.platform.image));
  EXPECT_EQ(screen.At(21, 16), raster::MakePixel(0, 0, 0));
  show.FinishTransition();
  EXPECT_TRUE(player::testing::SameBitmap(screen, show.platform.image));
  EXPECT_TRUE(player::testing::AllPixels(screen, {12, 19, 52, 29}, player::testing::ItemColour(1)));
}

TEST(RunWindowLoop, TheUserListReplacesTheItemsListsWhenNewTransitionIsOn) {
  for (const bool userList : {false, true}) {
    ShowFixture show(TestName() + (userList ? "User" : "Items"));
    Sequential(show, 2);
    show.items.assign(2, Record(36, "3;") + Record(34, "0"));
    show.Settings().NewTransition = userList;
    show.Settings().Transition = "";  // no transition: done in one tick
    show.Start();
    if (userList)
      EXPECT_EQ(show.FinishTransition(), 1);
    else
      EXPECT_GT(show.FinishTransition(), 1) << "the item's own band transition";
  }
}

TEST(RunWindowLoop, CompositeModeRunsTheStretchesAsTheirWholeScreenForms) {
  for (const bool composite : {true, false}) {
    ShowFixture show(TestName() + (composite ? "Composite" : "Separate"));
    show.header = Record(4, "0") + Record(40, composite ? "1" : "2");
    show.items = {Record(36, "120;") + Record(34, "0")};
    show.Start();
    const int number = composite ? 130 : 120;
    EXPECT_EQ(show.platform.Interval(RunTimer::Show),
              static_cast<uint32_t>(transitions::TransitionEntryFor(number).intervalMs));
    show.platform.presented.clear();
    show.FinishTransition();
    EXPECT_EQ(show.ShownItem(), 0);
    // The transition brought in the whole screen, not the picture alone.
    bool wholeScreen = false;
    for (const raster::Rect& r : show.platform.presented) wholeScreen |= r == show.platform.image.Bounds();
    EXPECT_EQ(wholeScreen, composite);
  }
}

TEST(RunWindowLoop, FlashEndedReArmsSelectTimerWithItsCurrentInterval) {
  ShowFixture show(TestName());
  Sequential(show, 1).Start();
  EXPECT_TRUE(show.run->HandleMessage(player::UM_FLASHENDED, 1, 1));
  EXPECT_EQ(show.platform.Interval(RunTimer::Select), 1000u) << "the starting interval before any picture ended";
  show.FinishTransition();
  show.run->HandleMessage(player::UM_FLASHENDED, 0, 0);
  EXPECT_EQ(show.platform.Interval(RunTimer::Select), 6000u);
  EXPECT_TRUE(show.run->HandleMessage(player::UM_FLASHFRAME, 77, 0));
  EXPECT_FALSE(show.run->HandleMessage(0x0400 + 1, 0, 0)) << "not a message of the run window";
}

TEST(RunWindowLoop, MusicFlashAndVideoTakeTurns) {
  ShowFixture show(TestName());
  show.header = Record(4, "0") + Record(5, "2") + Record(40, "0");
  show.items = {Record(36, ""), Record(52, "1") + Record(47, "255"), Record(52, "2") + Record(47, "65280"),
                Record(36, "")};
  show.itemBytes = {{2, "clip"}};
  show.music = {"song"};
  auto& media = show.platform.media;
  media.music.clips["song"] = player::testing::FakeClip{600000};
  media.video.clips["clip"] = player::testing::FakeClip{4000, 16, 12};
  auto& flash = show.platform.flash;
  const auto& screen = show.platform.screen;
  show.Start();
  ASSERT_EQ(media.music.CurrentMode(), player::MediaMode::Playing);
  show.FinishTransition();
  show.platform.Advance(3000);

  // The Flash item: its background, the music paused, the show waiting for the movie.
  EXPECT_TRUE(player::testing::AllPixels(screen, screen.Bounds(), player::testing::kRed));
  EXPECT_TRUE(flash.open);
  EXPECT_EQ(media.music.CurrentMode(), player::MediaMode::Paused);
  const uint32_t pausedAt = media.music.PositionMs();
  EXPECT_FALSE(show.platform.Enabled(RunTimer::Select));
  show.platform.Advance(5000);
  show.platform.PostToWindow(player::UM_FLASHENDED, 1, 1);  // the movie has ended
  show.platform.Advance(3000);

  // The video item: its background around the clip, the music still paused.
  EXPECT_FALSE(flash.open);
  EXPECT_EQ(flash.opened.size(), 1u);
  EXPECT_TRUE(media.panelVisible);
  EXPECT_EQ(media.video.CurrentMode(), player::MediaMode::Playing);
  EXPECT_EQ(screen.At(0, 0), player::testing::kGreen);
  EXPECT_EQ(media.music.CurrentMode(), player::MediaMode::Paused);
  EXPECT_EQ(media.music.PositionMs(), pausedAt);

  // The clip ends; after SelectTimer's interval the next picture resumes the music.
  show.platform.Advance(4000);
  EXPECT_FALSE(media.panelVisible);
  EXPECT_EQ(media.music.PositionMs(), pausedAt);
  show.platform.Advance(3000);
  EXPECT_EQ(media.music.CurrentMode(), player::MediaMode::Playing);
  show.FinishTransition();
  EXPECT_EQ(show.ShownItem(), 3);
  EXPECT_EQ(media.music.opened, (std::vector<std::string>{"song"}));
  EXPECT_EQ(media.music.closedUse + media.video.closedUse, 0);
}

TEST(RunWindowLoop, TheEndOfTheShowTakesTheFlashWindowAndTheMediaDown) {
  ShowFixture show(TestName());
  show.header = Record(4, "0");
  show.items = {Record(36, ""), Record(52, "1")};
  show.music = {"song"};
  show.platform.media.music.clips["song"] = player::testing::FakeClip{600000};
  show.Start();
  show.FinishTransition();
  show.platform.Advance(6000);
  ASSERT_TRUE(show.platform.flash.open);
  // The Flash window passes on an ending input.
  show.platform.PostToWindow(player::UM_ENDSHOW, 0, 0);
  show.platform.Pump();
  EXPECT_TRUE(show.platform.closed);
  EXPECT_FALSE(show.platform.flash.open);
  EXPECT_FALSE(show.platform.media.music.IsOpen());
  EXPECT_EQ(show.platform.media.music.closedUse, 0);
}

TEST(RunWindowLoop, NoShowItemsIsABlackShowThatCanEnd) {
  ShowFixture show(TestName());
  show.items = {Record(63, "1"), Record(63, "1")};
  auto& run = show.Start();
  show.platform.Advance(10000);
  EXPECT_FALSE(show.platform.Enabled(RunTimer::Show));
  EXPECT_TRUE(player::testing::AllPixels(show.platform.screen, show.platform.screen.Bounds(),
                                         player::testing::kBlack));
  run.FormKeyDown(27);
  show.platform.Pump();
  EXPECT_TRUE(show.platform.closed);
}

TEST(RunWindowLoop, MissingPictureFileEndsTheShowAfterAMessage) {
  ShowFixture show(TestName());
  Sequential(show, 1);
  show.header += Record(38, "0");  // pictures are files beside the program
  show.items[0] += Record(2, "C:\\pictures\\gone.bmp");
  show.Settings().EnabledPassword = true;
  show.Start();
  EXPECT_EQ(show.platform.messages, (std::vector<std::string>{"File not found : " + show.folder + "gone.bmp"}));
  EXPECT_TRUE(show.platform.closed) << "no password stands between a broken show and its end";
  EXPECT_EQ(show.platform.passwordPrompts, 0);
  EXPECT_FALSE(show.platform.Enabled(RunTimer::Show));
}

TEST(RunWindowLoop, AnUndecodablePictureIsReportedOnceAndThenSkipped) {
  ShowFixture show(TestName());
  Sequential(show, 4);
  show.itemBytes[1] = "BM-damaged";
  show.items[2] += Record(45, "3");  // a type without a decoder
  show.Start();
  std::vector<int> shown;
  for (int k = 0; k < 4; ++k) {
    show.FinishTransition();
    shown.push_back(show.ShownItem());
    show.platform.Advance(6000);
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 3, 0, 3}));
  ASSERT_EQ(show.platform.messages.size(), 2u) << "once per picture and show";
  EXPECT_NE(show.platform.messages[0].find("BMP"), std::string::npos) << show.platform.messages[0];
  EXPECT_NE(show.platform.messages[1].find("SGI"), std::string::npos) << show.platform.messages[1];
  EXPECT_FALSE(show.platform.closed);
}

TEST(RunWindowLoop, SettingsThatCannotBeReadAreReportedAndTheShowGoesOn) {
  ShowFixture show(TestName());
  Sequential(show, 2).Settings();
  auto& run = show.Start();
  show.backend.keys[show.Settings().KeyPath]["Max Run Time"] = std::string("sixty");
  show.platform.PostToWindow(player::UM_SETTINGSCHANGED, 0, 0);
  EXPECT_NO_THROW(show.platform.Pump());
  EXPECT_EQ(show.platform.messages, (std::vector<std::string>{"Invalid data type for 'Max Run Time'"}));
  show.FinishTransition();
  show.platform.Advance(6000);
  show.FinishTransition();
  EXPECT_EQ(show.ShownItem(), 1) << "the show goes on";
  run.FormKeyDown(27);
  show.platform.Pump();
  EXPECT_TRUE(show.platform.closed);
}

TEST(RunWindowLoop, TearDownNeverCallsAPlatformThatIsGone) {
  for (const bool windowCreated : {false, true}) {
    ShowFixture show(TestName() + (windowCreated ? "Closed" : "NoWindow"));
    Sequential(show, 1).items[0] += kDesktopBackground;
    show.Start(false, 64, 48, windowCreated);
    ASSERT_TRUE(base::FileExists(show.platform.capturePath));
    if (windowCreated) {
      show.run->FormKeyDown(27);
      show.platform.Pump();
      ASSERT_TRUE(show.platform.closed);
    }
    show.platform.gone = true;
    show.run.reset();
    EXPECT_EQ(show.platform.callsWhenGone, 0);
    EXPECT_FALSE(base::FileExists(show.platform.capturePath)) << "the desktop capture goes with the show";
  }
}

// Ending the show ---------------------------------------------------------

TEST(RunWindowEnding, MovementCountsSensitivityPlusOneStepsOfTheThreshold) {
  for (const int sensitivity : {5, 0}) {
    ShowFixture show(TestName() + std::to_string(sensitivity));
    Sequential(show, 1).Settings().MouseSensitivity = sensitivity;
    auto& run = show.Start();
    show.FinishTransition();
    const int threshold = sensitivity == 0 ? 10 : sensitivity * 10;
    run.pbShowMouseMove(100, 100);  // the reference point
    EXPECT_FALSE(show.platform.cursorHidden) << "any movement shows the cursor";
    for (int k = 0; k < 20; ++k) run.pbShowMouseMove(100 + threshold - 1, 100 - threshold + 1);
    EXPECT_EQ(show.platform.closeRequests, 0) << "short of the threshold never counts";
    for (int k = 0; k < sensitivity; ++k) run.pbShowMouseMove(100 + threshold, 100);
    EXPECT_EQ(show.platform.closeRequests, 0);
    run.pbShowMouseMove(100, 100 - threshold);
    EXPECT_EQ(show.platform.closeRequests, 1);
    show.platform.Pump();
    EXPECT_TRUE(show.platform.closed);
  }
}

TEST(RunWindowEnding, ButtonsAndKeysFollowTheSettings) {
  for (const bool leftAndLongKey : {false, true}) {
    ShowFixture show(TestName() + (leftAndLongKey ? "Left" : "Right"));
    Sequential(show, 1).Settings().MouseLeftClick = leftAndLongKey;
    show.Settings().MouseDoubleClick = false;
    show.Settings().EscKey = false;
    show.Settings().EnterKey = false;
    show.Settings().SpecifiedKey = true;
    show.Settings().KeyValue = leftAndLongKey ? "AB" : "A";
    auto& run = show.Start();
    run.pbShowMouseDown(player::MouseButton::Middle);
    run.pbShowDblClick();
    run.ContextMenu(raster::Point{1, 1});
    run.FormKeyDown(27);
    run.FormKeyDown(13);
    run.FormKeyPress("a");  // the key is case-sensitive
    EXPECT_EQ(show.platform.closeRequests, 0);
    EXPECT_EQ(show.platform.menus, 0) << "no menu without RightClickMenu";
    run.FormKeyPress("A");
    EXPECT_EQ(show.platform.closeRequests, leftAndLongKey ? 0 : 1) << "a key value of two characters never matches";
    run.pbShowMouseDown(player::MouseButton::Left);  // a double click ends at its first press
    EXPECT_EQ(show.platform.closeRequests, 1);
    run.pbShowMouseDown(player::MouseButton::Right);
    EXPECT_EQ(show.platform.closeRequests, 2);
  }
}

TEST(RunWindowEnding, RightClickMenuKeepsMouseFromEndingTheShow) {
  ShowFixture show(TestName());
  Sequential(show, 1).header += Record(34, "1");
  show.Settings().MouseSensitivity = 0;
  auto& run = show.Start();
  run.pbShowMouseMove(0, 0);
  for (int k = 0; k < 10; ++k) run.pbShowMouseMove(500 * (k % 2), 0);
  run.pbShowMouseDown(player::MouseButton::Right);
  EXPECT_EQ(show.platform.closeRequests, 0);
  // The menu opens on a right click and on Shift+F10 or the Menu key, not on F10.
  constexpr int kVkApps = 0x5D, kVkF10 = 0x79;
  show.platform.menuChoices = {MenuChoice::None, MenuChoice::None, MenuChoice::None, MenuChoice::Stop};
  run.ContextMenu(raster::Point{3, 4});
  run.FormKeyDown(kVkF10);
  run.FormKeyDown(kVkF10, /*shift=*/true);
  run.FormKeyDown(kVkApps);
  show.platform.Pump();
  EXPECT_EQ(show.platform.menus, 3);
  EXPECT_FALSE(show.platform.closed) << "the menu closed without a choice";
  run.ContextMenu(raster::Point{3, 4});
  show.platform.Pump();
  EXPECT_TRUE(show.platform.closed);
}

TEST(RunWindowEnding, PreviewIgnoresInputAndAsksNoPassword) {
  ShowFixture show(TestName());
  Sequential(show, 1).header += Record(34, "1");
  show.Settings().MouseSensitivity = 0;
  show.Settings().MouseLeftClick = true;
  show.Settings().SpecifiedKey = true;
  show.Settings().EnabledPassword = true;
  auto& run = show.Start(/*preview=*/true, 152, 112);
  run.pbShowMouseMove(0, 0);
  run.pbShowMouseMove(100, 100);
  run.pbShowMouseDown(player::MouseButton::Left);
  run.pbShowDblClick();
  run.FormKeyDown(27);
  run.FormKeyPress("A");
  run.ContextMenu(raster::Point{5, 5});
  run.FormKeyDown(0x5D);
  EXPECT_EQ(show.platform.closeRequests, 0);
  EXPECT_EQ(show.platform.menus, 0) << "the preview has no menu";
  EXPECT_EQ(show.platform.fronts, 0) << "the preview never takes the keyboard";
  EXPECT_TRUE(run.FormCloseQuery());
  EXPECT_EQ(show.platform.passwordPrompts, 0);
  show.FinishTransition();
  EXPECT_FALSE(show.platform.cursorHidden) << "the preview never hides the cursor";
}

TEST(RunWindowEnding, PasswordCancelledWrongAndAcceptedWithoutASecondPrompt) {
  ShowFixture show(TestName());
  Sequential(show, 1).Settings().MouseSensitivity = 0;
  show.Settings().EnabledPassword = true;
  show.Settings().Password = "Secret";
  auto& run = show.Start();
  // While the last prompt is open, a click and another close request arrive:
  // neither opens a second prompt.
  show.platform.passwordAnswers = {{false, ""}, {true, "wrong"}, {true, "sECRET", [&] {
                                     run.pbShowMouseDown(player::MouseButton::Left);
                                     show.platform.RequestClose();
                                     show.platform.Pump();
                                   }}};
  run.pbShowMouseMove(0, 0);
  run.pbShowMouseMove(300, 0);
  show.platform.Pump();  // cancelled
  EXPECT_FALSE(show.platform.closed);
  run.pbShowMouseMove(305, 0);  // counted from where the mouse was at the request
  EXPECT_EQ(show.platform.closeRequests, 1);
  run.pbShowMouseMove(300, 20);
  show.platform.Pump();  // wrong
  EXPECT_FALSE(show.platform.closed);
  run.pbShowMouseMove(300, 40);
  show.platform.Pump();  // the same letters in another case
  EXPECT_TRUE(show.platform.closed);
  EXPECT_EQ(show.platform.passwordPrompts, 3);
}

// Timers keep firing while a prompt, the settings dialog or a message box is
// open. What asks to close the show then waits until the dialog has returned:
// the window is never destroyed under a running dialog and nothing is lost.
TEST(RunWindowEnding, CloseRequestsDuringADialogWaitForItToReturn) {
  using player::testing::PromptAnswer;
  const auto maxRunTimeOfAMinute = [](ShowFixture& show) -> ShowFixture& {
    Sequential(show, 1).Settings().UseMaxRunTime = true;
    show.Settings().MaxRunTime = 1;
    return show;
  };
  {  // Behind the password prompt the time is up: the password is asked again.
    ShowFixture show(TestName() + "Prompt");
    maxRunTimeOfAMinute(show).Settings().EnabledPassword = true;
    show.Settings().Password = "pw";
    auto& run = show.Start();
    const int fronts = show.platform.fronts;
    show.platform.passwordAnswers = {PromptAnswer(false, "", [&] { show.platform.Advance(61000); }),
                                     PromptAnswer(true, "pw")};
    run.FormKeyDown(27);
    show.platform.Pump();
    EXPECT_EQ(show.platform.passwordPrompts, 2);
    EXPECT_TRUE(show.platform.closed);
    EXPECT_FALSE(show.platform.destroyedUnderModal);
    EXPECT_EQ(show.platform.fronts, fronts) << "a slide behind the prompt took the keyboard";
  }
  {  // The settings dialog, without a password.
    ShowFixture show(TestName() + "Settings");
    maxRunTimeOfAMinute(show).header += Record(34, "1");
    auto& run = show.Start();
    show.platform.menuChoices = {MenuChoice::Setting};
    show.platform.whileSettingDialog = [&] { show.platform.Advance(61000); };
    run.ContextMenu(std::nullopt);
    EXPECT_FALSE(show.platform.destroyedUnderModal);
    show.platform.Pump();
    EXPECT_TRUE(show.platform.closed);
  }
  {  // A picture file found missing behind the prompt ends the show after it.
    ShowFixture show(TestName() + "Missing");
    Sequential(show, 2).header += Record(38, "0");
    show.Settings().EnabledPassword = true;
    show.items[0] += Record(2, "first.bmp");
    show.items[1] += Record(2, "gone.bmp");
    const auto first = player::testing::BmpBytes(raster::Bitmap(8, 6, player::testing::ItemColour(0)));
    base::WriteWholeFile(show.folder + "first.bmp", first.data(), first.size());
    auto& run = show.Start();
    show.platform.passwordAnswers = {PromptAnswer(false, "", [&] { show.platform.Advance(7000); })};
    run.FormKeyDown(27);
    show.platform.Pump();
    EXPECT_EQ(show.platform.messages, (std::vector<std::string>{"File not found : " + show.folder + "gone.bmp"}));
    EXPECT_FALSE(show.platform.destroyedUnderModal);
    EXPECT_TRUE(show.platform.closed);
    EXPECT_EQ(show.platform.passwordPrompts, 1) << "no password between a broken show and its end";
  }
}

TEST(RunWindowEnding, MaximumRunTimeOfOneMinuteAndOfZero) {
  for (const int minutes : {1, 0}) {
    ShowFixture show(TestName() + std::to_string(minutes));
    Sequential(show, 1).Settings().UseMaxRunTime = true;
    show.Settings().MaxRunTime = minutes;
    show.Start();
    EXPECT_EQ(show.platform.refusedTimers, 0) << "a timer was started before the window existed";
    show.platform.Advance(59000);
    EXPECT_EQ(show.platform.closeRequests, 0);
    show.platform.Advance(1000);
    EXPECT_EQ(show.platform.closeRequests, 1);
    EXPECT_TRUE(show.platform.closed);
    EXPECT_FALSE(show.platform.Enabled(RunTimer::MaxRuntime));
  }
}

TEST(RunWindowEnding, EndShowIsIgnoredOnceCanEndIsCleared) {
  ShowFixture show(TestName());
  Sequential(show, 1).Settings().EnabledPassword = true;
  show.Start();
  for (int k = 0; k < 2; ++k) {
    show.platform.PostToWindow(player::UM_ENDSHOW, 0, 0);
    show.platform.Pump();  // the prompt is cancelled
  }
  EXPECT_EQ(show.platform.closeRequests, 1);
  EXPECT_FALSE(show.platform.closed);
}

TEST(RunWindowEnding, SettingEntryAsksThePasswordThenOpensTheDialog) {
  ShowFixture show(TestName());
  Sequential(show, 1).header += Record(34, "1");
  show.Settings().EnabledPassword = true;
  show.Settings().Password = "pw";
  auto& run = show.Start();
  show.platform.passwordAnswers = {{false, ""}, {true, "PW"}, {true, "pw"}};
  show.platform.menuChoices = {MenuChoice::Setting, MenuChoice::Setting};
  run.ContextMenu(raster::Point{1, 1});
  EXPECT_EQ(show.platform.settingDialogs, 0);
  // The dialog changes the stored settings; the show reads them afterwards.
  show.platform.whileSettingDialog = [&] {
    settings::TRWSetting changed("Show.scr", show.backend);
    changed.ReadSetting();
    changed.UseMaxRunTime = true;
    changed.MaxRunTime = 2;
    changed.WriteSetting();
  };
  run.ContextMenu(raster::Point{1, 1});
  EXPECT_EQ(show.platform.settingDialogs, 1);
  show.platform.Advance(119000);
  EXPECT_EQ(show.platform.closeRequests, 0);
  show.platform.Advance(1000);
  EXPECT_TRUE(show.platform.closed) << "two minutes from the change";
}

}  // namespace
