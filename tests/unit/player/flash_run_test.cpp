// The run window's Flash movie items: the Flash window opened with the item's
// parameters, destroyed on UM_FLASHENDED, on the next item and at the end of
// the show; movies that cannot be had or played let the show go on.
#include <gtest/gtest.h>

#include "flash_fakes.h"
#include "player/flash_host.h"
#include "player/run_messages.h"
#include "run_fakes.h"

namespace {

using player::RunTimer;
using player::testing::ShowFixture;
using testing_support::Record;

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

// A show of `items` in order, each shown 2 s.
ShowFixture& FlashShow(ShowFixture& show, std::vector<std::string> items, const std::string& header = "") {
  show.header = Record(4, "0") + Record(5, "2") + header;
  show.items = std::move(items);
  return show;
}

void Post(ShowFixture& show, uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
  show.platform.PostToWindow(message, wParam, lParam);
  show.platform.Pump();
}

// A movie on a red background.
const std::string kFlashItem = Record(52, "1") + Record(2, "C:\\movies\\intro.swf") + Record(56, "16711680") +
                               Record(54, "3") + Record(55, "2") + Record(65, "1") + Record(66, "40") +
                               Record(67, "1") + Record(68, "0") + Record(69, "12") + Record(70, "1") +
                               Record(71, "0") + Record(47, "255");
const std::string kPicture = Record(36, "");

TEST(RunWindowFlash, AFlashItemOpensTheFlashWindowWithItsParametersAndWaitsForItsEnd) {
  ShowFixture show(TestName());
  FlashShow(show, {kPicture, kFlashItem, kFlashItem}).header += Record(40, "0");
  show.Start();
  auto& host = show.platform.flash;
  show.FinishTransition();
  Post(show, player::UM_FLASHFRAME, 25);
  show.platform.posted.clear();
  show.platform.Advance(3000);
  ASSERT_EQ(host.opened.size(), 1u);
  const auto& w = host.opened[0];
  EXPECT_FALSE(w.preview);
  EXPECT_TRUE(w.args.endsByMouse) << "RightClickMenu is 0";
  EXPECT_TRUE(w.args.autoplay);
  EXPECT_EQ(w.args.params.BackgroundColor, 0x00FF0000u);
  EXPECT_EQ(w.args.params.AlignMode, 3);
  EXPECT_EQ(w.args.params.ScaleMode, 2);
  EXPECT_EQ(w.args.params.StartFrame, 25) << "the frame UM_FLASHFRAME gave";
  EXPECT_EQ(w.args.params.EndMode, 1);
  EXPECT_EQ(w.args.params.EndFrame, 40);
  EXPECT_TRUE(w.args.params.StopOnWrap);
  EXPECT_FALSE(w.args.params.NeverEnd);
  EXPECT_EQ(w.args.params.PlaySeconds, 12);
  EXPECT_TRUE(w.args.params.MovieGetsMoves);
  EXPECT_FALSE(w.args.params.MovieGetsClicks);
  EXPECT_EQ(w.args.movie, show.folder + "qev.swf") << "the embedded movie, written to the temporary folder";
  EXPECT_EQ(w.args.setting.KeyPath, show.Settings().KeyPath);
  EXPECT_EQ(show.platform.posted, (std::vector<uint32_t>{player::UM_PAUSEMUSIC}));
  EXPECT_TRUE(player::testing::AllPixels(show.platform.screen, show.platform.screen.Bounds(),
                                         player::testing::kRed))
      << "the item's background is shown beneath";
  EXPECT_TRUE(host.open);
  show.platform.Advance(60000);
  EXPECT_EQ(host.opened.size(), 1u) << "the show waits for the movie";

  Post(show, player::UM_FLASHENDED, 1, 1);
  EXPECT_FALSE(host.open) << "destroyed on its end";
  ASSERT_TRUE(show.platform.Enabled(RunTimer::Select));
  EXPECT_EQ(show.platform.Interval(RunTimer::Select), 3000u) << "after a picture: display time + 1 s";
  show.platform.Advance(3000);
  ASSERT_EQ(host.opened.size(), 2u);
  EXPECT_EQ(host.opened[1].args.params.StartFrame, 0) << "the end of a movie resets the start frame";
  Post(show, player::UM_FLASHENDED, 1, 1);
  show.platform.Advance(3000);
  show.FinishTransition();
  EXPECT_EQ(show.ShownItem(), 0) << "the next item";
}

TEST(RunWindowFlash, TheWindowIsDestroyedWhenTheNextItemIsChosenAndWhenTheShowEnds) {
  ShowFixture show(TestName());
  FlashShow(show, {kFlashItem, kFlashItem}).Start();
  auto& host = show.platform.flash;
  EXPECT_TRUE(host.open);
  const int closesBefore = host.closes;
  // An end message without wParam 1 lets the next item come while the window is open.
  Post(show, player::UM_FLASHENDED, 0, 0);
  EXPECT_TRUE(host.open);
  show.platform.Advance(1000);
  EXPECT_GT(host.closes, closesBefore);
  EXPECT_EQ(host.opened.size(), 2u);
  EXPECT_TRUE(host.open);
  show.run->FormKeyDown(27);
  show.platform.Pump();
  ASSERT_TRUE(show.platform.closed);
  EXPECT_FALSE(host.open) << "FormDestroy destroys a Flash window that still exists";
}

TEST(RunWindowFlash, ThePreviewOpensTheWindowInsideTheShowArea) {
  ShowFixture show(TestName());
  FlashShow(show, {kFlashItem}, Record(34, "1")).Start(/*preview=*/true);
  const auto& opened = show.platform.flash.opened;
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_TRUE(opened[0].preview);
  EXPECT_FALSE(opened[0].args.endsByMouse) << "RightClickMenu is 1";
}

TEST(RunWindowFlash, AMovieThatCannotBeHadOrPlayedLetsTheShowGoOn) {
  // Refused by the window: its reason is shown once the show goes on, then the next item comes.
  ShowFixture refused(TestName() + "Refused");
  FlashShow(refused, {kFlashItem, kPicture});
  refused.platform.flash.refusal = "The Flash movie qev.swf cannot be played: the movie has no frames.";
  // The show waits while the reason is on screen.
  bool waited = true;
  refused.platform.whileMessage = [&] {
    refused.platform.Advance(5000);
    waited = !refused.platform.Enabled(RunTimer::Select) && !refused.platform.Enabled(RunTimer::Show);
  };
  refused.Start();
  EXPECT_EQ(refused.platform.messages, (std::vector<std::string>{refused.platform.flash.refusal}));
  EXPECT_TRUE(refused.services.messages.empty());
  EXPECT_TRUE(waited);
  EXPECT_TRUE(refused.platform.Enabled(RunTimer::Select));
  EXPECT_FALSE(refused.platform.flash.open);
  refused.platform.Advance(1000);
  refused.FinishTransition();
  EXPECT_EQ(refused.ShownItem(), 1);

  // Not beside the program: "File not found : " and no window.
  ShowFixture missing(TestName() + "Missing");
  FlashShow(missing, {kFlashItem, kPicture}, Record(39, "0")).Start();
  EXPECT_TRUE(missing.platform.flash.opened.empty());
  EXPECT_EQ(missing.services.messages,
            (std::vector<std::string>{"File not found : " + missing.folder + "intro.swf"}));
  EXPECT_TRUE(missing.platform.Enabled(RunTimer::Select));
  EXPECT_FALSE(missing.platform.flash.open);
}

TEST(RunWindowFlash, APasswordIsAskedByTheFlashWindowAndThenByTheRunWindow) {
  ShowFixture show(TestName());
  FlashShow(show, {kFlashItem});
  settings::TRWSetting& setting = show.Settings();
  setting.EnabledPassword = true;
  setting.Password = "pw";
  setting.MouseSensitivity = 5;
  show.Start();
  player::testing::FakeFlashWindow flash;
  player::FlashOpenRequest request;
  request.runWindow = player::testing::FakeFlashWindow::kRunWindow;
  request.setting = &show.platform.flash.opened.at(0).args.setting;
  request.movie = show.platform.flash.opened.at(0).args.movie;
  ASSERT_EQ(flash.form.OpenFullScreen(request), "");
  flash.passwordAnswers = {{true, "pw"}};
  show.platform.passwordAnswers = {{true, "pw"}};
  // The first position, then six moves of 300 pixels from it.
  for (int k = 0; k < 7; ++k) flash.form.FFlash.MouseMessage(player::kWmMouseMove, k == 0 ? 0u : 300u, {});
  flash.Deliver();
  EXPECT_EQ(flash.passwordPrompts, 1) << "after six large movements";
  for (const auto& m : flash.Delivered(player::UM_ENDSHOW)) show.platform.PostToWindow(m.message, m.wParam, m.lParam);
  show.platform.Pump();
  EXPECT_EQ(show.platform.passwordPrompts, 1) << "the run window asks again";
  EXPECT_TRUE(show.platform.closed);
}

}  // namespace
