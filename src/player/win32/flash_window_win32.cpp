#include "player/win32/flash_window_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <memory>

#include "base/win32/utf16.h"
#include "player/flash_form.h"
#include "player/win32/flash_activex_win32.h"
#include "player/win32/flash_stand_in_win32.h"
#include "player/win32/flash_window_class.h"
#include "settings/win32/settings_ui.h"

namespace player {
namespace {

constexpr wchar_t kWindowClass[] = L"TfFlashform";
constexpr UINT_PTR kStoptimerId = 1;
constexpr UINT_PTR kPlaytimerId = 2;
constexpr UINT_PTR kInputSubclass = 1;

// One Flash window with its control and its TfFlashform. It is created by
// Win32FlashHost and frees itself once its window is gone and none of its
// handlers is running (a password prompt may be open in one when the run
// window destroys the window).
class Win32FlashWindow final : public FlashFormPlatform {
 public:
  Win32FlashWindow(bool preview, HWND runWindow) : preview_(preview), runWindow_(runWindow) {}
  Win32FlashWindow(const Win32FlashWindow&) = delete;
  Win32FlashWindow& operator=(const Win32FlashWindow&) = delete;

  bool Create();
  TfFlashform& Form() { return *form_; }
  HWND Window() const { return window_; }
  // Destroys the window and the control; the object follows when it is free.
  void Destroy();

  // FlashFormPlatform ------------------------------------------------------
  void SetTimer(FlashTimer timer, bool enabled) override {
    if (!window_) return;  // as Windows: no window, no timer
    const UINT_PTR id = timer == FlashTimer::stoptimer ? kStoptimerId : kPlaytimerId;
    if (enabled)
      ::SetTimer(window_, id, timer == FlashTimer::stoptimer ? kStoptimerMs : kPlaytimerMs, nullptr);
    else
      KillTimer(window_, id);
  }
  void PostMessageTo(uintptr_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    PostMessageW(reinterpret_cast<HWND>(window), message, wParam, lParam);
  }
  uintptr_t MainWindow() override { return reinterpret_cast<uintptr_t>(runWindow_); }
  bool InputPassword(std::string& typed) override {
    return settings::InputPassword(window_ ? window_ : runWindow_, typed);
  }
  void ShowDefaultCursor() override { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }
  void ShowWindow() override {
    if (!window_) return;
    ::ShowWindow(window_, preview_ ? SW_SHOWNA : SW_SHOW);
    if (!preview_) {
      SetForegroundWindow(window_);
      SetFocus(controlWindow_);
    }
  }
  void BringToFront() override {
    if (!window_) return;
    constexpr UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(controlWindow_, HWND_TOP, 0, 0, 0, 0, flags);
    SetWindowPos(window_, preview_ ? HWND_TOP : HWND_TOPMOST, 0, 0, 0, 0, flags);
  }

