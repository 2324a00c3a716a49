// The Flash window as the run window opens and closes it: the one
// process-wide FlashWindow. The Windows layer creates the window with its
// control (the ActiveX control or the stand-in player); the run window only
// chooses full screen or preview and hands over the item's parameters.
#pragma once

#include <string>

#include "player/flash_params.h"
#include "settings/rw_setting.h"

namespace player {

struct FlashWindowArgs {
  const settings::TRWSetting& setting;
  bool endsByMouse;  // RightClickMenu is 0
  bool autoplay;
  FlashParams params;
  std::string movie;
};

class FlashHost {
 public:
  virtual ~FlashHost() = default;
  // OpenFlashFullScreen (over the screen, with the run window's pop-up menu)
  // and OpenFlashInPanel (inside the show area of the preview). Empty when the
  // window opened; otherwise why the movie cannot play, and no window remains.
  virtual std::string OpenFlashFullScreen(const FlashWindowArgs& args) = 0;
  virtual std::string OpenFlashInPanel(const FlashWindowArgs& args) = 0;
  // Destroys the Flash window with its control, if one exists; it is gone
  // when this returns.
  virtual void CloseFlashWindow() = 0;
};

}  // namespace player
