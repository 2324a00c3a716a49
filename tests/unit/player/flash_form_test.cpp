// The Flash window's rules, driven by a fake control on a virtual clock: how
// it opens, when each end rule ends the movie, and which inputs end the show.
#include "player/flash_form.h"

#include <gtest/gtest.h>

#include "flash_fakes.h"
#include "settings/fake_settings_backend.h"

namespace {

using player::FlashTimer;
using player::UM_ENDSHOW;
using player::UM_FLASHENDED;
using player::testing::FakeFlashControl;
using player::testing::FakeFlashWindow;
using Ending = FakeFlashControl::Ending;

struct FlashFixture {
  settings::testing::FakeSettingsBackend backend;
  settings::TRWSetting setting{"Show.scr", backend};
  FakeFlashWindow window;
  player::FlashOpenRequest request;
  std::vector<raster::Point> menus;

  FlashFixture() {
    request.runWindow = FakeFlashWindow::kRunWindow;
    request.setting = &setting;
    request.movie = "C:\\temp\\qev.swf";
    request.popupMenu = [this](raster::Point at) { menus.push_back(at); };
  }

  std::string Open(bool preview = false) {
    return preview ? window.form.OpenInPanel(request) : window.form.OpenFullScreen(request);
  }

  // The time of the first UM_FLASHENDED within `limitMs`, -1 without one.
  int64_t EndTime(int64_t limitMs) {
    window.RunUntil(limitMs);
    const auto ends = window.Delivered(UM_FLASHENDED);
    return ends.empty() ? -1 : ends.front().at;
  }

