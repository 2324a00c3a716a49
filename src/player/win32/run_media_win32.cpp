#include "player/win32/run_media_win32.h"

namespace player {
namespace {

constexpr wchar_t kPanelClass[] = L"TfRunDisplayPanel";

}  // namespace

Win32RunMedia::~Win32RunMedia() {
  // The devices close before the window they draw into goes.
  music_.Close();
  video_.Close();
  if (panel_ && IsWindow(panel_)) DestroyWindow(panel_);
}

bool Win32RunMedia::Attach(HINSTANCE instance, HWND parent, std::function<void(MouseButton)> onMouseDown) {
  onMouseDown_ = std::move(onMouseDown);
  WNDCLASSW panelClass{};
  panelClass.lpfnWndProc = PanelProc;
  panelClass.hInstance = instance;
  panelClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  panelClass.lpszClassName = kPanelClass;
  RegisterClassW(&panelClass);
  // 9 by 9 pixels and hidden until a video plays.
  panel_ = CreateWindowExW(0, kPanelClass, L"displaypanel", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 9, 9, parent, nullptr,
                           instance, this);
  return panel_ != nullptr;
}

void Win32RunMedia::ShowVideoPanel(const raster::Rect& bounds) {
  if (!panel_) return;
  SetWindowPos(panel_, HWND_TOP, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void Win32RunMedia::HideVideoPanel() {
  if (panel_) ShowWindow(panel_, SW_HIDE);
}

LRESULT CALLBACK Win32RunMedia::PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32RunMedia*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<Win32RunMedia*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (self && self->panel_ == window) return self->Handle(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32RunMedia::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      // The device draws its current frame again; without one the panel stays black.
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(panel_, &paint);
      video_.Update(dc, paint.rcPaint);
      EndPaint(panel_, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (onMouseDown_) onMouseDown_(MouseButton::Left);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      if (onMouseDown_) onMouseDown_(MouseButton::Right);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      if (onMouseDown_) onMouseDown_(MouseButton::Middle);
      return 0;
    default:
      return DefWindowProcW(panel_, message, wParam, lParam);
  }
}

}  // namespace player
