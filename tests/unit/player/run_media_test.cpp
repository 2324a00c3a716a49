// Music and video of the running show, against scripted media devices that
// play on as the simulated clock moves: the order of the music files and the
// gaps between them, pausing and resuming around items, files that cannot be
// played, and video items at their place.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "player/run_messages.h"
#include "player/run_window.h"
#include "run_fakes.h"

namespace {

using player::MediaMode;
using player::RunTimer;
using player::testing::FakeClip;
using player::testing::FakeRunMedia;
using player::testing::ShowFixture;
using testing_support::Record;

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

const std::string kSongs[] = {"song-a", "song-b", "song-c"};

struct MusicOptions {
  bool loop = true;
  bool random = false;
  int pauseTicks = 1;
};

// A show of `items` (a picture that wants music when none are given), each
// shown 2 s, with three music files of 3 s each.
ShowFixture& WithMusic(ShowFixture& show, MusicOptions options, std::vector<std::string> items = {}) {
  show.header = Record(4, "0") + Record(5, "2") + Record(6, options.loop ? "1" : "0") +
                Record(8, options.random ? "1" : "0") + Record(7, std::to_string(options.pauseTicks));
  show.items = items.empty() ? std::vector<std::string>{Record(36, "")} : items;
  show.music.assign(std::begin(kSongs), std::end(kSongs));
  for (const auto& song : kSongs) show.platform.media.music.clips[song] = FakeClip{3000};
  return show;
}

bool WasPosted(const ShowFixture& show, uint32_t message) {
  const auto& posted = show.platform.posted;
  return std::find(posted.begin(), posted.end(), message) != posted.end();
}

// Lets the show run until the next item has been chosen.
void NextItem(ShowFixture& show) {
  show.FinishTransition();
  show.platform.Advance(show.platform.Interval(RunTimer::Select));
}

TEST(RunMusic, ThreeFilesInOrderLoopWithTheGapBetweenThem) {
  for (const int pauseTicks : {0, 1, 2, 5}) {
    ShowFixture show(TestName() + std::to_string(pauseTicks));
    WithMusic(show, {.loop = true, .pauseTicks = pauseTicks}).Start();
    auto& device = show.platform.media.music;
    ASSERT_EQ(device.opened, (std::vector<std::string>{"song-a"})) << "the first file opens before the show";
    ASSERT_EQ(device.CurrentMode(), MediaMode::Playing) << "the first picture wants music";

    // When each file opens, for seven files; the pictures go on meanwhile.
    std::vector<int64_t> openedAt{show.platform.now};
    while (device.opened.size() < 7 && show.platform.now < 60000) {
      show.platform.Advance(1000);
      if (device.opened.size() != openedAt.size()) {
        openedAt.push_back(show.platform.now);
        EXPECT_EQ(device.CurrentMode(), MediaMode::Playing);
      }
    }
    EXPECT_EQ(device.opened, (std::vector<std::string>{"song-a", "song-b", "song-c", "song-a", "song-b", "song-c",
                                                       "song-a"}));
    // A file of 3 s, then the tick that finds its end starts the next one at
    // once (0 or 1) or is the first of the MusicPauseTicks ticks of the gap.
    std::vector<int64_t> spans;
    for (size_t k = 1; k < openedAt.size(); ++k) spans.push_back(openedAt[k] - openedAt[k - 1]);
    const int64_t expected = 3000 + (std::max(1, pauseTicks) - 1) * 1000;
    EXPECT_EQ(spans, std::vector<int64_t>(6, expected)) << "MusicPauseTicks " << pauseTicks;
    EXPECT_EQ(device.closedUse, 0);
  }
}

TEST(RunMusic, WithoutLoopTheListPlaysOnceThenStaysSilent) {
  ShowFixture show(TestName());
  WithMusic(show, {.loop = false}, {Record(36, ""), Record(36, "")}).Start();
  show.platform.Advance(40000);  // later pictures keep asking for music
  auto& device = show.platform.media.music;
  EXPECT_EQ(device.opened, (std::vector<std::string>{"song-a", "song-b", "song-c"}));
  EXPECT_FALSE(device.IsOpen());
  EXPECT_FALSE(show.platform.Enabled(RunTimer::MusicPlay));
  show.platform.PostToWindow(player::UM_RESUMEMUSIC, 0, 0);
  show.platform.PostToWindow(player::UM_STARTMUSIC, 0, 0);
  show.platform.Advance(10000);
  EXPECT_EQ(device.opened.size(), 3u);
  EXPECT_EQ(device.closedUse, 0);
}

TEST(RunMusic, RandomOrderDrawsEveryFileAndMayRepeat) {
  ShowFixture show(TestName());
  WithMusic(show, {.loop = true, .random = true}).Start();
  show.platform.Advance(400000);
  const auto& opened = show.platform.media.music.opened;
  ASSERT_GT(opened.size(), 60u);
  EXPECT_EQ(std::set<std::string>(opened.begin(), opened.end()),
            std::set<std::string>(std::begin(kSongs), std::end(kSongs)));
  bool repeated = false, outOfOrder = false;
  for (size_t k = 1; k < opened.size(); ++k) {
    repeated |= opened[k] == opened[k - 1];
    outOfOrder |= opened[k] != opened[k - 1] && !(opened[k - 1] == "song-a" && opened[k] == "song-b") &&
                  !(opened[k - 1] == "song-b" && opened[k] == "song-c") &&
                  !(opened[k - 1] == "song-c" && opened[k] == "song-a");
  }
  EXPECT_TRUE(repeated);
  EXPECT_TRUE(outOfOrder);
}

TEST(RunMusic, MusicSwitchedOffOpensNothing) {
  ShowFixture show(TestName());
  WithMusic(show, {}, {Record(36, ""), Record(36, "")}).Settings().EnabledMusic = false;
  show.Start();
  for (int second = 0; second < 20; ++second) {
    show.platform.PostToWindow(player::UM_STARTMUSIC, 0, 0);
    show.platform.PostToWindow(player::UM_RESUMEMUSIC, 0, 0);
    show.platform.Advance(1000);
  }
  EXPECT_TRUE(show.platform.media.music.opened.empty());
  EXPECT_FALSE(show.platform.Enabled(RunTimer::MusicPlay));
}

TEST(RunMusic, AFlashOrVideoItemPausesAndTheNextPictureResumesWhereItStopped) {
  for (const int kind : {1, 2}) {
    ShowFixture show(TestName() + std::to_string(kind));
    WithMusic(show, {}, {Record(36, ""), Record(36, ""), Record(52, std::to_string(kind)), Record(36, "")});
    show.itemBytes = {{2, "clip"}};
    show.platform.media.music.clips["song-a"] = FakeClip{60000};
    show.platform.media.video.clips["clip"] = FakeClip{4000, 32, 24};
    show.Start();
    auto& device = show.platform.media.music;
    NextItem(show);
    NextItem(show);  // the media item
    ASSERT_EQ(device.CurrentMode(), MediaMode::Paused) << "kind " << kind;
    const uint32_t pausedAt = device.PositionMs();
    EXPECT_GT(pausedAt, 4000u) << "two pictures played";
    if (kind == 1) {
      show.platform.Advance(4000);
      EXPECT_EQ(device.PositionMs(), pausedAt);
      show.platform.PostToWindow(player::UM_FLASHENDED, 1, 1);  // the movie has ended
    }
    // The item plays to its end; then the next picture resumes the music.
    while (device.CurrentMode() == MediaMode::Paused && show.platform.now < 30000) {
      EXPECT_EQ(device.PositionMs(), pausedAt);
      show.platform.Advance(100);
    }
    EXPECT_EQ(device.CurrentMode(), MediaMode::Playing);
    EXPECT_GE(device.PositionMs(), pausedAt) << "on from where it stopped";
    EXPECT_LE(device.PositionMs(), pausedAt + 100);
    EXPECT_EQ(device.opened, (std::vector<std::string>{"song-a"}));
  }
}

TEST(RunMusic, APictureWithoutMusicPausesItAndTheSettingsDialogCanSwitchItOff) {
  ShowFixture show(TestName());
  WithMusic(show, {}, {Record(36, ""), Record(36, "") + Record(6, "0")}).header += Record(34, "1");
  show.music = {"song-a"};
  show.platform.media.music.clips["song-a"] = FakeClip{600000};
  auto& run = show.Start();
  auto& device = show.platform.media.music;
  ASSERT_EQ(device.CurrentMode(), MediaMode::Playing);
  NextItem(show);
  EXPECT_EQ(device.CurrentMode(), MediaMode::Paused);
  NextItem(show);
  EXPECT_EQ(device.CurrentMode(), MediaMode::Playing);
  // The user switches the music off in the dialog that the menu opens.
  auto switchMusic = [&](bool on) {
    show.platform.whileSettingDialog = [&show, on] {
      settings::TRWSetting changed("Show.scr", show.backend);
      changed.ReadSetting();
      changed.EnabledMusic = on;
      changed.WriteSetting();
    };
    show.platform.menuChoices = {player::MenuChoice::Setting};
    run.ContextMenu(raster::Point{1, 1});
    show.platform.Pump();
  };
  switchMusic(false);
  EXPECT_EQ(device.CurrentMode(), MediaMode::Paused);
  NextItem(show);
  NextItem(show);
  EXPECT_EQ(device.CurrentMode(), MediaMode::Paused) << "no picture brings it back while it is off";
  switchMusic(true);
  EXPECT_EQ(device.CurrentMode(), MediaMode::Playing) << "the dialog resumes it on a picture that wants music";
}

TEST(RunMusic, FilesThatCannotBePlayedAreSkippedAtTheNextGapWithoutPolling) {
  ShowFixture show(TestName());
  WithMusic(show, {.pauseTicks = 3});
  show.music = {"broken", "song-b", "song-c"};
  // The message waits until the show runs: the first picture is already on its way.
  bool showRunning = false;
  show.services.whileMessage = [&] { showRunning = show.platform.Enabled(RunTimer::Show); };
  show.Start();
  ASSERT_EQ(show.services.messages.size(), 1u);
  EXPECT_EQ(show.services.messages[0].find("Cannot play "), 0u) << show.services.messages[0];
  EXPECT_NE(show.services.messages[0].find("cannot be played on the specified MCI device"), std::string::npos);
  EXPECT_TRUE(showRunning);
  // The picture asked for music while the gap runs: no second try before its end.
  ASSERT_TRUE(WasPosted(show, player::UM_RESUMEMUSIC));
  show.platform.Advance(2000);
  EXPECT_TRUE(show.platform.media.music.opened.empty());
  show.platform.Advance(1000);
  EXPECT_EQ(show.platform.media.music.opened, (std::vector<std::string>{"song-b"})) << "the next file after the gap";
  EXPECT_EQ(show.services.messages.size(), 1u);
  EXPECT_EQ(show.platform.media.music.closedUse, 0) << "a closed device is never asked";
}

TEST(RunMusic, AnEndAskedForWhileTheMessageIsOpenComesAfterIt) {
  ShowFixture show(TestName());
  WithMusic(show, {});
  show.music = {"broken"};
  show.services.whileMessage = [&] { show.run->FormKeyDown(27); };
  show.Start();
  ASSERT_EQ(show.services.messages.size(), 1u);
  EXPECT_TRUE(show.platform.closed);
  EXPECT_FALSE(show.platform.destroyedUnderModal) << "the window waited for the message box";
}

TEST(RunMusic, WhenEveryFileFailsTheMusicFallsSilentForGood) {
  ShowFixture show(TestName());
  WithMusic(show, {.pauseTicks = 1});
  show.music = {"broken-1", "broken-2", "broken-3"};
  show.Start();
  show.platform.Advance(30000);
  EXPECT_EQ(show.services.messages.size(), 3u) << "one message for each file, not one each gap";
  EXPECT_FALSE(show.platform.Enabled(RunTimer::MusicPlay));
  EXPECT_EQ(show.platform.media.music.closedUse, 0);
  EXPECT_TRUE(show.platform.messages.empty());
}

TEST(RunMusic, AMissingExternalFileIsReportedAndTheShowGoesOn) {
  ShowFixture show(TestName());
  WithMusic(show, {.pauseTicks = 1}, {Record(36, ""), Record(36, "")}).header +=
      Record(39, "0") + Record(86, "Missing: %s");
  show.music.clear();
  show.header = Record(1, "gone.wav") + Record(1, "there.wav") + show.header;
  testing_support::WriteFile(show.folder + "there.wav", "song-b");
  show.platform.media.music.clips["song-b"] = FakeClip{60000};
  show.Start();
  ASSERT_EQ(show.services.messages, (std::vector<std::string>{"Missing: " + show.folder + "gone.wav"}));
  std::vector<int> shown;
  for (int k = 0; k < 4; ++k) {
    show.FinishTransition();
    shown.push_back(show.ShownItem());
    NextItem(show);
  }
  EXPECT_EQ(show.platform.media.music.opened, (std::vector<std::string>{"song-b"}));
  EXPECT_EQ(shown, (std::vector<int>{0, 1, 0, 1}));
}

TEST(RunMusic, TheEndOfTheShowStopsTheMusicDirectly) {
  for (const std::string ending : {"max-run-time", "end-show", "tear-down"}) {
    ShowFixture show(TestName() + ending);
    WithMusic(show, {});
    show.platform.media.music.clips["song-a"] = FakeClip{600000};
    show.Settings().UseMaxRunTime = true;
    show.Settings().MaxRunTime = 1;
    show.Settings().EnabledPassword = true;
    show.Settings().Password = "pw";
    show.Start();
    auto& device = show.platform.media.music;
    ASSERT_EQ(device.CurrentMode(), MediaMode::Playing);
    if (ending == "max-run-time") {
      show.platform.Advance(59990);
      ASSERT_EQ(device.CurrentMode(), MediaMode::Playing);
      show.platform.Advance(10);
    } else if (ending == "end-show") {
      show.platform.PostToWindow(player::UM_ENDSHOW, 0, 0);
      show.platform.Pump();
    } else {
      show.platform.passwordAnswers = {{true, "pw"}};
      show.run->FormKeyDown(27);
      show.platform.Pump();
      ASSERT_TRUE(show.platform.closed);
      EXPECT_FALSE(device.IsOpen()) << "the devices close with the window, before the project deletes its files";
      EXPECT_EQ(device.closedUse, 0);
      continue;
    }
    // The password was not given: the show goes on, its music stopped.
    EXPECT_EQ(show.platform.passwordPrompts, 1) << ending;
    EXPECT_FALSE(show.platform.closed);
    EXPECT_EQ(device.CurrentMode(), MediaMode::Stopped) << ending;
    EXPECT_FALSE(show.platform.Enabled(RunTimer::MusicPlay));
    EXPECT_FALSE(WasPosted(show, player::UM_STOPMUSIC)) << "stopped at once, not by a message";
  }
}

TEST(RunMusic, StartMessageStartsMusicThatIsNotPlaying) {
  ShowFixture show(TestName());
  WithMusic(show, {}, {Record(36, "") + Record(6, "0")}).Start();
  auto& device = show.platform.media.music;
  EXPECT_EQ(device.CurrentMode(), MediaMode::Stopped) << "opened, waiting for a picture that wants music";
  show.platform.PostToWindow(player::UM_STARTMUSIC, 0, 0);
  show.platform.Pump();
  EXPECT_EQ(device.CurrentMode(), MediaMode::Playing);
  show.platform.PostToWindow(player::UM_STARTMUSIC, 0, 0);
  show.platform.Pump();
  EXPECT_EQ(device.opened.size(), 2u) << "once: the music plays now";
  show.platform.PostToWindow(player::UM_STOPMUSIC, 0, 0);
  show.platform.Pump();
  EXPECT_EQ(device.CurrentMode(), MediaMode::Stopped);
  EXPECT_EQ(device.closedUse, 0);
}

// Video -------------------------------------------------------------------

// Video items of the clips, in order, each shown 2 s when it cannot play.
ShowFixture& WithVideos(ShowFixture& show, std::vector<FakeClip> clips, const std::string& itemFields = "") {
  show.header = Record(4, "0") + Record(5, "2");
  for (size_t k = 0; k < clips.size(); ++k) {
    show.itemBytes[show.items.size()] = "clip-" + std::to_string(k);
    show.items.push_back(Record(52, "2") + Record(2, "clip.avi") + itemFields);
    show.platform.media.video.clips["clip-" + std::to_string(k)] = clips[k];
  }
  return show;
}

TEST(RunVideo, PlaysAtTheComputedRectangleAndTheShowMovesOnAfterIt) {
  ShowFixture show(TestName());
  // The clip counts in frames until it is told to count in milliseconds.
  WithVideos(show, {FakeClip{3000, 320, 240, 15}}, Record(53, "5") + Record(47, "65280")).items.push_back(
      Record(36, ""));
  show.header += Record(40, "0");  // no black first fill over the backdrop
  show.Start(false, 1024, 768);
  const auto& media = show.platform.media;
  EXPECT_EQ(show.platform.screen.At(1023, 767), player::testing::kGreen) << "the backdrop shows around the clip";
  EXPECT_TRUE(WasPosted(show, player::UM_PAUSEMUSIC));
  EXPECT_EQ(media.video.window, FakeRunMedia::kPanel);
  EXPECT_TRUE(media.panelVisible);
  EXPECT_EQ(media.panelBounds, (raster::Rect{0, 0, 1024, 767})) << "320 by 240 in mode 5: 1024 by 767, centred";
  EXPECT_EQ(media.video.destination, (raster::Rect{0, 0, 1024, 767}));
  EXPECT_EQ(media.video.CurrentMode(), MediaMode::Playing);
  EXPECT_TRUE(show.platform.Enabled(RunTimer::Video));
  EXPECT_FALSE(show.platform.Enabled(RunTimer::Select)) << "the video itself decides when the show goes on";
  show.platform.Advance(2000);
  EXPECT_TRUE(media.panelVisible);
  show.platform.Advance(1000);
  EXPECT_FALSE(media.panelVisible);
  EXPECT_FALSE(media.video.IsOpen());
  EXPECT_FALSE(show.platform.Enabled(RunTimer::Video));
  ASSERT_TRUE(show.platform.Enabled(RunTimer::Select));
  EXPECT_EQ(show.platform.Interval(RunTimer::Select), 1000u) << "the interval SelectTimer has: no picture ended yet";
  show.platform.Advance(1000);
  show.FinishTransition();
  EXPECT_EQ(show.ShownItem(512, 384), 1);
  EXPECT_EQ(media.video.closedUse, 0);
}

TEST(RunVideo, PreviewShowsItThreeHundredWideCutAtTheSides) {
  ShowFixture show(TestName());
  WithVideos(show, {FakeClip{3000, 320, 240}}, Record(53, "1")).Start(true, 152, 112);
  EXPECT_EQ(show.platform.media.panelBounds, (raster::Rect{-74, -56, 226, 168}));
}

TEST(RunVideo, RandomPlacementKeepsTheClipInsideTheShow) {
  ShowFixture show(TestName());
  WithVideos(show, {FakeClip{1000, 40, 30}, FakeClip{1000, 40, 30}}).header += Record(3, "1");
  show.Start(false, 200, 100);
  std::set<int> lefts;
  for (int k = 0; k < 30; ++k) {
    const raster::Rect at = show.platform.media.panelBounds;
    ASSERT_TRUE(show.platform.media.panelVisible);
    ASSERT_EQ(at.Width(), 40);
    ASSERT_GE(at.left, 0);
    ASSERT_LE(at.right, 199) << "the random range leaves the last column out";
    ASSERT_GE(at.top, 0);
    ASSERT_LE(at.bottom, 99);
    lefts.insert(at.left);
    show.platform.Advance(2000);  // the clip's second, then SelectTimer's
  }
  EXPECT_EQ(show.platform.media.video.opened.size(), 31u);
  EXPECT_GT(lefts.size(), 5u);
}

TEST(RunVideo, AClipCutShortHandsItsPositionToTheNextVideo) {
  ShowFixture show(TestName());
  WithVideos(show, {FakeClip{5000, 32, 24}, FakeClip{8000, 32, 24}, FakeClip{1500, 32, 24}});
  show.Start();
  auto& device = show.platform.media.video;
  // A late end message of a Flash window lets the show move on while the clip plays.
  auto cutShort = [&] {
    show.platform.PostToWindow(player::UM_FLASHENDED, 1, 1);
    show.platform.Advance(1000);
  };
  show.platform.Advance(2500);
  cutShort();
  EXPECT_EQ(device.Current(), "clip-1");
  EXPECT_EQ(device.PositionMs(), 3000u) << "the second clip starts where the first was last seen";
  EXPECT_EQ(device.closedUse, 0);
  show.platform.Advance(3200);
  cutShort();
  EXPECT_EQ(device.Current(), "clip-2");
  EXPECT_EQ(device.PositionMs(), 0u) << "a position beyond the clip's end starts it from the beginning";
  EXPECT_EQ(device.CurrentMode(), MediaMode::Playing);
}

TEST(RunVideo, AClipThatCannotBePlayedShowsItsBackgroundForTheDisplayTime) {
  ShowFixture show(TestName());
  WithVideos(show, {FakeClip{3000, 32, 24}}).itemBytes[0] = "not a clip";
  show.Start();
  ASSERT_EQ(show.services.messages.size(), 1u);
  EXPECT_NE(show.services.messages[0].find("cannot be played"), std::string::npos);
  EXPECT_FALSE(show.platform.media.panelVisible);
  EXPECT_FALSE(show.platform.Enabled(RunTimer::Video));
  ASSERT_TRUE(show.platform.Enabled(RunTimer::Select));
  EXPECT_EQ(show.platform.Interval(RunTimer::Select), 3000u) << "display time 2 s plus one second";
  EXPECT_EQ(show.platform.media.video.closedUse, 0);
}

TEST(RunVideo, AMissingExternalClipSaysFileNotFound) {
  ShowFixture show(TestName());
  WithVideos(show, {FakeClip{3000, 32, 24}}).header += Record(39, "0");
  show.Start();
  EXPECT_EQ(show.services.messages, (std::vector<std::string>{"File not found : " + show.folder + "clip.avi"}));
  EXPECT_TRUE(show.platform.Enabled(RunTimer::Select));
  EXPECT_TRUE(show.platform.media.video.opened.empty());
}

TEST(RunVideo, APressOnTheVideoCountsAsAPressOnTheShow) {
  ShowFixture show(TestName());
  WithVideos(show, {FakeClip{3000, 32, 24}}).Settings().MouseLeftClick = true;
  show.Start();
  show.run->displaypanelMouseDown(player::MouseButton::Left);
  show.platform.Pump();
  EXPECT_TRUE(show.platform.closed);
  EXPECT_FALSE(show.platform.media.video.IsOpen());
  EXPECT_FALSE(show.platform.media.panelVisible);
  EXPECT_EQ(show.platform.media.video.closedUse, 0);
}

}  // namespace
