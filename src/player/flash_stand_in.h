// The stand-in movie player, for machines without the Flash control: it reads
// the movie file itself, paints the window in the background colour, draws the
// movie's solid shapes frame by frame and runs the timeline at the movie's
// frame rate, answering the Flash window as the control would.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "player/flash_control.h"
#include "player/flash_movie.h"
#include "player/flash_timeline.h"
#include "raster/bitmap.h"

namespace player {

// What the stand-in needs from its window.
class StandInScreen {
 public:
  virtual ~StandInScreen() = default;
  // Calls StandInFlashPlayer::Tick every `intervalMs`; 0 stops the timer.
  virtual void SetFrameTimer(uint32_t intervalMs) = 0;
  // The picture has changed: paint the window again.
  virtual void Invalidate() = 0;
};

class StandInFlashPlayer final : public FlashControl {
 public:
  explicit StandInFlashPlayer(StandInScreen& screen) : screen_(screen) {}
  ~StandInFlashPlayer() override;
  StandInFlashPlayer(const StandInFlashPlayer&) = delete;
  StandInFlashPlayer& operator=(const StandInFlashPlayer&) = delete;

  void SetMovie(const std::string& path) override;
  void SetScaleMode(int32_t mode) override;
  void SetAlignMode(int32_t mode) override;
  // -1 (or any negative value) leaves the colour to the movie's own tag.
  void SetBackgroundColor(int32_t rgb) override;
  int32_t TotalFrames() override;
  bool Playing() override;
  void SetMenu(bool) override {}  // the stand-in has no context menu
  void Play() override;
  void StopPlay() override;
  void GotoFrame(int32_t frame) override;
  int32_t CurrentFrame() override;
  std::string LoadError() const override { return loadError_; }

  // The frame timer fired: a playing movie goes on one frame.
  void Tick();
  // Paints the control's whole area.
  void Paint(raster::Bitmap& target) const;
  // The background colour the window shows.
  raster::Pixel Background() const;
  // The frame timer's interval for the movie's frame rate.
  static uint32_t FrameIntervalMs(uint16_t frameRate);

 private:
  StandInScreen& screen_;
  std::unique_ptr<flash::Movie> movie_;
  std::optional<flash::MovieTimeline> timeline_;
  std::string loadError_;
  int32_t backgroundColor_ = -1;
  int32_t scaleMode_ = 0;
  int32_t alignMode_ = 0;
};

}  // namespace player