 private:
  // Keeps the object while one of its handlers runs.
  class Busy {
   public:
    explicit Busy(Win32FlashWindow* flash) : flash_(flash) { ++flash_->busy_; }
    ~Busy() {
      if (--flash_->busy_ == 0 && flash_->gone_) delete flash_;
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    Win32FlashWindow* flash_;
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlInputProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleControlInput(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
  // No exception leaves the window's procedures: a handler that fails ends
  // the movie as closing the window does, and the show goes on.
  template <class Handler>
  LRESULT Guarded(Handler&& handler) noexcept {
    try {
      return handler();
    } catch (...) {
    }
    try {
      if (window_) ::ShowWindow(window_, SW_HIDE);
      if (form_) form_->FormClose();
    } catch (...) {
    }
    return 0;
  }
  void KeyPress(WPARAM character) {
    const wchar_t typed = static_cast<wchar_t>(character);
    form_->FormKeyPress(base::Utf8FromUtf16(std::wstring_view(&typed, 1)));
  }

  bool preview_;
  HWND runWindow_;
  HWND window_ = nullptr;
  HWND controlWindow_ = nullptr;
  std::unique_ptr<FlashControl> control_;
  ActiveXFlash* activeX_ = nullptr;
  std::unique_ptr<TfFlashform> form_;
  int busy_ = 0;
  bool gone_ = false;
};

// The one Flash window of the process, or none.
Win32FlashWindow* FlashWindow = nullptr;

bool Win32FlashWindow::Create() {
  const HINSTANCE instance = RegisterFlashClass(kWindowClass, WindowProc);
  if (preview_) {
    RECT area;
    GetClientRect(runWindow_, &area);
    CreateWindowExW(0, kWindowClass, L"FlashPanel", WS_CHILD | WS_CLIPCHILDREN, 0, 0, area.right, area.bottom,
                    runWindow_, nullptr, instance, this);
  } else {
    CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kWindowClass, L"FlashPanel", WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                    GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), runWindow_, nullptr,
                    instance, this);
  }
  if (!window_) return false;
  if (auto activeX = CreateActiveXFlash(window_, controlWindow_)) {
    activeX_ = activeX.get();
    control_ = std::move(activeX);
  } else {
    control_ = CreateStandInFlash(window_, controlWindow_);
  }
  if (!control_) return false;
  SetWindowSubclass(controlWindow_, ControlInputProc, kInputSubclass, reinterpret_cast<DWORD_PTR>(this));
  form_ = std::make_unique<TfFlashform>(*this, *control_);
  return true;
}

void Win32FlashWindow::Destroy() {
  Busy busy(this);
  if (FlashWindow == this) FlashWindow = nullptr;
  if (window_) DestroyWindow(window_);
  gone_ = true;
}

LRESULT CALLBACK Win32FlashWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32FlashWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<Win32FlashWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  if (!self || !self->form_) {
    if (self && message == WM_NCDESTROY) self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  Busy busy(self);
  return self->Guarded([&] { return self->Handle(message, wParam, lParam); });
}

LRESULT Win32FlashWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_;
  switch (message) {
    case WM_TIMER:
      if (wParam == kStoptimerId) form_->stoptimerTimer();
      if (wParam == kPlaytimerId) form_->PlaytimerTimer();
      return 0;
    // Keys reach the window itself when its control does not have the focus.
    case WM_KEYDOWN:
      form_->FormKeyDown(static_cast<int>(wParam));
      return 0;
    case WM_CHAR:
      KeyPress(wParam);
      return 0;
    case WM_CLOSE:
      // Closing (Alt+F4 among others) hides the window and tells the run
      // window, which destroys it.
      form_->FormClose();
      ::ShowWindow(window, SW_HIDE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_DESTROY:
      KillTimer(window, kStoptimerId);
      KillTimer(window, kPlaytimerId);
      // The ActiveX control is given up before its host window goes.
      if (activeX_) activeX_->Release();
      break;
    case WM_NCDESTROY:
      if (FlashWindow == this) FlashWindow = nullptr;
      window_ = nullptr;
      gone_ = true;
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Win32FlashWindow::ControlInputProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                    DWORD_PTR self) {
  auto* flash = reinterpret_cast<Win32FlashWindow*>(self);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, ControlInputProc, kInputSubclass);
    return DefSubclassProc(window, message, wParam, lParam);
  }
  Busy busy(flash);
  return flash->Guarded([&] { return flash->HandleControlInput(window, message, wParam, lParam); });
}

LRESULT Win32FlashWindow::HandleControlInput(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(control, &at);
      if (!form_->FFlash.MouseMessage(message, static_cast<uint32_t>(lParam), {at.x, at.y})) return 0;
      break;
    }
    // The window sees keys before its control.
    case WM_KEYDOWN:
      form_->FormKeyDown(static_cast<int>(wParam));
      break;
    case WM_CHAR:
      KeyPress(wParam);
      break;
  }
  if (!IsWindow(control)) return 0;  // destroyed while a handler ran
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void Win32FlashHost::Attach(HWND runWindow, std::function<void(POINT)> showRunMenu) {
  runWindow_ = runWindow;
  showRunMenu_ = std::move(showRunMenu);
}

std::string Win32FlashHost::Open(bool preview, const FlashWindowArgs& args) {
  CloseFlashWindow();  // one Flash window at a time
  auto* flash = new Win32FlashWindow(preview, runWindow_);
  if (!flash->Create()) {
    flash->Destroy();
    return "The window for the Flash movie " + args.movie + " cannot be created.";
  }
  FlashWindow = flash;
  FlashOpenRequest request;
  request.runWindow = reinterpret_cast<uintptr_t>(runWindow_);
  if (!preview && showRunMenu_)
    request.popupMenu = [menu = showRunMenu_](raster::Point at) { menu(POINT{at.x, at.y}); };
  request.setting = &args.setting;
  request.endsByMouse = args.endsByMouse;
  request.autoplay = args.autoplay;
  request.params = args.params;
  request.movie = args.movie;
  std::string error = preview ? flash->Form().OpenInPanel(request) : flash->Form().OpenFullScreen(request);
  if (!error.empty()) CloseFlashWindow();
  return error;
}

void Win32FlashHost::CloseFlashWindow() {
  if (!FlashWindow) return;
  const bool active = GetForegroundWindow() == FlashWindow->Window();
  FlashWindow->Destroy();
  // The keyboard goes back to the show.
  if (active && runWindow_ && IsWindow(runWindow_)) {
    SetForegroundWindow(runWindow_);
    SetFocus(runWindow_);
  }
}

}  // namespace player
