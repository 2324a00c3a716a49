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

struct OpenedWindow {
  bool preview;
  bool endsByMouse;
  bool autoplay;
  player::FlashParams params;
  std::string movie;
  std::string settingKey;
};

class FakeFlashHost : public player::FlashHost {
 public:
  std::string OpenFlashFullScreen(const player::FlashWindowArgs& args) override { return Open(false, args); }
  std::string OpenFlashInPanel(const player::FlashWindowArgs& args) override { return Open(true, args); }
  void CloseFlashWindow() override {
    ++closes;
    open = false;
  }
  std::vector<OpenedWindow> opened;
  std::string refusal;
  bool open = false;
  int closes = 0;

 private:
  std::string Open(bool preview, const player::FlashWindowArgs& args) {
    if (open) ADD_FAILURE() << "a second Flash window";
    opened.push_back({preview, args.endsByMouse, args.autoplay, args.params, args.movie, args.setting.KeyPath});
    open = refusal.empty();
    return refusal;
  }
};

// A show whose run window has a Flash host: items in order, display time 2.
struct FlashRun {
  FakeFlashHost host;
  ShowFixture show;

  FlashRun(const std::string& name, std::vector<std::string> items, const std::string& header = "") : show(name) {
    show.header = Record(4, "0") + Record(5, "2") + header;
    show.items = std::move(items);
    show.platform.flashHost = &host;
  }
  player::TfRun& Start(bool preview = false) { return show.Start(preview); }
  player::testing::FakePlatform& platform() { return show.platform; }
};

const std::string kFlashItem = Record(52, "1") + Record(2, "C:\\movies\\intro.swf") + Record(56, "16711680") +
                               Record(54, "3") + Record(55, "2") + Record(65, "1") + Record(66, "40") +
                               Record(67, "1") + Record(68, "0") + Record(69, "12") + Record(70, "1") + Record(71, "0");
const std::string kPicture = Record(36, "");

TEST(RunWindowFlash, AFlashItemOpensTheFlashWindowWithItsParametersAndWaitsForItsEnd) {
  FlashRun r(TestName(), {kPicture, kFlashItem});
  auto& run = r.Start();
  r.show.FinishTransition();
  run.HandleMessage(player::UM_FLASHFRAME, 25, 0);
  r.platform().posted.clear();
  run.SelectTimerTimer();
  ASSERT_EQ(r.host.opened.size(), 1u);
  const OpenedWindow& w = r.host.opened[0];
  EXPECT_FALSE(w.preview);
  EXPECT_TRUE(w.endsByMouse) << "RightClickMenu is 0";
  EXPECT_TRUE(w.autoplay);
  EXPECT_EQ(w.params.BackgroundColor, 0x00FF0000u);
  EXPECT_EQ(w.params.AlignMode, 3);
  EXPECT_EQ(w.params.ScaleMode, 2);
  EXPECT_EQ(w.params.StartFrame, 25) << "the run window's FFlashStartFrame";
  EXPECT_EQ(w.params.EndMode, 1);
  EXPECT_EQ(w.params.EndFrame, 40);
  EXPECT_TRUE(w.params.StopOnWrap);
  EXPECT_FALSE(w.params.NeverEnd);
  EXPECT_EQ(w.params.PlaySeconds, 12);
  EXPECT_TRUE(w.params.MovieGetsMoves);
  EXPECT_FALSE(w.params.MovieGetsClicks);
  EXPECT_EQ(w.movie, r.show.folder + "qev.swf") << "the embedded movie, written to the temporary folder";
  EXPECT_EQ(w.settingKey, run.Setting().KeyPath);
  EXPECT_EQ(r.platform().posted.front(), player::UM_PAUSEMUSIC);
  EXPECT_EQ(r.show.prepared.back(), 101) << "the item's background and texts are shown beneath";
  EXPECT_TRUE(run.FFlashOpen);
  EXPECT_FALSE(r.platform().Enabled(RunTimer::Select)) << "the show waits for the movie";

  run.HandleMessage(player::UM_FLASHENDED, 1, 1);
  EXPECT_FALSE(r.host.open) << "destroyed on its end";
  EXPECT_FALSE(run.FFlashOpen);
  EXPECT_EQ(run.FFlashStartFrame, 0);
  ASSERT_TRUE(r.platform().Enabled(RunTimer::Select));
  EXPECT_EQ(r.platform().Interval(RunTimer::Select), 3000u) << "after a picture: display time + 1 s";
  run.SelectTimerTimer();
  EXPECT_EQ(r.show.prepared.back(), 0) << "the next item";
}

