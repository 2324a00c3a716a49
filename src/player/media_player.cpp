#include "player/media_player.h"

namespace player {

template <typename Command>
MediaResult MediaPlayer::IfOpen(Command command) {
  if (!open_) return MediaResult::Failed("no media device is open");
  return command();
}

MediaResult MediaPlayer::Open(const std::string& fileName) {
  Close();
  if (MediaResult opened = device_.Open(fileName); !opened) return opened;
  open_ = true;
  if (display_ == 0) return {};
  if (MediaResult shown = device_.SetDisplayWindow(display_); !shown) {
    Close();
    return shown;
  }
  return {};
}

void MediaPlayer::Close() {
  if (open_) device_.Close();
  open_ = false;
}

MediaResult MediaPlayer::Play() {
  return IfOpen([&] {
    uint32_t position = 0, length = 0;
    if (autoRewind_ && device_.Position(position) && device_.Length(length) && position >= length) {
      if (MediaResult rewound = device_.Seek(0); !rewound) return rewound;
    }
    return device_.Play();
  });
}

MediaResult MediaPlayer::Stop() {
  return IfOpen([&] { return device_.Stop(); });
}

MediaResult MediaPlayer::Pause() {
  return IfOpen([&] {
    MediaMode mode = MediaMode::Other;
    if (MediaResult read = device_.Mode(mode); !read) return read;
    return mode == MediaMode::Paused ? device_.Resume() : device_.Pause();
  });
}

MediaResult MediaPlayer::ResumeOrPlay() {
  return IfOpen([&] {
    if (MediaResult resumed = device_.Resume()) return resumed;
    return Play();
  });
}

MediaResult MediaPlayer::Length(uint32_t& length) {
  return IfOpen([&] { return device_.Length(length); });
}

MediaResult MediaPlayer::Position(uint32_t& position) {
  return IfOpen([&] { return device_.Position(position); });
}

MediaResult MediaPlayer::Mode(MediaMode& mode) {
  return IfOpen([&] { return device_.Mode(mode); });
}

MediaResult MediaPlayer::Seek(uint32_t position) {
  return IfOpen([&] { return device_.Seek(position); });
}

MediaResult MediaPlayer::SetTimeFormatMilliseconds() {
  return IfOpen([&] { return device_.SetTimeFormatMilliseconds(); });
}

MediaResult MediaPlayer::DisplayRect(raster::Rect& rect) {
  return IfOpen([&] { return device_.DisplayRect(rect); });
}

MediaResult MediaPlayer::SetDisplayRect(const raster::Rect& rect) {
  return IfOpen([&] { return device_.SetDisplayRect(rect); });
}

}  // namespace player
