// Music and video of the running show, against scripted media devices: the
// order of the music files and the gaps between them, pausing and resuming
// around items, files that cannot be played, and video items at their place.
#include <gtest/gtest.h>

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

// A show of `items` (a picture that wants music when none are given) with
// three music files of 3 s each, in order.
ShowFixture& WithMusic(ShowFixture& show, MusicOptions options, std::vector<std::string> items = {}) {
  show.header = Record(4, "0") + Record(6, options.loop ? "1" : "0") + Record(8, options.random ? "1" : "0") +
                Record(7, std::to_string(options.pauseTicks)) + Record(3, "0");
  show.items = items.empty() ? std::vector<std::string>{Record(36, "")} : items;
  show.music.assign(std::begin(kSongs), std::end(kSongs));
  for (const auto& song : kSongs) show.media.music.clips[song] = FakeClip{3000};
  return show;
}

// Posted messages arrive after the handler that posted them has returned.
void DeliverPosted(ShowFixture& show) {
  std::vector<uint32_t> posted;
  posted.swap(show.platform.posted);
  for (uint32_t message : posted) show.run->HandleMessage(message, 0, 0);
}

// One second of the show: the devices play on, then the watch timers tick.
void Second(ShowFixture& show) {
  show.media.music.Advance(1000);
  show.media.video.Advance(1000);
  if (show.platform.Enabled(RunTimer::MusicPlay)) show.run->MusicPlayTimerTimer();
  if (show.platform.Enabled(RunTimer::Video)) show.run->VidioTimerTimer();
}

// The next picture: the transition runs to its end, then the next item starts.
void NextItem(ShowFixture& show) {
  show.FinishTransition();
  show.run->SelectTimerTimer();
  DeliverPosted(show);
}

TEST(RunMusic, ThreeFilesInOrderLoopWithTheGapBetweenThem) {
  for (const int pauseTicks : {0, 1, 2, 5}) {
    ShowFixture show(TestName() + std::to_string(pauseTicks));
    WithMusic(show, {.loop = true, .pauseTicks = pauseTicks}).Start();
    auto& device = show.media.music;
    ASSERT_EQ(device.opened, (std::vector<std::string>{"song-a"})) << "the first file opens before the show";
    EXPECT_EQ(device.CurrentMode(), MediaMode::Stopped) << "and waits for the first picture that wants music";
    DeliverPosted(show);
    ASSERT_EQ(device.CurrentMode(), MediaMode::Playing);

    // The ticks that find the file at its end, up to the one that starts the
    // next file, for seven files.
    std::vector<int> gaps;
    int ticksAtEnd = 0;
    for (int second = 0; second < 60 && device.opened.size() < 7; ++second) {
      const size_t before = device.opened.size();
      device.Advance(1000);
      if (device.PositionMs() == 3000) ++ticksAtEnd;
      if (show.platform.Enabled(RunTimer::MusicPlay)) show.run->MusicPlayTimerTimer();
      if (device.opened.size() != before) {
        gaps.push_back(ticksAtEnd);
        ticksAtEnd = 0;
        EXPECT_EQ(device.CurrentMode(), MediaMode::Playing);
      }
    }
    EXPECT_EQ(device.opened, (std::vector<std::string>{"song-a", "song-b", "song-c", "song-a", "song-b", "song-c",
                                                       "song-a"}));
    const int expected = std::max(1, pauseTicks);
    EXPECT_EQ(gaps, std::vector<int>(6, expected)) << "MusicPauseTicks " << pauseTicks;
    EXPECT_EQ(show.run->Music().FMusicIndex, 0);
    EXPECT_EQ(device.closedUse, 0);
  }
}

TEST(RunMusic, WithoutLoopTheListPlaysOnceThenStaysSilent) {
  ShowFixture show(TestName());
  WithMusic(show, {.loop = false}, {Record(36, ""), Record(36, "")}).Start();
  DeliverPosted(show);
  for (int second = 0; second < 40; ++second) {
    Second(show);
    if (second % 4 == 0) NextItem(show);  // later pictures keep asking for music
  }
  auto& device = show.media.music;
  EXPECT_EQ(device.opened, (std::vector<std::string>{"song-a", "song-b", "song-c"}));
  EXPECT_FALSE(device.IsOpen());
  const auto& music = show.run->Music();
  EXPECT_TRUE(music.FMusicFinished);
  EXPECT_FALSE(music.FMusicOpen);
  EXPECT_FALSE(music.FMusicPlaying);
  EXPECT_FALSE(show.platform.Enabled(RunTimer::MusicPlay));
  show.run->HandleMessage(player::UM_RESUMEMUSIC, 0, 0);
  EXPECT_EQ(device.opened.size(), 3u);
  EXPECT_EQ(device.closedUse, 0);
}

