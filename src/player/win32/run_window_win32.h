// The run window on Windows: a borderless full-screen window (or a child of
// the preview host) that owns TfRun, shows its image from a DIB section, and
// forwards timers, input and messages to it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "player/program_mode.h"

namespace player {

// Runs the show until its window closes; returns the process exit code.
int RunShowWindow(HINSTANCE instance, const std::string& programPath, const StartRequest& request);

// The message loop of the show: drops every posted request to start a
// screensaver, so Windows cannot start one over the running show.
int RunShowMessageLoop();

}  // namespace player
