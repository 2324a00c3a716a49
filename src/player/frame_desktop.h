// The screenshot of the desktop that picture backgrounds may use: a Windows
// bitmap "mgsmdsk.bmp" in the temporary folder, written when a show starts (by
// the Windows layer, win32/desktop_capture.h) and deleted when it ends.
#pragma once

#include <string>

#include "raster/bitmap.h"

namespace player {

inline constexpr const char* kDesktopCaptureName = "mgsmdsk.bmp";

// `tempFolder` ends with a path separator.
std::string DesktopCapturePath(const std::string& tempFolder);

// Reads the capture; false when the file is missing or cannot be decoded.
bool LoadDesktopCapture(const std::string& path, raster::Bitmap& bitmap);

// Deletes the capture if it exists.
void DeleteDesktopCapture(const std::string& path);

}  // namespace player