  bool Mouse(uint32_t message, int x = 0, int y = 0) {
    const bool reaches = window.form.FFlash.MouseMessage(message, static_cast<uint32_t>(x) | (static_cast<uint32_t>(y) << 16),
                                                         {x + 1000, y + 2000});
    window.Deliver();
    return reaches;
  }
  size_t EndShowRequests() const { return window.Delivered(UM_ENDSHOW).size(); }
};

TEST(FlashWindowOpen, FullScreenSetsTheControlInItsOrderAndStartsBothTimers) {
  FlashFixture f;
  f.request.params.BackgroundColor = 0x00332211;  // Windows colour: red 0x11, blue 0x33
  f.request.params.ScaleMode = 2;
  f.request.params.AlignMode = 5;
  f.request.params.StartFrame = 7;
  EXPECT_EQ(f.Open(), "");
  EXPECT_EQ(f.window.control.calls,
            (std::vector<std::string>{"Menu=0", "Movie=C:\\temp\\qev.swf", "BackgroundColor=112233", "ScaleMode=2",
                                      "AlignMode=5"}));
  EXPECT_EQ(f.window.form.FTotalFrames, 100);
  EXPECT_EQ(f.window.form.FStartFrame, 7);
  EXPECT_GE(f.window.cursorShown, 1) << "the cursor shows while a movie plays";
  EXPECT_TRUE(f.window.shown);
  EXPECT_TRUE(f.window.TimerEnabled(FlashTimer::Playtimer));
  EXPECT_TRUE(f.window.TimerEnabled(FlashTimer::stoptimer));
  f.window.RunUntil(100);
  EXPECT_FALSE(f.window.TimerEnabled(FlashTimer::Playtimer)) << "Playtimer fires once";
  EXPECT_EQ(f.window.control.calls.back(), "Play");
  EXPECT_EQ(f.window.control.calls[f.window.control.calls.size() - 2], "GotoFrame=7");
}

TEST(FlashWindowOpen, PreviewSetsTheMovieLastAndNeitherShowsTheCursorNorTakesTheMouse) {
  FlashFixture f;
  f.request.params.BackgroundColor = 0x00FF0000;
  f.request.setting = &f.setting;
  f.setting.MouseLeftClick = true;
  EXPECT_EQ(f.Open(/*preview=*/true), "");
  EXPECT_EQ(f.window.control.calls, (std::vector<std::string>{"Menu=0", "BackgroundColor=0000FF", "ScaleMode=0",
                                                              "AlignMode=0", "Movie=C:\\temp\\qev.swf"}));
  EXPECT_EQ(f.window.cursorShown, 0);
  EXPECT_GE(f.window.fronts, 2) << "brought to the front after the movie and after showing";
  EXPECT_TRUE(f.Mouse(player::kWmLButtonDown)) << "left clicks reach the movie";
  EXPECT_TRUE(f.Mouse(player::kWmMouseMove, 300, 300));
  EXPECT_FALSE(f.Mouse(player::kWmRButtonDown));
  EXPECT_FALSE(f.Mouse(player::kWmLButtonDblClk));
  EXPECT_EQ(f.EndShowRequests(), 0u);
  EXPECT_TRUE(f.menus.empty());
  // The key rules hold in the preview too.
  f.window.form.FormKeyDown(27);
  f.window.Deliver();
  EXPECT_EQ(f.EndShowRequests(), 1u);
}

TEST(FlashWindowOpen, AMovieThatCannotPlayIsNeitherShownNorStarted) {
  FlashFixture f;
  f.window.control.loadError = "The Flash movie x.swf cannot be played: the file is not a Flash movie.";
  EXPECT_EQ(f.Open(), f.window.control.loadError);
  EXPECT_FALSE(f.window.shown);
  EXPECT_FALSE(f.window.TimerEnabled(FlashTimer::Playtimer));
  EXPECT_FALSE(f.window.TimerEnabled(FlashTimer::stoptimer));
}

TEST(FlashWindowEnd, EachEndRuleEndsTheMovieAtItsTick) {
  const struct {
    const char* name;
    int32_t mode, frame, seconds;
    bool stopOnWrap, neverEnd;
    int frames, fps;
    Ending ending;
    int64_t endsAt;  // ms; -1: never within a minute
    bool stopsPlayer;
  } cases[] = {
      // Frame 100 at 25 fps from 100 ms: frame 97 at 4 s, 122 at 5 s.
      {"up to frame 100", 0, 100, 0, false, false, 1000, 25, Ending::Loops, 5000, true},
      {"up to frame 0 ends at once", 0, 0, 0, false, false, 1000, 25, Ending::Loops, 1000, true},
      {"ten seconds end at the eleventh tick", 1, 0, 10, false, false, 1000, 25, Ending::Loops, 11000, true},
      // 25 frames at 10 fps stop at 2.5 s: idle at 3, 4 and 5 s.
      {"to the end of a movie that stops itself", 2, 0, 0, false, false, 25, 10, Ending::StopsAtLastFrame, 5000, false},
      // Frames 9, 19, then 9 again: the movie went back.
      {"to the end of a looping movie", 2, 0, 0, false, false, 20, 10, Ending::Loops, 3000, true},
      {"a movie that never plays: 90 div 18 + 3 ticks", 2, 0, 0, false, false, 90, 10, Ending::NeverPlays, 8000, false},
      {"a never-playing movie of 17 frames: 3 ticks", 7, 0, 0, false, false, 17, 10, Ending::NeverPlays, 3000, false},
      {"stop on wrap", 1, 0, 1, true, false, 20, 10, Ending::Loops, 3000, true},
      {"stop on wrap with never end", 1, 0, 1, true, true, 20, 10, Ending::Loops, -1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FlashFixture f;
    f.request.params.EndMode = c.mode;
    f.request.params.EndFrame = c.frame;
    f.request.params.PlaySeconds = c.seconds;
    f.request.params.StopOnWrap = c.stopOnWrap;
    f.request.params.NeverEnd = c.neverEnd;
    f.window.control.frames = c.frames;
    f.window.control.framesPerSecond = c.fps;
    f.window.control.ending = c.ending;
    f.window.keepWindow = true;  // see every end the window posts
    ASSERT_EQ(f.Open(), "");
    EXPECT_EQ(f.EndTime(c.endsAt < 0 ? 60000 : c.endsAt), c.endsAt);
    if (c.endsAt < 0) continue;
    const auto end = f.window.Delivered(UM_FLASHENDED).front();
    EXPECT_EQ(end.window, FakeFlashWindow::kRunWindow);
    EXPECT_EQ(end.wParam, 1u);
    EXPECT_EQ(end.lParam, 1);
    const auto& calls = f.window.control.calls;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "StopPlay") > 0, c.stopsPlayer);
    // After an idle end the timer is off; after the others it stays on until
    // the run window destroys the window.
    EXPECT_EQ(f.window.TimerEnabled(FlashTimer::stoptimer), c.stopsPlayer);
  }
}

