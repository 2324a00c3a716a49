// The black windows over every monitor but the primary while a full-screen
// show runs. They never take the keyboard; what the mouse does over them goes
// to the show window in its own coordinates, so a movement or click on any
// monitor counts as on the show. They belong to the show window and end with it.
#pragma once

#include <windows.h>

#include <vector>

#include "player/screen_layout.h"

namespace player {

// The monitors as Windows reports them, in virtual-screen coordinates; for
// tests on a single screen, as the environment variable SLIDESHOW_TEST_MONITORS
// lists them (ParseMonitorList), when it is set.
std::vector<Monitor> SystemMonitors();

class MonitorCovers {
 public:
  MonitorCovers() = default;
  ~MonitorCovers() { Destroy(); }
  MonitorCovers(const MonitorCovers&) = delete;
  MonitorCovers& operator=(const MonitorCovers&) = delete;

  // A cover for each rectangle of `layout.covers`, owned by `show`; false when
  // one could not be made (the show goes on without it).
  bool Create(HINSTANCE instance, HWND show, const ScreenLayout& layout);
  // Keeps the covers above other top-most windows, as the show is.
  void Raise();
  void Destroy();

 private:
  static LRESULT CALLBACK CoverProc(HWND cover, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Forward(HWND cover, UINT message, WPARAM wParam, LPARAM lParam);

  HWND show_ = nullptr;
  ScreenLayout layout_;
  std::vector<HWND> windows_;
};

}  // namespace player
