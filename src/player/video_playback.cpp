#include "player/video_playback.h"

#include <algorithm>
#include <cstdint>

namespace player {

constexpr uint32_t kVideoWatchMs = 1000;

VideoPlayback::VideoPlayback(MediaPlayer& player, RunMedia& media, MediaContext context)
    : player_(player), media_(media), context_(std::move(context)) {}

bool VideoPlayback::GiveUp(const std::string& fileName, const MediaResult& failure) {
  player_.Close();
  media_.HideVideoPanel();
  context_.tell("Cannot play " + fileName + ": " + failure.Error());
  return false;
}

bool VideoPlayback::PlayVideo(const std::string& fileName, const VideoParams& params) {
  // Without its panel a clip would open a window of its own over the show.
  if (media_.VideoPanel() == 0) return GiveUp(fileName, MediaResult::Failed("the show has no video panel"));
  player_.SetDisplay(media_.VideoPanel());
  if (MediaResult opened = player_.Open(fileName); !opened) return GiveUp(fileName, opened);
  if (MediaResult format = player_.SetTimeFormatMilliseconds(); !format) return GiveUp(fileName, format);
  raster::Rect native;
  if (MediaResult read = player_.DisplayRect(native); !read) return GiveUp(fileName, read);
  FVideoWidth = native.Width();
  FVideoHeight = native.Height();

  const VideoSize shown = VideoShownSize(params.sizeMode, params.preview, {FVideoWidth, FVideoHeight},
                                         params.area.width, {FVideoShownWidth, FVideoShownHeight});
  FVideoShownWidth = shown.width;
  FVideoShownHeight = shown.height;
  origin_ = VideoOrigin(params.randomPlacement, params.area, shown, context_.random);
  media_.ShowVideoPanel(raster::Rect::FromSize(origin_.x, origin_.y, shown.width, shown.height));
  if (MediaResult placed = player_.SetDisplayRect({0, 0, shown.width, shown.height}); !placed)
    return GiveUp(fileName, placed);

  // A position left by a longer clip lies beyond this one: it starts from the beginning.
  uint32_t length = 0;
  if (MediaResult read = player_.Length(length); !read) return GiveUp(fileName, read);
  const uint32_t start = FVideoResume > 0 && static_cast<uint32_t>(FVideoResume) < length
                             ? static_cast<uint32_t>(FVideoResume) : 0;
  if (MediaResult sought = player_.Seek(start); !sought) return GiveUp(fileName, sought);
  if (MediaResult played = player_.Play(); !played) return GiveUp(fileName, played);
  context_.window.SetTimer(RunTimer::Video, true, kVideoWatchMs);
  FVideoPlaying = true;
  return true;
}

void VideoPlayback::StopVideo() {
  if (player_.IsOpen()) (void)player_.Stop();
  player_.Close();
  FVideoPlaying = false;
  context_.window.SetTimer(RunTimer::Video, false, 0);
  media_.HideVideoPanel();
}

bool VideoPlayback::VidioTimerTimer() {
  if (!FVideoPlaying) {
    context_.window.SetTimer(RunTimer::Video, false, 0);
    return false;
  }
  uint32_t position = 0, length = 0;
  MediaMode mode = MediaMode::Other;
  bool ended = true;  // a device that cannot say where it is has nothing more to show
  if (player_.Position(position)) {
    FVideoResume = static_cast<int32_t>(std::min<uint32_t>(position, INT32_MAX));
    // A device that stopped by itself before the end (a damaged clip) has ended too.
    ended = !player_.Length(length) || !player_.Position(position) || position >= length ||
            (player_.Mode(mode) && mode == MediaMode::Stopped);
  }
  if (!ended) return false;
  StopVideo();
  FVideoResume = 0;
  return true;
}

}  // namespace player
