#include "player/media_player.h"

#include <gtest/gtest.h>

#include "fake_media.h"

namespace {

using player::MediaMode;
using player::MediaPlayer;
using player::testing::FakeMediaDevice;

struct PlayerFixture {
  std::string folder;
  FakeMediaDevice device;

  PlayerFixture() : folder(testing_support::ScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    Add("song", {3000});
    Add("other", {500});
    testing_support::WriteFile(folder + "broken.wav", "broken");
  }
  void Add(const std::string& name, player::testing::FakeClip clip) {
    testing_support::WriteFile(folder + name + ".wav", name);
    device.clips[name] = clip;
  }
  std::string File(const std::string& name) { return folder + name + ".wav"; }
};

TEST(MediaPlayer, OpenReplacesTheOpenFileAndAFailedOpenLeavesNothingOpen) {
  PlayerFixture f;
  MediaPlayer player(f.device, false);
  player.SetDisplay(0x99);
  ASSERT_TRUE(player.Open(f.File("song")));
  EXPECT_EQ(f.device.window, 0x99u) << "the display window goes with every open";
  ASSERT_TRUE(player.Open(f.File("other")));
  EXPECT_EQ(f.device.Current(), "other");
  EXPECT_EQ(f.device.window, 0x99u);

  const player::MediaResult broken = player.Open(f.File("broken"));
  EXPECT_FALSE(broken);
  EXPECT_EQ(broken.Error(), "The file cannot be played on the specified MCI device");
  EXPECT_FALSE(player.IsOpen());
  EXPECT_FALSE(player.Open(f.File("missing")));
  EXPECT_FALSE(player.IsOpen());

  // A closed player refuses by itself; the device never hears of it.
  uint32_t position = 0;
  EXPECT_FALSE(player.Position(position));
  EXPECT_FALSE(player.Play());
  EXPECT_FALSE(player.Pause());
  EXPECT_FALSE(player.ResumeOrPlay());
  player.Close();
  EXPECT_EQ(f.device.closedUse, 0);
  EXPECT_EQ(f.device.opened, (std::vector<std::string>{"song", "other"}));
}

TEST(MediaPlayer, PlayAtTheEndRewindsOnlyWhenAsked) {
  for (const bool autoRewind : {true, false}) {
    PlayerFixture f;
    MediaPlayer player(f.device, autoRewind);
    ASSERT_TRUE(player.Open(f.File("song")));
    ASSERT_TRUE(player.Play());
    f.device.Advance(3000);
    ASSERT_EQ(f.device.CurrentMode(), MediaMode::Stopped);
    ASSERT_TRUE(player.Play());
    EXPECT_EQ(f.device.CurrentMode(), autoRewind ? MediaMode::Playing : MediaMode::Stopped);
    EXPECT_EQ(f.device.PositionMs(), autoRewind ? 0u : 3000u);
    // Before the end a play goes on from where the file stands.
    ASSERT_TRUE(player.Seek(1000));
    ASSERT_TRUE(player.Play());
    EXPECT_EQ(f.device.PositionMs(), 1000u);
    EXPECT_EQ(f.device.closedUse, 0);
  }
}

TEST(MediaPlayer, PauseTogglesAndResumeFallsBackToPlay) {
  PlayerFixture f;
  MediaPlayer player(f.device, true);
  ASSERT_TRUE(player.Open(f.File("song")));
  ASSERT_TRUE(player.Play());
  f.device.Advance(700);
  ASSERT_TRUE(player.Pause());
  EXPECT_EQ(f.device.CurrentMode(), MediaMode::Paused);
  f.device.Advance(700);
  EXPECT_EQ(f.device.PositionMs(), 700u) << "a paused device stands still";
  ASSERT_TRUE(player.Pause());
  EXPECT_EQ(f.device.CurrentMode(), MediaMode::Playing) << "a second pause resumes";

  ASSERT_TRUE(player.Pause());
  ASSERT_TRUE(player.ResumeOrPlay());
  EXPECT_EQ(f.device.CurrentMode(), MediaMode::Playing);
  EXPECT_EQ(f.device.PositionMs(), 700u);

  // A stopped device refuses to resume: it plays on from its position...
  ASSERT_TRUE(player.Stop());
  ASSERT_TRUE(player.ResumeOrPlay());
  EXPECT_EQ(f.device.CurrentMode(), MediaMode::Playing);
  EXPECT_EQ(f.device.PositionMs(), 700u);
  // ...or, at the end of its file, from the start.
  f.device.Advance(5000);
  ASSERT_TRUE(player.ResumeOrPlay());
  EXPECT_EQ(f.device.CurrentMode(), MediaMode::Playing);
  EXPECT_EQ(f.device.PositionMs(), 0u);
  // A device at its end cannot pause; the error comes back as a value.
  f.device.Advance(5000);
  EXPECT_FALSE(player.Pause());
  EXPECT_EQ(f.device.closedUse, 0);
}

}  // namespace
