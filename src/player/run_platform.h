// What the run window needs from the platform: timers, posted messages, the
// close request, the modal dialogs, the mouse cursor and the show image. The
// Windows window implements it; the native tests use a fake.
#pragma once

#include <cstdint>
#include <string>

#include "raster/bitmap.h"

namespace player {

class FlashHost;

enum class RunTimer { Show, Select, Video, MusicPlay, MaxRuntime };

class RunPlatform {
 public:
  virtual ~RunPlatform() = default;
  // Starts, restarts or stops a timer of the run window.
  virtual void SetTimer(RunTimer timer, bool enabled, uint32_t intervalMs) = 0;
  virtual void PostToWindow(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) = 0;
  // Asks the window to close: the platform runs TfRun::FormCloseQuery and
  // closes the window when it allows.
  virtual void RequestClose() = 0;
  // The modal password prompt; false when it was cancelled.
  virtual bool InputPassword(std::string& typed) = 0;
  // The modal settings dialog of this program.
  virtual void ShowSettingDialog() = 0;
  // Lets the pending window messages be handled once.
  virtual void ProcessMessages() = 0;
  virtual void ShowMessage(const std::string& text) = 0;
  virtual void BringToFront() = 0;
  virtual void SetCursorHidden(bool hidden) = 0;
  virtual bool CursorHidden() const = 0;
  // The screenshot of the desktop that picture backgrounds may use: taken
  // before the show window appears, deleted when the show ends.
  virtual void CaptureDesktop() = 0;
  virtual void DeleteDesktopCapture() = 0;
  // The show image (the bitmap behind pbShow), sized to the show area.
  virtual raster::Bitmap& ShowImage() = 0;
  // The show image changed inside `area`; bring it onto the screen.
  virtual void Present(const raster::Rect& area) = 0;
  // The Flash window of Flash movie items; null on a platform without one,
  // where such an item shows its background for the display time.
  virtual FlashHost* Flash() { return nullptr; }
};

}  // namespace player
