// The screenshot taken when a show starts: the whole screen saved as a 24-bit
// Windows bitmap at `path` (player::DesktopCapturePath of the temporary
// folder), replacing an older file. Read back by the portable side
// (player::LoadDesktopCapture) and deleted by player::DeleteDesktopCapture.
#pragma once

#include <string>

namespace player {

// False when the screen could not be read or the file not written.
bool CaptureDesktop(const std::string& path);

}  // namespace player
