// The Flash window on Windows: a borderless window that stays on top, over the
// whole screen (owned by the run window) or inside the preview's show area (a
// child of the run window), holding the movie control: the ActiveX control
// where its class is registered, the stand-in player otherwise. It forwards
// its timers, keys and closing to TfFlashform and asks the control's switches
// about every mouse message of the control.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "player/flash_host.h"

namespace player {

class Win32FlashHost final : public FlashHost {
 public:
  // `showRunMenu` opens the run window's pop-up menu at a screen point.
  void Attach(HWND runWindow, std::function<void(POINT)> showRunMenu);
  ~Win32FlashHost() override { CloseFlashWindow(); }

  std::string OpenFlashFullScreen(const FlashWindowArgs& args) override { return Open(false, args); }
  std::string OpenFlashInPanel(const FlashWindowArgs& args) override { return Open(true, args); }
  void CloseFlashWindow() override;

 private:
  std::string Open(bool preview, const FlashWindowArgs& args);

  HWND runWindow_ = nullptr;
  std::function<void(POINT)> showRunMenu_;
};

}  // namespace player
