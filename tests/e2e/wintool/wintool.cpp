// A small Windows console helper for the end-to-end tests: it lists windows,
// hosts a preview window, and drives windows and controls the way a person
// or the display control panel would.
//
//   wintool list                      every window: handle, parent, process, class, id,
//                                     visibility, enabled, check state, rectangle, text
//   wintool host WIDTH HEIGHT SECS    a host window; prints its client child's handle
//   wintool key VK                    presses and releases a virtual key (SendInput)
//   wintool combo VK VK ...           holds the keys down in order, releases them in reverse
//                                     (combo 18 115 is Alt+F4)
//   wintool char TEXT                 types characters (SendInput unicode)
//   wintool move X Y | click X Y [left|right|double]
//   wintool send HWND MSG WPARAM LPARAM   SendMessage; prints the result
//   wintool post HWND MSG WPARAM LPARAM   PostMessage
//   wintool settext HWND TEXT | gettext HWND | clickbutton HWND | foreground HWND
//   wintool menu HWND                 the items of the pop-up menu window HWND
//   wintool popup X Y TEXT...         a pop-up menu of its own with these items at X, Y, open
//                                     until it is dismissed (a reference to compare with
//                                     another program's menu, whose items Wine does not
//                                     let other processes read)
//   wintool pixel X Y                 the screen colour at X, Y as RRGGBB
//   wintool exec COMMANDLINE          starts a program with this command line exactly as
//                                     given (as Windows runs an UninstallString); prints its pid
//   wintool fits HWND POINTS FACE     every control under the dialog HWND whose text does not fit
//                                     it in that font at the screen's DPI, or that reaches out of
//                                     its parent's client area (one line each; nothing when all fit)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

unsigned long long Number(const wchar_t* text) { return std::wcstoull(text, nullptr, 0); }
HWND Handle(const wchar_t* text) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(Number(text))); }
unsigned long long Id(HWND window) { return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)); }

void PrintUtf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
  std::fputs(out.c_str(), stdout);
}

std::wstring WindowText(HWND window) {
  wchar_t buffer[1024] = L"";
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 500, nullptr);
  std::wstring text = buffer;
  for (auto& c : text)
    if (c == L'\r' || c == L'\n' || c == L'\t') c = L' ';
  return text;
}

void PrintWindow(HWND window) {
  wchar_t cls[256] = L"";
  GetClassNameW(window, cls, 256);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  RECT r{};
  GetWindowRect(window, &r);
  DWORD_PTR state = 0;
  const std::wstring className = cls;
  if (className == L"Button") SendMessageTimeoutW(window, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 200, &state);
  std::printf("hwnd=%llu parent=%llu owner=%llu pid=%lu id=%lld visible=%d enabled=%d checked=%d "
              "style=0x%08lx exstyle=0x%08lx rect=%ld,%ld,%ld,%ld class=",
              Id(window), Id(GetAncestor(window, GA_PARENT) == GetDesktopWindow() ? nullptr : GetParent(window)),
              Id(GetWindow(window, GW_OWNER)), pid, static_cast<long long>(GetDlgCtrlID(window)),
              IsWindowVisible(window) ? 1 : 0, IsWindowEnabled(window) ? 1 : 0, static_cast<int>(state),
              static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)),
              static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)), r.left, r.top, r.right, r.bottom);
  PrintUtf8(className);
  std::fputs(" text=", stdout);
  PrintUtf8(WindowText(window));
  std::fputs("\n", stdout);
}

BOOL CALLBACK ListChild(HWND window, LPARAM) {
  PrintWindow(window);
  return TRUE;
}

BOOL CALLBACK ListTop(HWND window, LPARAM) {
  PrintWindow(window);
  EnumChildWindows(window, ListChild, 0);
  return TRUE;
}

int Host(int width, int height, int seconds) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  wc.lpszClassName = L"WintoolHost";
  RegisterClassW(&wc);
  HWND frame = CreateWindowExW(0, L"WintoolHost", L"Preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                               width + 40, height + 60, nullptr, nullptr, wc.hInstance, nullptr);
  HWND area = CreateWindowExW(0, L"WintoolHost", L"Preview area", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10,
                              width, height, frame, nullptr, wc.hInstance, nullptr);
  std::printf("%llu\n", Id(area));
  std::fflush(stdout);
  SetTimer(frame, 1, static_cast<UINT>(seconds) * 1000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == frame) break;
    DispatchMessageW(&msg);
  }
  return 0;
}

