// How a start of the screensaver program is to run, from its command line and
// the name of its program file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace player {

enum class ProgramMode {
  Settings,    // "/c...", or a ".scr" started without arguments
  FullScreen,  // "/s...", or a program not named ".scr" started without arguments
  Preview,     // "/p HANDLE": the show inside the host window HANDLE
  Quit,        // an unknown switch, or "/p" without a window handle
};

struct StartRequest {
  ProgramMode mode = ProgramMode::Quit;
  uint64_t hostWindow = 0;  // with Preview
};

// `upperProgramPath` is the program's full path in upper case; `args` are the
// arguments after the program name.
StartRequest SelectProgramMode(std::string_view upperProgramPath, const std::vector<std::string>& args);

}  // namespace player
