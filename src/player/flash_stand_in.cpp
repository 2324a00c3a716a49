#include "player/flash_stand_in.h"

#include <algorithm>
#include <cmath>

#include "player/flash_stage.h"

namespace player {
namespace {

constexpr raster::Pixel kDefaultBackground = raster::MakePixel(0xFF, 0xFF, 0xFF);
constexpr uint32_t kFastestFrameMs = 10;
constexpr uint32_t kSlowestFrameMs = 60000;

}  // namespace

StandInFlashPlayer::~StandInFlashPlayer() { screen_.SetFrameTimer(0); }

void StandInFlashPlayer::SetMovie(const std::string& path) {
  screen_.SetFrameTimer(0);
  timeline_.reset();
  movie_.reset();
  loadError_.clear();
  try {
    movie_ = std::make_unique<flash::Movie>(flash::ReadMovieFile(path));
  } catch (const flash::MovieError& error) {
    loadError_ = error.what();
    screen_.Invalidate();
    return;
  }
  timeline_.emplace(*movie_);
  screen_.SetFrameTimer(FrameIntervalMs(movie_->frameRate));
  screen_.Invalidate();
}

uint32_t StandInFlashPlayer::FrameIntervalMs(uint16_t frameRate) {
  // frameRate is frames per second in 8.8 fixed point; 0 plays as fast as the timer goes.
  if (frameRate == 0) return kFastestFrameMs;
  const double ms = std::round(1000.0 * 256.0 / frameRate);
  return static_cast<uint32_t>(std::clamp(ms, double{kFastestFrameMs}, double{kSlowestFrameMs}));
}

void StandInFlashPlayer::SetScaleMode(int32_t mode) {
  scaleMode_ = mode;
  screen_.Invalidate();
}

void StandInFlashPlayer::SetAlignMode(int32_t mode) {
  alignMode_ = mode;
  screen_.Invalidate();
}

void StandInFlashPlayer::SetBackgroundColor(int32_t rgb) {
  backgroundColor_ = rgb < 0 ? -1 : rgb & 0xFFFFFF;
  screen_.Invalidate();
}

int32_t StandInFlashPlayer::TotalFrames() { return timeline_ ? timeline_->TotalFrames() : 0; }
bool StandInFlashPlayer::Playing() { return timeline_ && timeline_->Playing(); }
int32_t StandInFlashPlayer::CurrentFrame() { return timeline_ ? timeline_->CurrentFrame() : 0; }

void StandInFlashPlayer::Play() {
  if (timeline_) timeline_->Play();
}

void StandInFlashPlayer::StopPlay() {
  if (timeline_) timeline_->Stop();
}

void StandInFlashPlayer::GotoFrame(int32_t frame) {
  if (!timeline_) return;
  timeline_->GotoFrame(frame);
  screen_.Invalidate();
}

void StandInFlashPlayer::Tick() {
  if (timeline_ && timeline_->Tick()) screen_.Invalidate();
}

raster::Pixel StandInFlashPlayer::Background() const {
  // The colour the host set wins; the movie's own tag counts only without one.
  if (backgroundColor_ >= 0) return 0xFF000000u | static_cast<uint32_t>(backgroundColor_);
  if (movie_ && movie_->background) return *movie_->background;
  return kDefaultBackground;
}

void StandInFlashPlayer::Paint(raster::Bitmap& target) const {
  if (!timeline_) {
    target.Fill(Background());
    return;
  }
  const flash::StageView view = flash::FitStage(movie_->stage, target.Width(), target.Height(), scaleMode_, alignMode_);
  flash::DrawStage(target, *movie_, *timeline_, view, Background());
}

}  // namespace player
