#include "player/music_playback.h"

#include <algorithm>

namespace player {

constexpr uint32_t kMusicWatchMs = 1000;

MusicPlayback::MusicPlayback(MediaPlayer& player, project::TProjectInfo& project, const settings::TRWSetting& setting,
                             MediaContext context)
    : player_(player), project_(project), setting_(setting), context_(std::move(context)) {}

bool MusicPlayback::MayPlay() const {
  return (!FMusicFinished || project_.LoopMusic) && setting_.EnabledMusic && Count() > 0 && !silenced_;
}

void MusicPlayback::Watch(bool on) {
  watching_ = on;
  context_.window.SetTimer(RunTimer::MusicPlay, on, kMusicWatchMs);
}

void MusicPlayback::Close() {
  player_.Close();
  FMusicOpen = false;
  FMusicPlaying = false;
}

void MusicPlayback::OpenFile(int32_t index, bool play) {
  const std::string file = project_.GetMusicFile(index);
  MediaResult result;
  if (!file.empty()) {
    result = player_.Open(file);
    if (result && play) result = player_.Play();
    if (result) {
      FMusicOpen = true;
      FMusicPlaying = play;
      failed_.assign(failed_.size(), false);
      return;
    }
    Close();
    context_.tell("Cannot play " + file + ": " + result.Error());
  }
  // The project has said why a file could not be had; either way this one is out.
  failed_.resize(static_cast<size_t>(Count()));
  failed_[static_cast<size_t>(index)] = true;
  silenced_ = std::all_of(failed_.begin(), failed_.end(), [](bool failed) { return failed; });
}

void MusicPlayback::StartMusic(bool play) {
  if (!MayPlay()) return;
  FMusicIndex = project_.RandomMusic ? context_.random.Next(Count()) : 0;
  // A file still open would keep its temporary copy from being replaced.
  Close();
  OpenFile(FMusicIndex, play);
  if (!silenced_) Watch(true);
}

void MusicPlayback::StopMusic() {
  if (Count() == 0 || !FMusicPlaying || !FMusicOpen) return;
  (void)player_.Stop();
  FMusicPlaying = false;
  Watch(false);
}

void MusicPlayback::PauseMusic() {
  if (Count() == 0 || !FMusicPlaying || !FMusicOpen) return;
  FMusicPlaying = false;
  // A file that has just ended cannot pause; the watch moves on from it.
  (void)player_.Pause();
}

void MusicPlayback::ResumeMusic() {
  if (!MayPlay()) return;
  if (!FMusicOpen) {
    // While the watch waits out the gap after a file that failed, the next
    // file is its to try.
    if (!watching_) StartMusic(true);
    return;
  }
  if (FMusicPlaying) return;
  if (MediaResult resumed = player_.ResumeOrPlay(); !resumed) {
    Close();
    context_.tell("Cannot play the music on: " + resumed.Error());
  } else {
    FMusicPlaying = true;
  }
  // The music may have stood at its end with the watch off; it watches again.
  Watch(true);
}

bool MusicPlayback::AtEnd() {
  uint32_t position = 0, length = 0;
  if (!FMusicOpen) return true;
  if (!player_.Position(position) || !player_.Length(length)) return true;
  return position >= length;
}

void MusicPlayback::MusicPlayTimerTimer() {
  if (!AtEnd()) {
    FMusicEndTicks = 0;
    return;
  }
  if (++FMusicEndTicks < project_.MusicPauseTicks) return;
  FMusicEndTicks = 0;
  Watch(false);
  FMusicPlaying = false;
  if (!setting_.EnabledMusic || Count() == 0 || silenced_) return;

  int32_t index = 0;
  if (project_.RandomMusic) {
    index = context_.random.Next(Count());
  } else {
    index = FMusicIndex + 1;
    if (index > Count() - 1) {
      if (!project_.LoopMusic) {
        FMusicFinished = true;
        Close();
        return;
      }
      index = 0;
    }
  }
  FMusicIndex = index;
  Close();
  OpenFile(index, true);
  if (!silenced_) Watch(true);
}

void MusicPlayback::CloseMusic() {
  Close();
  if (watching_) Watch(false);
}

}  // namespace player
