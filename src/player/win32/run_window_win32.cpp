#include "player/win32/run_window_win32.h"

#include <windowsx.h>

#include <array>

#include "base/random.h"
#include "base/win32/utf16.h"
#include "base/win32/window_dpi.h"
#include "player/dpi_text_renderer.h"
#include "player/run_messages.h"
#include "player/run_window.h"
#include "player/screen_layout.h"
#include "player/win32/desktop_capture.h"
#include "player/win32/flash_window_win32.h"
#include "player/win32/gdi_text_renderer.h"
#include "player/win32/monitor_covers.h"
#include "player/win32/run_media_win32.h"
#include "player/win32/soak_probe.h"
#include "project/win32/win32_project_services.h"
#include "settings/win32/registry_backend.h"
#include "settings/win32/settings_ui.h"

namespace player {
namespace {

constexpr wchar_t kWindowClass[] = L"TfRun";
constexpr UINT kMenuSetting = 1;
constexpr UINT kMenuStop = 2;

class Win32RunWindow final : public ShowWindowPort, public RunDialogs, public DesktopCapturer {
 public:
  Win32RunWindow(HINSTANCE instance, std::string programPath) : instance_(instance), programPath_(std::move(programPath)) {}
  // The show goes first, while the window and everything it may call exist.
  ~Win32RunWindow() override {
    if (window_) DestroyWindow(window_);
    run_.reset();
    FreeImage();
  }
  Win32RunWindow(const Win32RunWindow&) = delete;
  Win32RunWindow& operator=(const Win32RunWindow&) = delete;

  int Run(const StartRequest& request) {
    HWND host = nullptr;
    // Full screen: the slides on the primary monitor, the others black.
    const ScreenLayout layout =
        LayOutScreens(SystemMonitors(), {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    RECT area{layout.show.left, layout.show.top, layout.show.right, layout.show.bottom};
    if (request.mode == ProgramMode::Preview) {
      host = reinterpret_cast<HWND>(static_cast<uintptr_t>(request.hostWindow));
      // Never start a show on a window that is not there.
      if (!IsWindow(host)) return 0;
      GetClientRect(host, &area);
    }
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return 0;

    base::SeededRandom random(GetTickCount64() ^ (static_cast<uint64_t>(GetCurrentProcessId()) << 32));
    try {
      run_ = std::make_unique<TfRun>(RunDependencies{programPath_, projectServices_, registry_,
                                                     RunPlatform{*this, *this, *this, text_, media_, flash_}, random});
    } catch (const std::exception& error) {
      ShowMessage(error.what());
      return 1;
    }
    if (!CreateImage(width, height) || !CreateShowWindow(host, area.left, area.top, width, height)) return 1;
    if (!host) covers_.Create(instance_, window_, layout);
    text_.SetDpi(base::WindowDpi(window_));
    media_.Attach(instance_, window_,
                  [this](MouseButton button) { Guarded([&] { run_->displaypanelMouseDown(button); }); });
    // A right click on a movie that does not end the show opens the show's menu.
    flash_.Attach(window_, [this](POINT at) {
      ScreenToClient(window_, &at);
      Guarded([&] { run_->ContextMenu(raster::Point{at.x, at.y}); });
    });
    try {
      if (host)
        run_->SetupPreview(width, height);
      else
        run_->SetupFullScreen(width, height);
      ShowWindow(window_, SW_SHOW);
      if (!host) {
        SetForegroundWindow(window_);
        SetFocus(window_);
      }
      run_->FormShow();
    } catch (const std::exception& error) {
      ShowMessage(error.what());
      if (window_) DestroyWindow(window_);
    }
    const int code = RunShowMessageLoop();
    run_.reset();
    return code;
  }

  // ShowWindowPort -----------------------------------------------------------
  void SetTimer(RunTimer timer, bool enabled, uint32_t intervalMs) override {
    if (!window_) return;
    const UINT_PTR id = static_cast<UINT_PTR>(timer) + 1;
    if (enabled)
      ::SetTimer(window_, id, soak_.Interval(intervalMs == 0 ? 1 : intervalMs), nullptr);
    else
      KillTimer(window_, id);
  }
  void PostToWindow(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    if (window_) PostMessageW(window_, message, wParam, lParam);
  }
  void RequestClose() override {
    if (window_ && !closing_) PostMessageW(window_, WM_CLOSE, 0, 0);
  }
  void ProcessMessages() override { project::Win32ProjectServices().ProcessMessages(); }
  void BringToFront() override {
    if (!window_) return;
    covers_.Raise();
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window_);
    SetFocus(window_);
  }
  void SetCursorHidden(bool hidden) override {
    cursorHidden_ = hidden;
    SetCursor(hidden ? nullptr : LoadCursorW(nullptr, IDC_ARROW));
  }
  bool CursorHidden() const override { return cursorHidden_; }
  raster::Bitmap& ShowImage() override { return image_; }
  void Present(const raster::Rect& area) override {
    if (!window_) return;
    const RECT r{area.left, area.top, area.right, area.bottom};
    InvalidateRect(window_, &r, FALSE);
  }

  // RunDialogs ---------------------------------------------------------------
  bool InputPassword(std::string& typed) override { return settings::InputPassword(window_, typed); }
  void ShowSettingDialog() override { settings::ShowSettingDialog(window_, programPath_); }
  void ShowMessage(const std::string& text) override {
    MessageBoxW(window_, base::Utf16FromUtf8(text).c_str(), L"Screensaver", MB_OK | MB_ICONERROR);
  }
  MenuChoice PopupMenu(std::optional<raster::Point> at, const std::string& settingCaption,
                       const std::string& stopCaption) override {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, kMenuSetting, base::Utf16FromUtf8(settingCaption).c_str());
    AppendMenuW(menu, MF_STRING, kMenuStop, base::Utf16FromUtf8(stopCaption).c_str());
    POINT point{};
    if (at) {
      point = {at->x, at->y};
    } else {
      RECT client{};
      GetClientRect(window_, &client);
      point = {client.right / 2, client.bottom / 2};
    }
    ClientToScreen(window_, &point);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, point.x, point.y, 0, window_, nullptr));
    DestroyMenu(menu);
    if (chosen == kMenuSetting) return MenuChoice::Setting;
    if (chosen == kMenuStop) return MenuChoice::Stop;
    return MenuChoice::None;
  }