TEST(RunWindowFlash, TheWindowIsDestroyedWhenTheNextItemIsChosenAndWhenTheShowEnds) {
  FlashRun r(TestName(), {kFlashItem, kFlashItem});
  auto& run = r.Start();
  EXPECT_TRUE(r.host.open);
  const int closesBefore = r.host.closes;
  run.SelectTimerTimer();  // e.g. a UM_FLASHENDED with wParam 0 re-armed it
  EXPECT_GT(r.host.closes, closesBefore);
  EXPECT_EQ(r.host.opened.size(), 2u);
  EXPECT_TRUE(r.host.open);
  r.show.run.reset();
  EXPECT_FALSE(r.host.open) << "FormDestroy destroys a Flash window that still exists";
}

TEST(RunWindowFlash, ThePreviewOpensTheWindowInsideTheShowArea) {
  FlashRun r(TestName(), {kFlashItem}, Record(34, "1"));
  r.Start(/*preview=*/true);
  ASSERT_EQ(r.host.opened.size(), 1u);
  EXPECT_TRUE(r.host.opened[0].preview);
  EXPECT_FALSE(r.host.opened[0].endsByMouse) << "RightClickMenu is 1";
}

TEST(RunWindowFlash, AMovieThatCannotBeHadOrPlayedLetsTheShowGoOn) {
  // Refused by the window: its reason is shown, then the next item comes.
  FlashRun refused(TestName() + "Refused", {kFlashItem, kPicture});
  refused.host.refusal = "The Flash movie qev.swf cannot be played: the movie has no frames.";
  auto& run = refused.Start();
  EXPECT_EQ(refused.platform().messages, (std::vector<std::string>{refused.host.refusal}));
  EXPECT_FALSE(run.FFlashOpen);
  ASSERT_TRUE(refused.platform().Enabled(RunTimer::Select));
  run.SelectTimerTimer();
  EXPECT_EQ(refused.show.prepared.back(), 1);

  // Not beside the program: "File not found : " and no window.
  FlashRun missing(TestName() + "Missing", {kFlashItem, kPicture}, Record(39, "0"));
  auto& missingRun = missing.Start();
  EXPECT_TRUE(missing.host.opened.empty());
  ASSERT_EQ(missing.show.services.messages.size(), 1u);
  EXPECT_EQ(missing.show.services.messages[0], "File not found : " + missing.show.folder + "intro.swf");
  EXPECT_TRUE(missing.platform().Enabled(RunTimer::Select));
  EXPECT_FALSE(missingRun.FFlashOpen);
}

TEST(RunWindowFlash, APasswordIsAskedByTheFlashWindowAndThenByTheRunWindow) {
  FlashRun r(TestName(), {kFlashItem});
  settings::TRWSetting& setting = r.show.Settings();
  setting.EnabledPassword = true;
  setting.Password = "pw";
  setting.MouseSensitivity = 5;
  auto& run = r.Start();
  player::testing::FakeFlashWindow flash;
  player::FlashOpenRequest request;
  request.runWindow = player::testing::FakeFlashWindow::kRunWindow;
  request.setting = &run.Setting();
  request.movie = r.host.opened.at(0).movie;
  ASSERT_EQ(flash.form.OpenFullScreen(request), "");
  flash.passwordAnswers = {{true, "pw"}};
  r.platform().passwordAnswers = {{true, "pw"}};
  // The first position, then six moves of 300 pixels from it.
  for (int k = 0; k < 7; ++k) flash.form.FFlash.MouseMessage(player::kWmMouseMove, k == 0 ? 0u : 300u, {});
  flash.Deliver();
  EXPECT_EQ(flash.passwordPrompts, 1) << "after six large movements";
  for (const auto& m : flash.Delivered(player::UM_ENDSHOW)) run.HandleMessage(m.message, m.wParam, m.lParam);
  EXPECT_EQ(r.platform().passwordPrompts, 1) << "the run window asks again";
  EXPECT_TRUE(r.platform().closed);
  // A second request from the Flash window is ignored once one was taken.
  run.HandleMessage(player::UM_ENDSHOW, 0, 0);
  EXPECT_EQ(r.platform().passwordPrompts, 1);
}

}  // namespace
