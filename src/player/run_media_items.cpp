// The run window's side of music and video: the music messages, the video item
// and its watch, and the media's part of the tear-down.
#include "player/run_messages.h"
#include "player/run_window.h"

namespace player {

MediaContext TfRun::MediaServices() {
  return {platform_.window, random_, [this](const std::string& text) { messages_.ShowMessage(text); }};
}

bool TfRun::HandleMusicMessage(uint32_t message) {
  switch (message) {
    case UM_STARTMUSIC:
      if (FSetting.EnabledMusic && !music_.Playing()) music_.StartMusic(true);
      return true;
    case UM_STOPMUSIC:
      music_.StopMusic();
      return true;
    case UM_PAUSEMUSIC:
      music_.PauseMusic();
      return true;
    case UM_RESUMEMUSIC:
      if (FSetting.EnabledMusic) music_.ResumeMusic();
      return true;
    default:
      return false;
  }
}

void TfRun::StartVideoItem() {
  // Whatever is said about the clip is said once the show knows how it goes on.
  messages_.Hold();
  ShowBackdrop();
  const project::TPictureInfo& item = *FShowItems[static_cast<size_t>(FCurrentIndex)];
  const VideoParams params{item.VideoSize, FProjectInfo->RandomPlacement, FPreview, {FShowWidth, FShowHeight}};
  const std::string file = FProjectInfo->GetPictureFile(item.Number);
  if (!file.empty() && video_.PlayVideo(file, params)) {
    FOriginX = video_.Origin().x;
    FOriginY = video_.Origin().y;
  } else {
    // A clip that cannot be had or played: its background stays for the display time.
    ArmSelectTimer(DwellIntervalMs());
  }
  messages_.Release();
}

void TfRun::VidioTimerTimer() {
  // The next item follows after whatever interval SelectTimer has now.
  if (video_.VidioTimerTimer()) ArmSelectTimer(selectIntervalMs_);
}

void TfRun::CloseMedia() {
  if (video_.Playing()) video_.StopVideo();
  music_.CloseMusic();
}

}  // namespace player
