// What the run window needs from the platform, in groups of one service each:
// the show window, the modal dialogs over it, the desktop capture, the text
// of the slides, the media devices and the Flash window. The Windows layer implements them; the
// native tests use fakes. A new service joins RunPlatform as one more group.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "player/run_media.h"
#include "player/text_renderer.h"
#include "raster/bitmap.h"
#include "raster/geometry.h"

namespace player {

class FlashHost;

enum class RunTimer { Show, Select, Video, MusicPlay, MaxRuntime };

// The show window: its timers, posted messages, closing, focus, cursor and the
// show image.
class ShowWindowPort {
 public:
  virtual ~ShowWindowPort() = default;
  // Starts, restarts or stops a timer of the window. A timer needs the window:
  // before it exists (or after it is gone) starting one is refused.
  virtual void SetTimer(RunTimer timer, bool enabled, uint32_t intervalMs) = 0;
  // Posts a message; it is handled later, when the message loop (or the loop of
  // a modal dialog that is open then) takes it.
  virtual void PostToWindow(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) = 0;
  // Asks the window to close. The request is posted; when it arrives, the
  // window asks TfRun::FormCloseQuery and closes when that allows.
  virtual void RequestClose() = 0;
  // Raises the window above the others and gives it the keyboard.
  virtual void BringToFront() = 0;
  virtual void SetCursorHidden(bool hidden) = 0;
  virtual bool CursorHidden() const = 0;
  // The image the show draws on, sized to the show area.
  virtual raster::Bitmap& ShowImage() = 0;
  // The show image changed inside `area`: bring that part onto the screen.
  virtual void Present(const raster::Rect& area) = 0;
  // Lets the pending window messages be handled once.
  virtual void ProcessMessages() = 0;
};

enum class MenuChoice { None, Setting, Stop };

// Modal dialogs over the show window. Each runs a message loop of its own, so
// timers fire and posted messages arrive while it is open.
class RunDialogs {
 public:
  virtual ~RunDialogs() = default;
  // The password prompt; false when it was cancelled.
  virtual bool InputPassword(std::string& typed) = 0;
  // The settings dialog of this program.
  virtual void ShowSettingDialog() = 0;
  // A message box with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // The pop-up menu with its two entries, at `at` in the show area, or where
  // the keyboard asked for it when there is no point.
  virtual MenuChoice PopupMenu(std::optional<raster::Point> at, const std::string& settingCaption,
                               const std::string& stopCaption) = 0;
};

// The screenshot of the desktop that picture backgrounds may use.
class DesktopCapturer {
 public:
  virtual ~DesktopCapturer() = default;
  // Saves the whole screen as a Windows bitmap file at `path`.
  virtual void CaptureDesktop(const std::string& path) = 0;
};

struct RunPlatform {
  ShowWindowPort& window;
  RunDialogs& dialogs;
  DesktopCapturer& desktop;
  TextRenderer& text;
  RunMedia& media;
  FlashHost& flash;
};

}  // namespace player
