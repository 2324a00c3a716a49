// The show's background music: the project's music files played one after
// another (in order or at random, once through or in a loop) with a gap of
// whole seconds after each, paused during the items that do not want music.
// A one-second watch timer (MusicPlayTimer) notices the end of a file.
//
// A file that cannot be had or opened leaves the music silent until the gap
// after it has passed; then the next file is tried. The watch never asks a
// closed device anything. Once every file of the list has failed in a row the
// music stays silent for the rest of the show.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/random.h"
#include "player/media_player.h"
#include "player/run_platform.h"
#include "project/project_info.h"
#include "settings/rw_setting.h"

namespace player {

// The run window's services that music and video share.
struct MediaContext {
  ShowWindowPort& window;  // the watch timers
  base::Random& random;
  // Tells the user about a file that could not be played.
  std::function<void(const std::string&)> tell;
};

class MusicPlayback {
 public:
  // `player` is mpmusic (rewinds at its end); the list and its options come
  // from `project`, EnabledMusic from `setting` as it stands at each call.
  MusicPlayback(MediaPlayer& player, project::TProjectInfo& project, const settings::TRWSetting& setting,
                MediaContext context);

  // Opens the first file (the first of the list, or one at random), playing it or not.
  void StartMusic(bool play);
  void StopMusic();
  void PauseMusic();
  // Plays on from where the music paused; starts it when nothing is open yet.
  void ResumeMusic();
  // Every second while enabled: after a file's end and its gap, the next file.
  void MusicPlayTimerTimer();
  // The show ends: the device is closed.
  void CloseMusic();

  // The music counts as playing (not paused, stopped or at the end of a file).
  bool Playing() const { return FMusicPlaying; }

 private:
  int32_t Count() const { return static_cast<int32_t>(project_.MusicFiles.size()); }
  bool MayPlay() const;
  // Gets file `index` and opens it, playing it when asked; a file that fails
  // is marked, and when all have failed the music falls silent.
  void OpenFile(int32_t index, bool play);
  void Close();
  void Watch(bool on);
  // The open file has reached its end (or nothing is open).
  bool AtEnd();

  MediaPlayer& player_;
  project::TProjectInfo& project_;
  const settings::TRWSetting& setting_;
  MediaContext context_;
  bool FMusicOpen = false;
  bool FMusicPlaying = false;
  int32_t FMusicIndex = 0;
  bool FMusicFinished = false;
  int32_t FMusicEndTicks = 0;
  bool watching_ = false;
  std::vector<bool> failed_;  // files that failed since the last one that opened
  bool silenced_ = false;     // every file failed
};

}  // namespace player