TEST(RunMusic, RandomOrderDrawsEveryFileAndMayRepeat) {
  ShowFixture show(TestName());
  WithMusic(show, {.loop = true, .random = true}).Start();
  DeliverPosted(show);
  for (int second = 0; second < 400; ++second) {
    Second(show);
    const auto& music = show.run->Music();
    if (music.FMusicOpen) {
      ASSERT_EQ(show.media.music.Current(), kSongs[music.FMusicIndex]);
    }
  }
  const auto& opened = show.media.music.opened;
  ASSERT_GT(opened.size(), 60u);
  EXPECT_EQ(std::set<std::string>(opened.begin(), opened.end()), std::set<std::string>(std::begin(kSongs), std::end(kSongs)));
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
    Second(show);
    NextItem(show);
    show.run->HandleMessage(player::UM_STARTMUSIC, 0, 0);
  }
  EXPECT_TRUE(show.media.music.opened.empty());
  EXPECT_FALSE(show.platform.Enabled(RunTimer::MusicPlay));
}

TEST(RunMusic, AFlashOrVideoItemPausesAndTheNextPictureResumesWhereItStopped) {
  for (const int kind : {1, 2}) {
    ShowFixture show(TestName() + std::to_string(kind));
    WithMusic(show, {}, {Record(36, ""), Record(52, std::to_string(kind)) + Record(2, "clip.avi"), Record(36, "")});
    show.itemBytes = {"pic", "clip", "pic"};
    show.media.music.clips["song-a"] = FakeClip{60000};
    show.media.video.clips["clip"] = FakeClip{9000, 32, 24};
    show.Start();
    DeliverPosted(show);
    auto& device = show.media.music;
    for (int second = 0; second < 2; ++second) Second(show);
    NextItem(show);
    EXPECT_EQ(device.CurrentMode(), MediaMode::Paused) << "kind " << kind;
    EXPECT_FALSE(show.run->Music().FMusicPlaying);
    for (int second = 0; second < 3; ++second) Second(show);
    EXPECT_EQ(device.PositionMs(), 2000u);
    NextItem(show);
    EXPECT_EQ(device.CurrentMode(), MediaMode::Playing);
    EXPECT_EQ(device.PositionMs(), 2000u) << "on from where it stopped";
    EXPECT_EQ(device.opened, (std::vector<std::string>{"song-a"}));
  }
}

TEST(RunMusic, APictureWithoutMusicPausesItAndTheSettingsDialogCanSwitchItOff) {
  ShowFixture show(TestName());
  WithMusic(show, {}, {Record(36, ""), Record(36, "") + Record(6, "0")}).header += Record(34, "1");
  show.Start();
  DeliverPosted(show);
  auto& device = show.media.music;
  NextItem(show);
  EXPECT_EQ(device.CurrentMode(), MediaMode::Paused);
  NextItem(show);
  EXPECT_EQ(device.CurrentMode(), MediaMode::Playing);
  // The user switches the music off in the dialog that the menu opens.
  settings::TRWSetting changed("Show.scr", show.backend);
  changed.ReadSetting();
  changed.EnabledMusic = false;
  changed.WriteSetting();
  show.run->Setting1Click();
  DeliverPosted(show);
  EXPECT_EQ(device.CurrentMode(), MediaMode::Paused);
  NextItem(show);
  NextItem(show);
  EXPECT_EQ(device.CurrentMode(), MediaMode::Paused) << "no picture brings it back while it is off";
  changed.EnabledMusic = true;
  changed.WriteSetting();
  show.run->Setting1Click();
  DeliverPosted(show);
  EXPECT_EQ(device.CurrentMode(), MediaMode::Playing) << "the dialog resumes it on a picture that wants music";
}

