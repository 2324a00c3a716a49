// A video item: the clip plays once in displaypanel, at the size the project
// chose and at a place in the show area, and a one-second watch timer
// (VidioTimer) notices its end. A clip cut short by the next item leaves its
// last position behind, and the next video item starts there.
#pragma once

#include <cstdint>
#include <string>

#include "player/media_player.h"
#include "player/music_playback.h"
#include "player/run_media.h"
#include "player/video_geometry.h"

namespace player {

struct VideoParams {
  int32_t sizeMode = 0;  // VideoSize of the item
  bool randomPlacement = false;
  bool preview = false;
  VideoSize area;  // the show area (plBK); its width is the screen width of the size modes
};

class VideoPlayback {
 public:
  // `player` is mp (no rewind at its end), showing in the panel of `media`.
  VideoPlayback(MediaPlayer& player, RunMedia& media, MediaContext context);

  // Opens, sizes, places and starts `fileName`; false (after telling the user
  // why) when it cannot be played.
  bool PlayVideo(const std::string& fileName, const VideoParams& params);
  void StopVideo();
  // Every second while a video plays; true when it has ended (and is stopped).
  bool VidioTimerTimer();

  bool Playing() const { return FVideoPlaying; }
  // The video's top-left corner in the show area.
  raster::Point Origin() const { return origin_; }

 private:
  // Closes what was opened and says why the clip cannot be played.
  bool GiveUp(const std::string& fileName, const MediaResult& failure);

  MediaPlayer& player_;
  RunMedia& media_;
  MediaContext context_;
  bool FVideoPlaying = false;
  int32_t FVideoResume = 0;
  int32_t FVideoWidth = 0, FVideoHeight = 0;
  int32_t FVideoShownWidth = 0, FVideoShownHeight = 0;
  raster::Point origin_;
};

}  // namespace player
