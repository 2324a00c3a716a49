// Small pieces the settings dialogs share: UTF-8 window texts, sizes that grow
// with the dialog's font, centring, message boxes and the hidden owner window.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

namespace settings::win32 {

std::string WindowTextUtf8(HWND window);
void SetWindowTextUtf8(HWND window, std::string_view text);
std::string ItemTextUtf8(HWND dialog, int id);
void SetItemTextUtf8(HWND dialog, int id, std::string_view text);

// The point size of the font every dialog template names ("MS Shell Dlg", 8).
inline constexpr int kDialogFontPoints = 8;

// Lengths of a dialog given in pixels at 96 dpi, grown as the dialog's font
// grew from its size at 96 dpi. The font is made at the DPI of the monitor the
// dialog opens on, and the templates' dialog units follow its letters' width
// and height; sizes and places set in pixels follow the same measure, so the
// frame keeps its proportions to the pages at every DPI and nothing is clipped.
class DialogScale {
 public:
  explicit DialogScale(HWND dialog);
  int X(int pixelsAt96) const;
  int Y(int pixelsAt96) const;
  // Moves a child to a rectangle given in pixels at 96 dpi.
  void PlaceChild(HWND child, int x, int y, int width, int height) const;
  // Resizes `window` so that its client area is width x height pixels at 96 dpi.
  void SetClientSize(HWND window, int width, int height) const;

 private:
  SIZE now_{1, 1};   // the dialog font's average letter width and cell height
  SIZE at96_{1, 1};  // the same font's at 96 dpi
};
// Centres `window` over `over`, or on its monitor's work area when `over` is
// null or hidden; the window stays inside the work area.
void CentreWindow(HWND window, HWND over);

// The program file's name without its extension: the title of message boxes.
std::wstring ApplicationTitle();
void ShowMessage(HWND owner, std::string_view text, UINT icon = 0);

// The program icon at `size` x `size` pixels (a copy of the stock application
// icon when the program has none); the caller destroys it.
HICON LoadProgramIcon(int size);

// The owner of a dialog: the given window, or a hidden tool window that keeps
// the dialog off the task bar.
class DialogOwner {
 public:
  explicit DialogOwner(HWND owner);
  ~DialogOwner();
  DialogOwner(const DialogOwner&) = delete;
  DialogOwner& operator=(const DialogOwner&) = delete;
  HWND Handle() const { return handle_; }

 private:
  HWND handle_;
  bool created_;
};

void InitSettingsControls();

// Runs one message of a dialog procedure. No exception passes through the
// system's dialog code: an error is shown over `dialog` and the message counts
// as handled.
template <typename Handler>
INT_PTR Guarded(HWND dialog, Handler handler) noexcept {
  try {
    return handler();
  } catch (const std::exception& error) {
    try {
      ShowMessage(dialog, error.what());
    } catch (...) {
    }
  } catch (...) {
  }
  return TRUE;
}

}  // namespace settings::win32