TEST(RunMusic, FilesThatCannotBePlayedAreSkippedAtTheNextGapWithoutPolling) {
  ShowFixture show(TestName());
  WithMusic(show, {.pauseTicks = 3});
  show.music = {"broken", "song-b", "song-c"};
  show.Start();
  // The message waits until the show runs: the first picture is already on its way.
  ASSERT_EQ(show.services.messages.size(), 1u);
  EXPECT_EQ(show.services.messages[0].find("Cannot play "), 0u) << show.services.messages[0];
  EXPECT_NE(show.services.messages[0].find("cannot be played on the specified MCI device"), std::string::npos);
  EXPECT_EQ(show.prepared, (std::vector<int>{0}));
  DeliverPosted(show);  // the picture asks for music while the gap runs: no second try
  EXPECT_TRUE(show.media.music.opened.empty());
  for (int second = 0; second < 3; ++second) {
    EXPECT_TRUE(show.media.music.opened.empty());
    Second(show);
  }
  EXPECT_EQ(show.media.music.opened, (std::vector<std::string>{"song-b"})) << "the next file after the gap";
  EXPECT_EQ(show.services.messages.size(), 1u);
  EXPECT_EQ(show.media.music.closedUse, 0) << "a closed device is never asked";
}

TEST(RunMusic, WhenEveryFileFailsTheMusicFallsSilentForGood) {
  ShowFixture show(TestName());
  WithMusic(show, {.pauseTicks = 1});
  show.music = {"broken-1", "broken-2", "broken-3"};
  show.Start();
  for (int second = 0; second < 30; ++second) {
    Second(show);
    NextItem(show);
  }
  EXPECT_EQ(show.services.messages.size(), 3u) << "one message for each file, not one each gap";
  EXPECT_FALSE(show.platform.Enabled(RunTimer::MusicPlay));
  EXPECT_EQ(show.media.music.closedUse, 0);
  EXPECT_TRUE(show.platform.messages.empty());
}

TEST(RunMusic, AMissingExternalFileIsReportedAndTheShowGoesOn) {
  ShowFixture show(TestName());
  WithMusic(show, {.pauseTicks = 1}, {Record(36, ""), Record(36, "")}).header +=
      Record(39, "0") + Record(86, "Missing: %s");
  show.music.clear();
  show.header = Record(1, "gone.wav") + Record(1, "there.wav") + show.header;
  testing_support::WriteFile(show.folder + "there.wav", "song-b");
  show.Start();
  ASSERT_EQ(show.services.messages, (std::vector<std::string>{"Missing: " + show.folder + "gone.wav"}));
  for (int second = 0; second < 3; ++second) {
    Second(show);
    NextItem(show);
  }
  EXPECT_EQ(show.media.music.opened, (std::vector<std::string>{"song-b"}));
  EXPECT_EQ(show.prepared, (std::vector<int>{0, 1, 0, 1}));
}

TEST(RunMusic, TheEndOfTheShowStopsTheMusicDirectly) {
  for (const std::string ending : {"max-run-time", "end-show", "tear-down"}) {
    ShowFixture show(TestName() + ending);
    WithMusic(show, {});
    show.Settings().UseMaxRunTime = true;
    show.Settings().MaxRunTime = 1;
    show.Settings().EnabledPassword = true;
    show.Settings().Password = "pw";
    auto& run = show.Start();
    DeliverPosted(show);
    auto& device = show.media.music;
    ASSERT_EQ(device.CurrentMode(), MediaMode::Playing);
    if (ending == "max-run-time") {
      for (int k = 0; k < 60; ++k) run.MaxRuntimeTimer();
    } else if (ending == "end-show") {
      run.HandleMessage(player::UM_ENDSHOW, 0, 0);
    } else {
      show.run.reset();
      EXPECT_FALSE(device.IsOpen()) << "the devices close before the project deletes its files";
      EXPECT_EQ(device.closedUse, 0);
      continue;
    }
    // The password was not given: the show goes on, its music stopped.
    EXPECT_FALSE(show.platform.closed);
    EXPECT_EQ(device.CurrentMode(), MediaMode::Stopped) << ending;
    EXPECT_FALSE(run.Music().FMusicPlaying);
    EXPECT_FALSE(show.platform.Enabled(RunTimer::MusicPlay));
    EXPECT_TRUE(show.platform.posted.empty()) << "stopped at once, not by a message";
  }
}

