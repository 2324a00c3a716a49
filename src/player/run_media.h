// What the run window needs from the platform for music and video: the two
// media devices and the panel that shows a video inside the show area (plBK).
// The Windows window provides MCI devices and a child window; the native tests
// use scripted devices.
#pragma once

#include "player/media_player.h"
#include "raster/geometry.h"

namespace player {

class RunMedia {
 public:
  virtual ~RunMedia() = default;
  virtual MediaDevice& MusicDevice() = 0;
  virtual MediaDevice& VideoDevice() = 0;
  // displaypanel: the window video goes to, 0 while there is none.
  virtual DisplayWindow VideoPanel() = 0;
  // Places displaypanel at `bounds` of the show area and shows it.
  virtual void ShowVideoPanel(const raster::Rect& bounds) = 0;
  virtual void HideVideoPanel() = 0;
};

}  // namespace player
