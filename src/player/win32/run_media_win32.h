// The run window's media on Windows: an MCI device for the music (mpmusic), one
// for video (mp), and displaypanel, the child window of the show that a video
// plays in. A mouse press on the panel counts as a press on the show.
#pragma once

#include <windows.h>

#include <functional>

#include "player/run_media.h"
#include "player/run_window.h"
#include "player/win32/mci_device.h"

namespace player {

class Win32RunMedia final : public RunMedia {
 public:
  Win32RunMedia() = default;
  ~Win32RunMedia() override;
  Win32RunMedia(const Win32RunMedia&) = delete;
  Win32RunMedia& operator=(const Win32RunMedia&) = delete;

  // Creates the hidden panel inside the show window `parent`.
  bool Attach(HINSTANCE instance, HWND parent, std::function<void(MouseButton)> onMouseDown);

  MediaDevice& MusicDevice() override { return music_; }
  MediaDevice& VideoDevice() override { return video_; }
  DisplayWindow VideoPanel() override { return reinterpret_cast<DisplayWindow>(panel_); }
  void ShowVideoPanel(const raster::Rect& bounds) override;
  void HideVideoPanel() override;

 private:
  static LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  MciDevice music_;
  MciDevice video_;
  HWND panel_ = nullptr;
  std::function<void(MouseButton)> onMouseDown_;
};

}  // namespace player
