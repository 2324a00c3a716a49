#include "player/flash_form.h"

#include <cstdlib>

#include "player/run_messages.h"
#include "settings/check_password.h"

namespace player {
namespace {

constexpr int32_t kEndAtFrame = 0;
constexpr int32_t kEndAfterSeconds = 1;
constexpr int32_t kIdleTicksAfterPlaying = 3;
constexpr int32_t kFramesPerIdleTick = 18;

}  // namespace

TfFlashform::TfFlashform(FlashFormPlatform& platform, FlashControl& control)
    : FFlash(control), platform_(platform) {}

void TfFlashform::TakeRequest(const FlashOpenRequest& request) {
  FSetting = request.setting;
  FRunWindow = request.runWindow;
  FEndsByMouse = request.endsByMouse;
  const FlashParams& p = request.params;
  FEndMode = p.EndMode;
  FEndFrame = p.EndFrame;
  FStopOnWrap = p.StopOnWrap;
  FNeverEnd = p.NeverEnd;
  FPlaySeconds = p.PlaySeconds;
  FMovieGetsMoves = p.MovieGetsMoves;
  FMovieGetsClicks = p.MovieGetsClicks;
}

std::string TfFlashform::OpenFullScreen(const FlashOpenRequest& request) {
  // The cursor is visible while a movie plays.
  platform_.ShowDefaultCursor();
  FFlash.PassRightDown = false;
  TakeRequest(request);
  if (FEndsByMouse) {
    FFlash.PopupMenu = nullptr;
    FFlash.OnRightDown = [this] { RightClickRule(); };
  } else {
    FFlash.PopupMenu = request.popupMenu;  // "Setting" and "Stop" of the run window
    FFlash.OnRightDown = nullptr;
  }
  if (FMovieGetsClicks) {
    FFlash.PassLeftDown = FFlash.PassLeftUp = true;
  } else {
    FFlash.PassLeftDown = FFlash.PassLeftUp = false;
    FFlash.OnLeftDown = [this] { LeftClickRule(); };
    FFlash.OnLeftUp = [] {};
    FFlash.PassDoubleClick = false;
    FFlash.OnFlashDoubleClick = [this] { DoubleClickRule(); };
  }
  FFlash.PassMouseMove = FMovieGetsMoves;
  if (!FMovieGetsMoves) FFlash.OnFlashMouseMove = [this](int x, int y) { MovementRule(x, y); };

  FlashControl& control = FFlash.Control();
  control.SetMenu(false);
  control.SetMovie(request.movie);
  FFlash.SetBackgroundColorRGB(request.params.BackgroundColor);
  control.SetScaleMode(request.params.ScaleMode);
  control.SetAlignMode(request.params.AlignMode);
  return Start(request);
}

std::string TfFlashform::OpenInPanel(const FlashOpenRequest& request) {
  // Left clicks and movement reach the movie; right and double clicks are dropped.
  FFlash.PassRightDown = false;
  TakeRequest(request);
  FlashControl& control = FFlash.Control();
  control.SetMenu(false);
  FFlash.SetBackgroundColorRGB(request.params.BackgroundColor);
  control.SetScaleMode(request.params.ScaleMode);
  control.SetAlignMode(request.params.AlignMode);
  control.SetMovie(request.movie);
  platform_.BringToFront();
  return Start(request);
}

std::string TfFlashform::Start(const FlashOpenRequest& request) {
  FlashControl& control = FFlash.Control();
  if (std::string error = control.LoadError(); !error.empty()) return error;
  FStartFrame = request.params.StartFrame;
  FTotalFrames = control.TotalFrames();
  FLastFrame = 0;
  FIdleTicks = 0;
  platform_.ShowWindow();
  platform_.BringToFront();
  if (request.autoplay) {
    platform_.SetTimer(FlashTimer::Playtimer, true);
    platform_.SetTimer(FlashTimer::stoptimer, true);
  }
  return {};
}

void TfFlashform::PlaytimerTimer() {
  platform_.SetTimer(FlashTimer::Playtimer, false);
  FFlash.Control().GotoFrame(FStartFrame);
  FFlash.Control().Play();
}

void TfFlashform::PostFlashEnded() { platform_.PostMessageTo(FRunWindow, UM_FLASHENDED, 1, 1); }

void TfFlashform::EndMovie() {
  FFlash.Control().StopPlay();
  PostFlashEnded();
}

void TfFlashform::stoptimerTimer() {
  FlashControl& control = FFlash.Control();
  const int32_t frame = control.CurrentFrame();
  if (FStopOnWrap) {
    // The movie has started over.
    if (!FNeverEnd && frame < FLastFrame) EndMovie();
    FLastFrame = frame;
    return;
  }
  if (FEndMode == kEndAtFrame) {
    if (frame >= FEndFrame) EndMovie();
    FLastFrame = frame;
  } else if (FEndMode == kEndAfterSeconds) {
    ++FElapsed;
    if (FElapsed > FPlaySeconds) EndMovie();
    FLastFrame = frame;
  } else if (control.Playing()) {
    // To the movie's end: the frame has not moved on since the last tick.
    if (frame <= FLastFrame) EndMovie();
    FLastFrame = frame;
  } else {
    ++FIdleTicks;
    const int32_t limit = FLastFrame != 0 ? kIdleTicksAfterPlaying : FTotalFrames / kFramesPerIdleTick + 3;
    if (FIdleTicks >= limit) {
      PostFlashEnded();
      platform_.SetTimer(FlashTimer::stoptimer, false);
    }
  }
}

void TfFlashform::FormClose() { PostFlashEnded(); }

bool TfFlashform::PasswordAllowsEnd() {
  if (!FSetting->EnabledPassword) return true;
  // One prompt at a time: input that arrives while it is open does not ask again.
  if (asking_) return false;
  asking_ = true;
  std::string typed;
  const bool confirmed = platform_.InputPassword(typed);
  asking_ = false;
  return confirmed && settings::CheckPassword(typed, FSetting->Password);
}

void TfFlashform::EndShow() { platform_.PostMessageTo(platform_.MainWindow(), UM_ENDSHOW, 0, 0); }

void TfFlashform::LeftClickRule() {
  if (!FMovieGetsClicks && FSetting->MouseLeftClick && PasswordAllowsEnd()) EndShow();
}

void TfFlashform::RightClickRule() {
  if (FSetting->MouseRightClick && PasswordAllowsEnd()) EndShow();
}

void TfFlashform::DoubleClickRule() {
  if (!FMovieGetsClicks && FSetting->MouseDoubleClick && PasswordAllowsEnd()) EndShow();
}

void TfFlashform::MovementRule(int x, int y) {
  if (FMovieGetsMoves) return;
  if (!(FEndsByMouse && FSetting->MouseMove)) {
    platform_.ShowDefaultCursor();
    return;
  }
  if (FMouseRefX != kMouseUnset) {
    const int32_t threshold = MouseThreshold(*FSetting);
    if (std::abs(x - FMouseRefX) < threshold && std::abs(y - FMouseRefY) < threshold) return;
    ++FMouseMoves;
    if (FMouseMoves <= FSetting->MouseSensitivity) return;
    if (PasswordAllowsEnd()) {
      EndShow();
      return;
    }
    // Refused: the counting starts again from here.
    FMouseMoves = 0;
  }
  FMouseRefX = x;
  FMouseRefY = y;
}

void TfFlashform::FormKeyDown(int virtualKey) {
  if (KeyEndsShow(*FSetting, virtualKey) && PasswordAllowsEnd()) EndShow();
}

void TfFlashform::FormKeyPress(std::string_view character) {
  if (CharacterEndsShow(*FSetting, character) && PasswordAllowsEnd()) EndShow();
}

}  // namespace player