TEST(RunMusic, StartMessageStartsMusicThatIsNotPlaying) {
  ShowFixture show(TestName());
  WithMusic(show, {}, {Record(36, "") + Record(6, "0")}).Start();
  DeliverPosted(show);
  EXPECT_EQ(show.media.music.CurrentMode(), MediaMode::Stopped);
  show.run->HandleMessage(player::UM_STARTMUSIC, 0, 0);
  EXPECT_EQ(show.media.music.CurrentMode(), MediaMode::Playing);
  show.run->HandleMessage(player::UM_STARTMUSIC, 0, 0);
  EXPECT_EQ(show.media.music.opened.size(), 2u) << "once: the music plays now";
  show.run->HandleMessage(player::UM_STOPMUSIC, 0, 0);
  EXPECT_EQ(show.media.music.CurrentMode(), MediaMode::Stopped);
  EXPECT_EQ(show.media.music.closedUse, 0);
}

// Video -------------------------------------------------------------------

ShowFixture& WithVideos(ShowFixture& show, std::vector<FakeClip> clips, const std::string& itemFields = "") {
  show.header = Record(4, "0") + Record(3, "0") + Record(5, "2");
  for (size_t k = 0; k < clips.size(); ++k) {
    show.items.push_back(Record(52, "2") + Record(2, "clip.avi") + itemFields);
    show.itemBytes.push_back("clip-" + std::to_string(k));
    show.media.video.clips["clip-" + std::to_string(k)] = clips[k];
  }
  return show;
}

TEST(RunVideo, PlaysAtTheComputedRectangleAndTheShowMovesOnAfterIt) {
  // The item's backdrop is a colour of its own.
  class Backdrop : public player::testing::FakeComposer {
   public:
    using FakeComposer::FakeComposer;
    void PrepareBackgroundAndTexts(int index) override {
      FakeComposer::PrepareBackgroundAndTexts(index);
      Frame().Fill(raster::MakePixel(1, 2, 3));
    }
  };
  ShowFixture show(TestName());
  WithVideos(show, {FakeClip{3000, 320, 240, 15}}, Record(53, "5")).items.push_back(Record(36, ""));
  show.header += Record(40, "0");  // no black first fill over the backdrop
  show.makeComposer = [&show] { return std::make_unique<Backdrop>(show.prepared); };
  auto& run = show.Start(false, 1024, 768);
  auto& media = show.media;
  EXPECT_EQ(show.platform.image.At(1023, 767), raster::MakePixel(1, 2, 3)) << "the backdrop shows around the clip";
  EXPECT_EQ(show.platform.posted.back(), player::UM_PAUSEMUSIC);
  ASSERT_TRUE(run.Video().FVideoPlaying);
  EXPECT_EQ(media.video.window, FakeRunMedia::kPanel);
  EXPECT_TRUE(media.panelVisible);
  EXPECT_EQ(media.panelBounds, (raster::Rect{0, 0, 1024, 767})) << "1024 by 767, centred";
  EXPECT_EQ(media.video.destination, (raster::Rect{0, 0, 1024, 767}));
  EXPECT_EQ(run.Video().FVideoWidth, 320);
  EXPECT_EQ(run.Video().FVideoHeight, 240);
  EXPECT_EQ(media.video.CurrentMode(), MediaMode::Playing);
  EXPECT_TRUE(show.platform.Enabled(RunTimer::Video));
  EXPECT_FALSE(show.platform.Enabled(RunTimer::Select)) << "the video itself decides when the show goes on";
  Second(show);
  Second(show);
  EXPECT_EQ(run.Video().FVideoResume, 2000) << "positions are read in milliseconds";
  Second(show);
  EXPECT_FALSE(run.Video().FVideoPlaying);
  EXPECT_FALSE(media.panelVisible);
  EXPECT_FALSE(media.video.IsOpen());
  EXPECT_EQ(run.Video().FVideoResume, 0);
  EXPECT_FALSE(show.platform.Enabled(RunTimer::Video));
  ASSERT_TRUE(show.platform.Enabled(RunTimer::Select));
  EXPECT_EQ(show.platform.Interval(RunTimer::Select), 1000u) << "the interval SelectTimer has: no picture ended yet";
  run.SelectTimerTimer();
  EXPECT_EQ(show.prepared, (std::vector<int>{100, 1}));
  EXPECT_EQ(media.video.closedUse, 0);
}