void SendKey(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof(input));
}

void SendMouse(DWORD flags, int x = 0, int y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(input));
}

// A key chord as one input sequence, so that nothing else comes between the
// presses and the releases.
int Combo(int argc, wchar_t** argv, int first) {
  if (first >= argc) return 2;
  for (int i = first; i < argc; ++i) SendKey(static_cast<WORD>(Number(argv[i])), false);
  for (int i = argc - 1; i >= first; --i) SendKey(static_cast<WORD>(Number(argv[i])), true);
  return 0;
}

int Popup(int argc, wchar_t** argv, int first) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"WintoolPopupOwner";
  RegisterClassW(&wc);
  HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, L"WintoolPopupOwner", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               wc.hInstance, nullptr);
  HMENU menu = CreatePopupMenu();
  for (int i = first + 2; i < argc; ++i) AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(i), argv[i]);
  ShowWindow(owner, SW_SHOW);
  SetForegroundWindow(owner);
  const int chosen = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                     static_cast<int>(Number(argv[first])),
                                                     static_cast<int>(Number(argv[first + 1])), 0, owner, nullptr));
  DestroyMenu(menu);
  DestroyWindow(owner);
  std::printf("chosen=%d\n", chosen > 0 ? chosen - first - 2 : -1);
  return 0;
}

int Menu(HWND popup) {
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, 0x01E1 /* MN_GETHMENU */, 0, 0));
  if (!menu) return 1;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[256] = L"";
    GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
    std::printf("item=%d text=", i);
    PrintUtf8(text);
    std::fputs("\n", stdout);
  }
  return 0;
}