  // DesktopCapturer ----------------------------------------------------------
  void CaptureDesktop(const std::string& path) override { player::CaptureDesktop(path); }

  // No exception leaves the window procedure: unwinding through the system's
  // code ends a 32-bit program and is undefined in a 64-bit one.
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32RunWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
      self = static_cast<Win32RunWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->window_ = window;
    }
    if (message == WM_NCDESTROY && self) self->window_ = nullptr;
    if (!self || !self->run_) return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    self->Guarded([&] { result = self->Handle(message, wParam, lParam); });
    return result;
  }

 private:
  // Runs a handler of the show from a window procedure (the show window's, the
  // video panel's or the Flash window's).
  template <class Handler>
  void Guarded(Handler&& handler) noexcept {
    try {
      handler();
    } catch (const std::exception& error) {
      Failed(error.what());
    } catch (...) {
      Failed("The show met an unexpected error.");
    }
  }

  // A handler failed: the show says so and ends; when even that fails, the
  // window goes.
  void Failed(const char* what) noexcept {
    try {
      run_->HandlerFailed(what);
      return;
    } catch (...) {
    }
    if (window_) DestroyWindow(window_);
  }

  // Tells why the show cannot start, with the system's reason for `step`.
  bool StartFailed(const char* step) {
    const DWORD code = GetLastError();
    wchar_t* reason = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   code, 0, reinterpret_cast<wchar_t*>(&reason), 0, nullptr);
    std::string text = std::string("The show cannot start: ") + step + " failed (error " + std::to_string(code) + ").";
    if (reason) {
      text += "\n\n" + base::Utf8FromUtf16(reason);
      LocalFree(reason);
    }
    ShowMessage(text);
    return false;
  }

  bool CreateImage(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as the engine's bitmaps
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dib_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib_ || !bits) return StartFailed("creating the show image (CreateDIBSection)");
    memoryDc_ = CreateCompatibleDC(nullptr);
    if (!memoryDc_) return StartFailed("creating its device context (CreateCompatibleDC)");
    oldBitmap_ = SelectObject(memoryDc_, dib_);
    if (!oldBitmap_) return StartFailed("selecting the show image (SelectObject)");
    image_ = raster::Bitmap::Wrap(static_cast<raster::Pixel*>(bits), width, height, static_cast<ptrdiff_t>(width) * 4);
    image_.Fill(raster::MakePixel(0, 0, 0));
    return true;
  }

  void FreeImage() {
    if (memoryDc_) {
      SelectObject(memoryDc_, oldBitmap_);
      DeleteDC(memoryDc_);
    }
    if (dib_) DeleteObject(dib_);
    memoryDc_ = nullptr;
    dib_ = nullptr;
  }

  bool CreateShowWindow(HWND host, int left, int top, int width, int height) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    windowClass.hCursor = nullptr;  // the window sets its cursor itself
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      return StartFailed("registering the show window (RegisterClassW)");
    if (host)
      CreateWindowExW(0, kWindowClass, L"Run", WS_CHILD | WS_CLIPCHILDREN, 0, 0, width, height, host, nullptr,
                      instance_, this);
    else
      CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kWindowClass, L"Run", WS_POPUP | WS_CLIPCHILDREN, left, top,
                      width, height, nullptr, nullptr, instance_, this);
    return window_ != nullptr || StartFailed("creating the show window (CreateWindowExW)");
  }

  void Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    const RECT& r = paint.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memoryDc_, r.left, r.top, SRCCOPY);
    EndPaint(window_, &paint);
  }

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_PAINT:
        Paint();
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
          // A dialog of the show keeps the cursor.
          SetCursor(cursorHidden_ && !run_->View().inDialog ? nullptr : LoadCursorW(nullptr, IDC_ARROW));
          return TRUE;
        }
        break;
      case WM_TIMER:
        OnTimer(static_cast<RunTimer>(wParam - 1));
        return 0;
      case WM_MOUSEMOVE:
        run_->pbShowMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
      case WM_LBUTTONDOWN:
        run_->pbShowMouseDown(MouseButton::Left);
        return 0;
      case WM_RBUTTONDOWN:
        run_->pbShowMouseDown(MouseButton::Right);
        return 0;
      case WM_MBUTTONDOWN:
        run_->pbShowMouseDown(MouseButton::Middle);
        return 0;
      // Only the left button has the double-click rule; the second press of
      // another button counts as its click.
      case WM_LBUTTONDBLCLK:
        run_->pbShowDblClick();
        return 0;
      case WM_RBUTTONDBLCLK:
        run_->pbShowMouseDown(MouseButton::Right);
        return 0;
      case WM_MBUTTONDBLCLK:
        run_->pbShowMouseDown(MouseButton::Middle);
        return 0;
      case WM_RBUTTONUP:
        run_->ContextMenu(raster::Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
      case WM_KEYDOWN:
        run_->FormKeyDown(static_cast<int>(wParam), GetKeyState(VK_SHIFT) < 0);
        return 0;
      case WM_SYSKEYDOWN:
        if (wParam != VK_F10) break;
        run_->FormKeyDown(VK_F10, GetKeyState(VK_SHIFT) < 0);
        return 0;
      case WM_CONTEXTMENU:
        return 0;  // the right button and the menu keys are handled above
      case WM_CHAR: {
        const wchar_t typed = static_cast<wchar_t>(wParam);
        run_->FormKeyPress(base::Utf8FromUtf16(std::wstring_view(&typed, 1)));
        return 0;
      }
      case WM_SYSCOMMAND:
        return 0;  // no system menu, no Alt+F4, no screensaver over the show
      case WM_CLOSE:
        if (!closing_ && run_->FormCloseQuery()) {
          closing_ = true;
          run_->FormClose();
          DestroyWindow(window_);
        }
        return 0;
      case WM_DPICHANGED:
        // Later text is drawn at the new DPI; the window keeps covering its monitor.
        text_.SetDpi(HIWORD(wParam));
        return 0;
      case WM_DESTROY:
        covers_.Destroy();
        run_->FormDestroy();
        PostQuitMessage(0);
        return 0;
      default:
        if (message >= WM_USER && run_->HandleMessage(message, wParam, lParam)) return 0;
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
  }

  void OnTimer(RunTimer timer) {
    switch (timer) {
      case RunTimer::Show: run_->ShowTimerTimer(); break;
      case RunTimer::Select:
        soak_.SlideStarted();
        run_->SelectTimerTimer();
        break;
      case RunTimer::MaxRuntime: run_->MaxRuntimeTimer(); break;
      case RunTimer::Video: run_->VidioTimerTimer(); break;
      case RunTimer::MusicPlay: run_->MusicPlayTimerTimer(); break;
    }
  }

  HINSTANCE instance_;
  std::string programPath_;
  project::Win32ProjectServices projectServices_;
  GdiTextRenderer gdiText_;
  DpiTextRenderer text_{gdiText_};
  settings::RegistrySettingsBackend registry_;
  Win32RunMedia media_;  // outlives run_, which plays through it
  Win32FlashHost flash_;  // outlives run_, whose tear-down closes the Flash window
  std::unique_ptr<TfRun> run_;
  HWND window_ = nullptr;
  MonitorCovers covers_;
  SoakProbe soak_;
  HBITMAP dib_ = nullptr;
  HDC memoryDc_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  raster::Bitmap image_;
  bool cursorHidden_ = false;
  bool closing_ = false;
};

}  // namespace

int RunShowMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_SYSCOMMAND && (message.wParam & 0xFFF0) == SC_SCREENSAVE) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

int RunShowWindow(HINSTANCE instance, const std::string& programPath, const StartRequest& request) {
  Win32RunWindow window(instance, programPath);
  return window.Run(request);
}

}  // namespace player