TEST(FlashWindowEnd, TheRunWindowDestroyingTheWindowOnTheFirstEndStopsEverything) {
  FlashFixture f;
  f.request.params.EndMode = 1;
  f.request.params.PlaySeconds = 2;
  ASSERT_EQ(f.Open(), "");
  EXPECT_EQ(f.EndTime(20000), 3000);
  EXPECT_EQ(f.window.Delivered(UM_FLASHENDED).size(), 1u);
  EXPECT_FALSE(f.window.windowExists);
}

TEST(FlashWindowEnd, ClosingTheWindowTellsTheRunWindow) {
  FlashFixture f;
  ASSERT_EQ(f.Open(), "");
  f.window.form.FormClose();
  f.window.Deliver();
  ASSERT_EQ(f.window.Delivered(UM_FLASHENDED).size(), 1u);
  EXPECT_EQ(f.window.Delivered(UM_FLASHENDED)[0].wParam, 1u);
  EXPECT_FALSE(f.window.windowExists);
}

TEST(FlashWindowInput, ClicksEndTheShowOnlyWhenTheMovieDoesNotGetThem) {
  for (bool movieGetsClicks : {false, true}) {
    SCOPED_TRACE(movieGetsClicks ? "the movie gets clicks" : "the movie does not get clicks");
    FlashFixture f;
    f.setting.MouseLeftClick = true;
    f.setting.MouseDoubleClick = true;
    f.request.params.MovieGetsClicks = movieGetsClicks;
    ASSERT_EQ(f.Open(), "");
    EXPECT_EQ(f.Mouse(player::kWmLButtonDown), movieGetsClicks);
    EXPECT_EQ(f.Mouse(player::kWmLButtonUp), movieGetsClicks);
    EXPECT_FALSE(f.Mouse(player::kWmLButtonDblClk)) << "a double click never reaches the movie";
    EXPECT_EQ(f.EndShowRequests(), movieGetsClicks ? 0u : 2u) << "left click and double click";
    for (const auto& m : f.window.Delivered(UM_ENDSHOW)) EXPECT_EQ(m.window, FakeFlashWindow::kMainWindow);
  }
  // With the settings off, clicks are dropped without ending anything.
  FlashFixture f;
  f.setting.MouseLeftClick = false;
  f.setting.MouseDoubleClick = false;
  ASSERT_EQ(f.Open(), "");
  EXPECT_FALSE(f.Mouse(player::kWmLButtonDown));
  EXPECT_FALSE(f.Mouse(player::kWmLButtonDblClk));
  EXPECT_EQ(f.EndShowRequests(), 0u);
}

TEST(FlashWindowInput, WithTheRunWindowsMenuRightClickOpensItAndMovementNeverEnds) {
  FlashFixture f;
  f.request.endsByMouse = false;  // RightClickMenu is not 0
  f.setting.MouseRightClick = true;
  f.setting.MouseMove = true;
  f.setting.MouseSensitivity = 0;
  ASSERT_EQ(f.Open(), "");
  const int cursorAtOpen = f.window.cursorShown;
  EXPECT_FALSE(f.Mouse(player::kWmRButtonDown, 12, 34));
  EXPECT_EQ(f.menus, (std::vector<raster::Point>{{1012, 2034}})) << "at the click, on the screen";
  for (int k = 0; k < 20; ++k) EXPECT_FALSE(f.Mouse(player::kWmMouseMove, 500 * (k % 2), 400 * (k % 2)));
  EXPECT_EQ(f.EndShowRequests(), 0u);
  EXPECT_EQ(f.window.cursorShown, cursorAtOpen + 20) << "movement shows the cursor instead";

  FlashFixture ends;
  ends.setting.MouseRightClick = true;
  ASSERT_EQ(ends.Open(), "");
  EXPECT_FALSE(ends.Mouse(player::kWmRButtonDown));
  EXPECT_TRUE(ends.menus.empty());
  EXPECT_EQ(ends.EndShowRequests(), 1u);
}

