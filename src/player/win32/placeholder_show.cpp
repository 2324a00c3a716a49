// The show path until the run window exists: the project is read, and a black
// window covers the screen (or the preview host) until Esc.
#include <memory>

#include "base/random.h"
#include "base/win32/utf16.h"
#include "player/win32/show_entry.h"
#include "project/project_errors.h"
#include "project/project_info.h"
#include "project/win32/win32_project_services.h"

namespace player {
namespace {

constexpr wchar_t kWindowClass[] = L"TfRun";
bool gPreview = false;

LRESULT CALLBACK ShowWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (!gPreview && wParam == VK_ESCAPE) DestroyWindow(window);
      return 0;
    case WM_SYSCOMMAND:
      return 0;  // no Alt+F4, no screensaver restart
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int RunShow(HINSTANCE instance, const std::string& programPath, const std::string&, const StartRequest& request) {
  project::Win32ProjectServices services;
  base::SeededRandom random(GetTickCount64());
  std::unique_ptr<project::TProjectInfo> projectInfo;
  try {
    projectInfo = std::make_unique<project::TProjectInfo>(programPath, services);
    projectInfo->ReadHeader();
    projectInfo->ReadPictures(random);
  } catch (const std::exception& error) {
    MessageBoxW(nullptr, base::Utf16FromUtf8(error.what()).c_str(), L"Screensaver", MB_OK | MB_ICONERROR);
    return 1;
  }

  HWND host = nullptr;
  if (request.mode == ProgramMode::Preview) {
    host = reinterpret_cast<HWND>(static_cast<uintptr_t>(request.hostWindow));
    if (!IsWindow(host)) return 0;  // never start a show on a window that is not there
    gPreview = true;
  }

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ShowWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kWindowClass;
  RegisterClassW(&windowClass);

  HWND window;
  if (host) {
    RECT area;
    GetClientRect(host, &area);
    window = CreateWindowExW(0, kWindowClass, L"Run", WS_CHILD | WS_VISIBLE, 0, 0, area.right, area.bottom, host,
                             nullptr, instance, nullptr);
  } else {
    window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kWindowClass, L"Run", WS_POPUP | WS_VISIBLE, 0, 0,
                             GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                             instance, nullptr);
    SetForegroundWindow(window);
    SetFocus(window);
  }
  if (!window) return 1;

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace player
