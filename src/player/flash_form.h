// TfFlashform: the window that plays one Flash movie item. It goes to the
// start frame and plays, decides once a second by the item's end rule when the
// movie has ended and then tells the run window (UM_FLASHENDED), and, since the
// movie covers the show, applies the user's rules for ending the show (mouse,
// keys, password), passing an accepted end on to the run window (UM_ENDSHOW).
//
// The Windows window creates the object and its control, forwards timers, keys
// and closing to it and asks the control's switches about each mouse message;
// everything it reaches of Windows goes through FlashFormPlatform.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "player/ending_inputs.h"
#include "player/flash_control.h"
#include "player/flash_params.h"
#include "player/flash_shockwave.h"
#include "settings/rw_setting.h"

namespace player {

enum class FlashTimer { stoptimer, Playtimer };
constexpr uint32_t kStoptimerMs = 1000;
constexpr uint32_t kPlaytimerMs = 100;

class FlashFormPlatform {
 public:
  virtual ~FlashFormPlatform() = default;
  // Enables or disables one of the window's timers (at kStoptimerMs, kPlaytimerMs).
  virtual void SetTimer(FlashTimer timer, bool enabled) = 0;
  virtual void PostMessageTo(uintptr_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  // The application's main window: the run window.
  virtual uintptr_t MainWindow() = 0;
  // The modal password prompt; false when it was cancelled.
  virtual bool InputPassword(std::string& typed) = 0;
  // The control's and the application's cursor become the default arrow.
  virtual void ShowDefaultCursor() = 0;
  virtual void ShowWindow() = 0;
  // The control and the window come in front of their siblings.
  virtual void BringToFront() = 0;
};

// The arguments of OpenFlashFullScreen and OpenFlashInPanel.
struct FlashOpenRequest {
  uintptr_t runWindow = 0;
  // The run window's pop-up menu at a screen point (full screen only).
  std::function<void(raster::Point)> popupMenu;
  const settings::TRWSetting* setting = nullptr;
  bool endsByMouse = true;
  bool autoplay = true;
  FlashParams params;
  std::string movie;
};

class TfFlashform {
 public:
  // FormCreate.
  TfFlashform(FlashFormPlatform& platform, FlashControl& control);
  TfFlashform(const TfFlashform&) = delete;
  TfFlashform& operator=(const TfFlashform&) = delete;

  // The steps of opening once the window and its control exist. Empty when
  // the movie loaded; otherwise the reason it cannot play, and the window is
  // neither shown nor started.
  std::string OpenFullScreen(const FlashOpenRequest& request);
  std::string OpenInPanel(const FlashOpenRequest& request);

  void PlaytimerTimer();
  void stoptimerTimer();
  // The window closes by any means other than the run window destroying it.
  void FormClose();
  void FormKeyDown(int virtualKey);
  // The typed character as UTF-8 text.
  void FormKeyPress(std::string_view character);
  bool PasswordAllowsEnd();

  const settings::TRWSetting* FSetting = nullptr;
  int32_t FLastFrame = 0;
  int32_t FTotalFrames = 0;
  int32_t FIdleTicks = 0;
  TMyShockwaveFlash FFlash;
  uintptr_t FRunWindow = 0;
  int32_t FStartFrame = 0;
  int32_t FMouseRefX = kMouseUnset, FMouseRefY = kMouseUnset, FMouseMoves = 0;
  bool FEndsByMouse = false;
  int32_t FEndMode = 0, FEndFrame = 0;
  int32_t FElapsed = 0;
  bool FStopOnWrap = false, FNeverEnd = false;
  int32_t FPlaySeconds = 0;
  bool FMovieGetsMoves = false, FMovieGetsClicks = false;

 private:
  void TakeRequest(const FlashOpenRequest& request);
  // Steps 8 and 9, once the properties are set.
  std::string Start(const FlashOpenRequest& request);
  void LeftClickRule();
  void RightClickRule();
  void DoubleClickRule();
  void MovementRule(int x, int y);
  void EndShow();
  void EndMovie();
  void PostFlashEnded();

  FlashFormPlatform& platform_;
  bool asking_ = false;
};

}  // namespace player