TEST(FlashWindowInput, MovementEndsAfterSensitivityPlusOneLargeMovesFromTheFirstPosition) {
  FlashFixture f;
  f.setting.MouseSensitivity = 5;
  f.setting.EnabledPassword = true;
  f.setting.Password = "Secret";
  ASSERT_EQ(f.Open(), "");
  f.window.passwordAnswers = {{false, ""}, {true, "secret"}};
  f.Mouse(player::kWmMouseMove, 100, 100);  // the first position
  for (int k = 0; k < 10; ++k) f.Mouse(player::kWmMouseMove, 149, 51);
  EXPECT_EQ(f.window.passwordPrompts, 0) << "49 pixels in both directions never count";
  for (int k = 0; k < 5; ++k) f.Mouse(player::kWmMouseMove, 150, 100);
  EXPECT_EQ(f.window.passwordPrompts, 0) << "five large moves";
  f.Mouse(player::kWmMouseMove, 100, 50);
  EXPECT_EQ(f.window.passwordPrompts, 1) << "the sixth asks";
  EXPECT_EQ(f.EndShowRequests(), 0u) << "cancelled";
  // Counting starts again from where the mouse was refused.
  for (int k = 0; k < 5; ++k) f.Mouse(player::kWmMouseMove, 100, 99);
  EXPECT_EQ(f.window.passwordPrompts, 1) << "near the new reference";
  for (int k = 0; k < 6; ++k) f.Mouse(player::kWmMouseMove, 100, 150);
  EXPECT_EQ(f.window.passwordPrompts, 2);
  EXPECT_EQ(f.EndShowRequests(), 1u) << "letters compare without regard to case";

  FlashFixture moves;
  moves.request.params.MovieGetsMoves = true;
  ASSERT_EQ(moves.Open(), "");
  for (int k = 0; k < 10; ++k) EXPECT_TRUE(moves.Mouse(player::kWmMouseMove, 500 * (k % 2), 0));
  EXPECT_EQ(moves.EndShowRequests(), 0u);
}

TEST(FlashWindowInput, KeysEndTheShowByTheSettingsAndAskThePasswordOnlyForAMatchingKey) {
  FlashFixture f;
  f.setting.EnabledPassword = true;
  f.setting.Password = "pw";
  f.setting.EscKey = true;
  f.setting.EnterKey = false;
  f.setting.SpecifiedKey = true;
  f.setting.KeyValue = "A";
  ASSERT_EQ(f.Open(/*preview=*/true), "");
  f.window.passwordAnswers = {{true, "no"}, {true, "pw"}, {true, "PW"}};
  f.window.form.FormKeyDown(13);
  f.window.form.FormKeyPress("a");
  f.window.form.FormKeyDown(65);
  EXPECT_EQ(f.window.passwordPrompts, 0);
  f.window.form.FormKeyDown(27);
  f.window.Deliver();
  EXPECT_EQ(f.window.passwordPrompts, 1);
  EXPECT_EQ(f.EndShowRequests(), 0u) << "a wrong password";
  f.window.form.FormKeyDown(27);
  f.window.form.FormKeyPress("A");
  f.window.Deliver();
  EXPECT_EQ(f.window.passwordPrompts, 3);
  EXPECT_EQ(f.EndShowRequests(), 2u);
}

}  // namespace
