#include "player/win32/flash_stand_in_win32.h"

#include "player/flash_stand_in.h"
#include "player/win32/flash_window_class.h"
#include "raster/bitmap.h"

namespace player {
namespace {

constexpr wchar_t kWindowClass[] = L"FlashStandIn";
constexpr UINT_PTR kFrameTimer = 1;

// The window and the player; the window's user data points here. The object
// lives as long as the player the Flash window holds.
class StandInWindow final : public StandInScreen {
 public:
  explicit StandInWindow(HWND window) : window_(window) {}

  void SetFrameTimer(uint32_t intervalMs) override {
    if (!IsWindow(window_)) return;
    if (intervalMs)
      ::SetTimer(window_, kFrameTimer, intervalMs, nullptr);
    else
      KillTimer(window_, kFrameTimer);
  }
  void Invalidate() override {
    if (IsWindow(window_)) InvalidateRect(window_, nullptr, FALSE);
  }

  void Paint(const StandInFlashPlayer& player) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    if (client.right > 0 && client.bottom > 0) {
      if (image_.Width() != client.right || image_.Height() != client.bottom) image_.Reset(client.right, client.bottom);
      player.Paint(image_);
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof(info.bmiHeader);
      info.bmiHeader.biWidth = image_.Width();
      info.bmiHeader.biHeight = -image_.Height();  // top-down, as the engine's bitmaps
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      info.bmiHeader.biCompression = BI_RGB;
      SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(image_.Width()), static_cast<DWORD>(image_.Height()), 0, 0, 0,
                        static_cast<UINT>(image_.Height()), image_.Row(0), &info, DIB_RGB_COLORS);
    }
    EndPaint(window_, &paint);
  }

  void Forget() { window_ = nullptr; }

 private:
  HWND window_;
  raster::Bitmap image_;
};

// The player with the window it draws in.
class StandInControl final : public FlashControl {
 public:
  explicit StandInControl(HWND window) : screen_(window), player_(screen_) {}

  void SetMovie(const std::string& path) override { player_.SetMovie(path); }
  void SetScaleMode(int32_t mode) override { player_.SetScaleMode(mode); }
  void SetAlignMode(int32_t mode) override { player_.SetAlignMode(mode); }
  void SetBackgroundColor(int32_t rgb) override { player_.SetBackgroundColor(rgb); }
  int32_t TotalFrames() override { return player_.TotalFrames(); }
  bool Playing() override { return player_.Playing(); }
  void SetMenu(bool on) override { player_.SetMenu(on); }
  void Play() override { player_.Play(); }
  void StopPlay() override { player_.StopPlay(); }
  void GotoFrame(int32_t frame) override { player_.GotoFrame(frame); }
  int32_t CurrentFrame() override { return player_.CurrentFrame(); }
  std::string LoadError() const override { return player_.LoadError(); }

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_PAINT:
        screen_.Paint(player_);
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case WM_TIMER:
        if (wParam == kFrameTimer) player_.Tick();
        return 0;
      case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
          SetCursor(LoadCursorW(nullptr, IDC_ARROW));
          return TRUE;
        }
        break;
      case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
      case WM_NCDESTROY:
        // The window goes before the Flash window frees the control.
        screen_.Forget();
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

 private:
  StandInWindow screen_;
  StandInFlashPlayer player_;
};

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* control = reinterpret_cast<StandInControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (control) return control->Handle(window, message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<FlashControl> CreateStandInFlash(HWND parent, HWND& window) {
  const HINSTANCE instance = RegisterFlashClass(kWindowClass, StandInProc);
  RECT area;
  GetClientRect(parent, &area);
  window = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, area.right, area.bottom, parent, nullptr,
                           instance, nullptr);
  if (!window) return nullptr;
  auto control = std::make_unique<StandInControl>(window);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control.get()));
  return control;
}

}  // namespace player