TEST(RunVideo, PreviewShowsItThreeHundredWideCutAtTheSides) {
  ShowFixture show(TestName());
  WithVideos(show, {FakeClip{3000, 320, 240}}, Record(53, "1")).Start(true, 152, 112);
  EXPECT_EQ(show.media.panelBounds, (raster::Rect{-74, -56, 226, 168}));
  EXPECT_EQ(show.run->FOriginX, -74);
  EXPECT_EQ(show.run->FOriginY, -56);
}

TEST(RunVideo, RandomPlacementKeepsTheClipInsideTheShow) {
  ShowFixture show(TestName());
  WithVideos(show, {FakeClip{1000, 40, 30}, FakeClip{1000, 40, 30}}).header += Record(3, "1");
  show.Start(false, 200, 100);
  std::set<int> lefts;
  for (int k = 0; k < 30; ++k) {
    const raster::Rect at = show.media.panelBounds;
    ASSERT_EQ(at.Width(), 40);
    ASSERT_GE(at.left, 0);
    ASSERT_LE(at.right, 199) << "the random range leaves the last column out";
    ASSERT_GE(at.top, 0);
    ASSERT_LE(at.bottom, 99);
    lefts.insert(at.left);
    show.run->SelectTimerTimer();
  }
  EXPECT_GT(lefts.size(), 5u);
}

TEST(RunVideo, AClipCutShortHandsItsPositionToTheNextVideo) {
  ShowFixture show(TestName());
  WithVideos(show, {FakeClip{5000, 32, 24}, FakeClip{8000, 32, 24}, FakeClip{1500, 32, 24}});
  auto& run = show.Start();
  auto& device = show.media.video;
  Second(show);
  Second(show);
  run.SelectTimerTimer();  // the show moves on while the first clip plays
  EXPECT_EQ(device.Current(), "clip-1");
  EXPECT_EQ(device.PositionMs(), 2000u) << "the second clip starts where the first was cut";
  EXPECT_EQ(device.closedUse, 0);
  for (int k = 0; k < 4; ++k) Second(show);
  run.SelectTimerTimer();
  EXPECT_EQ(device.Current(), "clip-2");
  EXPECT_EQ(run.Video().FVideoResume, 6000);
  EXPECT_EQ(device.PositionMs(), 0u) << "a position beyond the clip's end starts it from the beginning";
  EXPECT_EQ(device.CurrentMode(), MediaMode::Playing);
}

TEST(RunVideo, AClipThatCannotBePlayedShowsItsBackgroundForTheDisplayTime) {
  ShowFixture show(TestName());
  WithVideos(show, {FakeClip{3000, 32, 24}}).itemBytes[0] = "not a clip";
  show.Start();
  ASSERT_EQ(show.services.messages.size(), 1u);
  EXPECT_NE(show.services.messages[0].find("cannot be played"), std::string::npos);
  EXPECT_FALSE(show.run->Video().FVideoPlaying);
  EXPECT_FALSE(show.media.panelVisible);
  EXPECT_FALSE(show.platform.Enabled(RunTimer::Video));
  ASSERT_TRUE(show.platform.Enabled(RunTimer::Select));
  EXPECT_EQ(show.platform.Interval(RunTimer::Select), 3000u) << "display time 2 s plus one second";
  EXPECT_EQ(show.media.video.closedUse, 0);
}

TEST(RunVideo, AMissingExternalClipSaysFileNotFound) {
  ShowFixture show(TestName());
  WithVideos(show, {FakeClip{3000, 32, 24}}).header += Record(39, "0");
  show.Start();
  EXPECT_EQ(show.services.messages, (std::vector<std::string>{"File not found : " + show.folder + "clip.avi"}));
  EXPECT_TRUE(show.platform.Enabled(RunTimer::Select));
  EXPECT_TRUE(show.media.video.opened.empty());
}

TEST(RunVideo, APressOnTheVideoCountsAsAPressOnTheShow) {
  ShowFixture show(TestName());
  WithVideos(show, {FakeClip{3000, 32, 24}}).Settings().MouseLeftClick = true;
  show.Start();
  show.run->displaypanelMouseDown(player::MouseButton::Left);
  EXPECT_TRUE(show.platform.closed);
  show.run.reset();
  EXPECT_FALSE(show.media.video.IsOpen());
  EXPECT_EQ(show.media.video.closedUse, 0);
}

}  // namespace
