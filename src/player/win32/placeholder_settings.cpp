// The settings path until the settings dialog exists.
#include "player/win32/show_entry.h"

namespace player {

void RunSettings(const std::string&) {
  MessageBoxW(nullptr, L"The settings of this screensaver cannot be changed yet.", L"Screensaver Setting", MB_OK);
}

}  // namespace player