// The controls under one dialog whose text needs more room than they have.
class FitCheck {
 public:
  FitCheck(int points, const wchar_t* face) : dc_(GetDC(nullptr)) {
    dpi_ = GetDeviceCaps(dc_, LOGPIXELSY);
    font_ = CreateFontW(-MulDiv(points, dpi_, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    old_ = SelectObject(dc_, font_);
  }
  ~FitCheck() {
    SelectObject(dc_, old_);
    DeleteObject(font_);
    ReleaseDC(nullptr, dc_);
  }
  int problems = 0;

  static BOOL CALLBACK Visit(HWND control, LPARAM self) {
    reinterpret_cast<FitCheck*>(self)->Check(control);
    return TRUE;
  }

 private:
  int Scaled(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi_, 96); }

  // The room the text of `control` needs when it may wrap at `width`.
  SIZE Needed(const std::wstring& text, int width, bool wrap) {
    RECT r{0, 0, width, 0};
    DrawTextW(dc_, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    return {r.right - r.left, r.bottom - r.top};
  }

  void Report(const char* what, HWND control, SIZE need, SIZE have) {
    ++problems;
    std::printf("%s id=%lld need=%ldx%ld have=%ldx%ld text=", what, static_cast<long long>(GetDlgCtrlID(control)),
                need.cx, need.cy, have.cx, have.cy);
    PrintUtf8(WindowText(control) + L"\n");
  }

  void Check(HWND control) {
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (!(style & WS_VISIBLE)) return;
    RECT own{}, area{};
    GetWindowRect(control, &own);
    HWND parent = GetParent(control);
    GetClientRect(parent, &area);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
    const SIZE have{own.right - own.left, own.bottom - own.top};
    if (own.left < area.left || own.top < area.top || own.right > area.right || own.bottom > area.bottom)
      Report("outside", control, {own.right - area.left, own.bottom - area.top}, {area.right - area.left,
                                                                                  area.bottom - area.top});
    const std::wstring text = WindowText(control);
    wchar_t cls[64] = L"";
    GetClassNameW(control, cls, 64);
    const std::wstring name = cls;
    if (text.empty()) return;
    SIZE room = have;
    bool wrap = false;
    if (name == L"Static") {
      const LONG type = style & SS_TYPEMASK;
      if ((type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT) || (style & SS_ENDELLIPSIS)) return;
      wrap = true;
    } else if (name == L"Button") {
      const LONG type = style & BS_TYPEMASK;
      wrap = (style & BS_MULTILINE) != 0;
      if (type == BS_GROUPBOX) {
        room.cx -= Scaled(16);
        room.cy = Needed(text, room.cx, false).cy;  // the title line sits on the frame
      } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
        room.cx -= Scaled(6);
      } else {
        room.cx -= Scaled(13) + Scaled(4);  // the check box and the gap beside it
      }
    } else {
      return;  // edits, lists, bars: their contents scroll
    }
    const SIZE need = Needed(text, room.cx, wrap);
    if (need.cx > room.cx || need.cy > room.cy) Report("clipped", control, need, room);
  }

  HDC dc_;
  int dpi_ = 96;
  HFONT font_;
  HGDIOBJ old_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  // Rectangles, DPI and fonts as the programs under test see them.
  SetProcessDPIAware();
  const std::wstring command = argv[1];
  auto arg = [&](int i) { return i < argc ? argv[i] : L"0"; };
  if (command == L"list") {
    EnumWindows(ListTop, 0);
  } else if (command == L"host") {
    return Host(static_cast<int>(Number(arg(2))), static_cast<int>(Number(arg(3))), static_cast<int>(Number(arg(4))));
  } else if (command == L"key") {
    const WORD vk = static_cast<WORD>(Number(arg(2)));
    SendKey(vk, false);
    SendKey(vk, true);
  } else if (command == L"combo") {
    return Combo(argc, argv, 2);
  } else if (command == L"char") {
    for (const wchar_t* c = arg(2); *c; ++c) {
      INPUT input[2]{};
      input[0].type = input[1].type = INPUT_KEYBOARD;
      input[0].ki.wScan = input[1].ki.wScan = *c;
      input[0].ki.dwFlags = KEYEVENTF_UNICODE;
      input[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
      SendInput(2, input, sizeof(INPUT));
    }
  } else if (command == L"move") {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, static_cast<int>(Number(arg(2))),
              static_cast<int>(Number(arg(3))));
  } else if (command == L"click") {
    const int x = static_cast<int>(Number(arg(2))), y = static_cast<int>(Number(arg(3)));
    const std::wstring button = argc > 4 ? argv[4] : L"left";
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    const DWORD down = button == L"right" ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = button == L"right" ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    for (int i = 0; i < (button == L"double" ? 2 : 1); ++i) {
      SendMouse(down);
      SendMouse(up);
    }
  } else if (command == L"send" || command == L"post") {
    const HWND window = Handle(arg(2));
    const UINT message = static_cast<UINT>(Number(arg(3)));
    const WPARAM wParam = static_cast<WPARAM>(Number(arg(4)));
    const LPARAM lParam = static_cast<LPARAM>(Number(arg(5)));
    if (command == L"post") return PostMessageW(window, message, wParam, lParam) ? 0 : 1;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    std::printf("%lld\n", static_cast<long long>(result));
  } else if (command == L"settext") {
    SendMessageW(Handle(arg(2)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg(3)));
  } else if (command == L"gettext") {
    PrintUtf8(WindowText(Handle(arg(2))) + L"\n");
  } else if (command == L"clickbutton") {
    PostMessageW(Handle(arg(2)), BM_CLICK, 0, 0);
  } else if (command == L"foreground") {
    return SetForegroundWindow(Handle(arg(2))) ? 0 : 1;
  } else if (command == L"popup") {
    return argc < 5 ? 2 : Popup(argc, argv, 2);
  } else if (command == L"menu") {
    return Menu(Handle(arg(2)));
  } else if (command == L"pixel") {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, static_cast<int>(Number(arg(2))), static_cast<int>(Number(arg(3))));
    ReleaseDC(nullptr, screen);
    std::printf("%02X%02X%02X\n", GetRValue(c), GetGValue(c), GetBValue(c));
  } else if (command == L"exec") {
    std::wstring commandLine = arg(2);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      return 1;
    std::printf("%lu\n", process.dwProcessId);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else if (command == L"fits") {
    FitCheck check(static_cast<int>(Number(arg(3))), arg(4));
    EnumChildWindows(Handle(arg(2)), FitCheck::Visit, reinterpret_cast<LPARAM>(&check));
    return check.problems == 0 ? 0 : 1;
  } else {
    return 2;
  }
  return 0;
}
