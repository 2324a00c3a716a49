// A media device as strict as MCI, for driving the music and the video
// natively: files are scripted by their bytes (length, picture size, or a
// file the device cannot play), time moves on only when a test says so, and
// every command that MCI refuses is refused. A command sent to a closed device
// is also counted: the show must never send one.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "player/media_player.h"
#include "player/run_media.h"
#include "project/container_fixture.h"

namespace player::testing {

struct FakeClip {
  uint32_t lengthMs = 1000;
  int width = 0, height = 0;  // a video's picture; 0 for sound
  int framesPerSecond = 0;    // a video counts in frames until told to count in milliseconds
};

class FakeMediaDevice final : public MediaDevice {
 public:
  std::map<std::string, FakeClip> clips;  // by the file's bytes
  std::vector<std::string> opened;        // the bytes of every file opened, in order
  int closedUse = 0;                      // commands sent while nothing was open
  DisplayWindow window = 0;
  raster::Rect destination;

  // Time passes: a playing device moves on and stops at the end of its file.
  void Advance(uint32_t ms) {
    if (!open_ || mode_ != MediaMode::Playing) return;
    positionMs_ = std::min(clip_.lengthMs, positionMs_ + ms);
    if (positionMs_ == clip_.lengthMs) mode_ = MediaMode::Stopped;
  }
  bool IsOpen() const { return open_; }
  MediaMode CurrentMode() const { return open_ ? mode_ : MediaMode::NotReady; }
  uint32_t PositionMs() const { return positionMs_; }
  const std::string& Current() const { return current_; }

  MediaResult Open(const std::string& fileName) override {
    if (open_) return MediaResult::Failed("The device is already open");
    if (!std::filesystem::exists(base::PathFromUtf8(fileName)))
      return MediaResult::Failed("The specified file was not found");
    const std::string bytes = testing_support::ReadFile(fileName);
    const auto clip = clips.find(bytes);
    if (clip == clips.end()) return MediaResult::Failed("The file cannot be played on the specified MCI device");
    open_ = true;
    clip_ = clip->second;
    current_ = bytes;
    opened.push_back(bytes);
    mode_ = MediaMode::Stopped;
    positionMs_ = 0;
    milliseconds_ = clip_.framesPerSecond == 0;
    window = 0;
    destination = {0, 0, clip_.width, clip_.height};
    return {};
  }
  void Close() override {
    if (!open_) ++closedUse;
    open_ = false;
    current_.clear();
  }
  MediaResult Play() override {
    return Command([&] {
      if (positionMs_ < clip_.lengthMs) mode_ = MediaMode::Playing;  // at the end there is nothing to play
      return MediaResult();
    });
  }
  MediaResult Stop() override {
    return Command([&] {
      mode_ = MediaMode::Stopped;
      return MediaResult();
    });
  }
  MediaResult Pause() override {
    return Command([&] {
      if (mode_ == MediaMode::Playing) mode_ = MediaMode::Paused;
      return mode_ == MediaMode::Paused ? MediaResult() : NotApplicable();
    });
  }
  MediaResult Resume() override {
    return Command([&] {
      if (mode_ == MediaMode::Paused) mode_ = MediaMode::Playing;
      return mode_ == MediaMode::Playing ? MediaResult() : NotApplicable();
    });
  }
  MediaResult Mode(MediaMode& mode) override {
    return Command([&] {
      mode = mode_;
      return MediaResult();
    });
  }
  MediaResult Length(uint32_t& length) override {
    return Command([&] {
      length = ToUnits(clip_.lengthMs);
      return MediaResult();
    });
  }
  MediaResult Position(uint32_t& position) override {
    return Command([&] {
      position = ToUnits(positionMs_);
      return MediaResult();
    });
  }
  MediaResult Seek(uint32_t position) override {
    return Command([&] {
      const uint64_t ms = milliseconds_ ? position : uint64_t{position} * 1000 / clip_.framesPerSecond;
      if (ms > clip_.lengthMs) return MediaResult::Failed("The specified parameter is out of range");
      mode_ = MediaMode::Stopped;
      positionMs_ = static_cast<uint32_t>(ms);
      return MediaResult();
    });
  }
  MediaResult SetTimeFormatMilliseconds() override {
    return Command([&] {
      milliseconds_ = true;
      return MediaResult();
    });
  }
  MediaResult SetDisplayWindow(DisplayWindow displayWindow) override {
    return Command([&] {
      window = displayWindow;
      return MediaResult();
    });
  }
  MediaResult DisplayRect(raster::Rect& rect) override {
    return Command([&] {
      rect = destination;
      return MediaResult();
    });
  }
  MediaResult SetDisplayRect(const raster::Rect& rect) override {
    return Command([&] {
      destination = rect;
      return MediaResult();
    });
  }

 private:
  template <typename Body>
  MediaResult Command(Body body) {
    if (!open_) {
      ++closedUse;
      return MediaResult::Failed("Invalid device ID");
    }
    return body();
  }
  static MediaResult NotApplicable() { return MediaResult::Failed("The specified command cannot be applied"); }
  uint32_t ToUnits(uint32_t ms) const {
    return milliseconds_ ? ms : static_cast<uint32_t>(uint64_t{ms} * clip_.framesPerSecond / 1000);
  }

  bool open_ = false;
  FakeClip clip_;
  std::string current_;
  MediaMode mode_ = MediaMode::NotReady;
  uint32_t positionMs_ = 0;
  bool milliseconds_ = true;
};

// The run window's media: two devices and the video panel.
class FakeRunMedia final : public RunMedia {
 public:
  static constexpr DisplayWindow kPanel = 0x4711;
  FakeMediaDevice music, video;
  bool panelVisible = false;
  raster::Rect panelBounds;

  MediaDevice& MusicDevice() override { return music; }
  MediaDevice& VideoDevice() override { return video; }
  DisplayWindow VideoPanel() override { return kPanel; }
  void ShowVideoPanel(const raster::Rect& bounds) override {
    panelVisible = true;
    panelBounds = bounds;
  }
  void HideVideoPanel() override { panelVisible = false; }
};

}  // namespace player::testing
