// The screenshot of the desktop that picture backgrounds may use: a Windows
// bitmap "mgsmdsk.bmp" in the temporary folder, written when a show starts (by
// the Windows layer, win32/desktop_capture.h) and deleted when it ends.
#pragma once

#include <string>

#include "raster/bitmap.h"

namespace project {
class TProjectInfo;
}

namespace player {

inline constexpr const char* kDesktopCaptureName = "mgsmdsk.bmp";

// `tempFolder` ends with a path separator.
std::string DesktopCapturePath(const std::string& tempFolder);

// Reads the capture; false when the file is missing or cannot be decoded.
bool LoadDesktopCapture(const std::string& path, raster::Bitmap& bitmap);

// Deletes the capture if it exists.
void DeleteDesktopCapture(const std::string& path);

// Whether an item of the show can draw the desktop: a picture background whose
// sources can give the desktop, counting a list the composer cannot read as
// giving 0 (as it does). Only then is the capture made: it reads the whole
// screen and writes it to a file, a start-up cost that grows with the screen.
bool ShowMayDrawDesktop(const project::TProjectInfo& project);

}  // namespace player
