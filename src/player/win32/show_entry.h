// The two paths of the program after the mode is chosen.
#pragma once

#include <windows.h>

#include <string>

#include "player/program_mode.h"

namespace player {

// The settings dialog, modal, without a main window.
void RunSettings(const std::string& programPath);

// The show: full screen, or inside the host window of a preview. Returns the
// exit code of the message loop.
int RunShow(HINSTANCE instance, const std::string& programPath, const std::string& upperProgramPath,
            const StartRequest& request);

}  // namespace player
