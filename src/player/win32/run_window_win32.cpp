#include "player/win32/run_window_win32.h"

#include <windowsx.h>

#include <array>

#include "base/random.h"
#include "base/win32/utf16.h"
#include "player/run_messages.h"
#include "player/run_window.h"
#include "player/win32/desktop_capture.h"
#include "player/win32/flash_window_win32.h"
#include "player/win32/gdi_text_renderer.h"
#include "player/win32/run_media_win32.h"
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
  ~Win32RunWindow() override { FreeImage(); }
  Win32RunWindow(const Win32RunWindow&) = delete;
  Win32RunWindow& operator=(const Win32RunWindow&) = delete;

  int Run(const StartRequest& request) {
    HWND host = nullptr;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
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
      MessageBoxW(nullptr, base::Utf16FromUtf8(error.what()).c_str(), L"Screensaver", MB_OK | MB_ICONERROR);
      return 1;
    }
    if (!CreateImage(width, height)) return 1;
    if (!CreateShowWindow(host, width, height)) return 1;
    media_.Attach(instance_, window_, [this](MouseButton button) { run_->displaypanelMouseDown(button); });
    // A right click on a movie that does not end the show opens the show's menu.
    flash_.Attach(window_, [this](POINT at) {
      ScreenToClient(window_, &at);
      run_->ContextMenu(raster::Point{at.x, at.y});
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
      MessageBoxW(window_, base::Utf16FromUtf8(error.what()).c_str(), L"Screensaver", MB_OK | MB_ICONERROR);
      DestroyWindow(window_);
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
      ::SetTimer(window_, id, intervalMs == 0 ? 1 : intervalMs, nullptr);
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
    if (window_) SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32RunWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
      self = static_cast<Win32RunWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->window_ = window;
    }
    if (self && self->run_) return self->Handle(message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
  }

 private:
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
    if (!dib_) return false;
    memoryDc_ = CreateCompatibleDC(nullptr);
    oldBitmap_ = SelectObject(memoryDc_, dib_);
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

  bool CreateShowWindow(HWND host, int width, int height) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    windowClass.hCursor = nullptr;  // the window sets its cursor itself
    windowClass.lpszClassName = kWindowClass;
    RegisterClassW(&windowClass);
    if (host)
      CreateWindowExW(0, kWindowClass, L"Run", WS_CHILD | WS_CLIPCHILDREN, 0, 0, width, height, host, nullptr,
                      instance_, this);
    else
      CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kWindowClass, L"Run", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width,
                      height, nullptr, nullptr, instance_, this);
    return window_ != nullptr;
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
          SetCursor(cursorHidden_ ? nullptr : LoadCursorW(nullptr, IDC_ARROW));
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
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDBLCLK:
        run_->pbShowDblClick();
        return 0;
      case WM_RBUTTONUP:
        run_->ContextMenu(raster::Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
      case WM_KEYDOWN:
        run_->FormKeyDown(static_cast<int>(wParam));
        return 0;
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
      case WM_DESTROY:
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
      case RunTimer::Select: run_->SelectTimerTimer(); break;
      case RunTimer::MaxRuntime: run_->MaxRuntimeTimer(); break;
      case RunTimer::Video: run_->VidioTimerTimer(); break;
      case RunTimer::MusicPlay: run_->MusicPlayTimerTimer(); break;
    }
  }

  HINSTANCE instance_;
  std::string programPath_;
  project::Win32ProjectServices projectServices_;
  GdiTextRenderer text_;
  settings::RegistrySettingsBackend registry_;
  Win32RunMedia media_;  // outlives run_, which plays through it
  Win32FlashHost flash_;  // outlives run_, whose tear-down closes the Flash window
  std::unique_ptr<TfRun> run_;
  HWND window_ = nullptr;
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
