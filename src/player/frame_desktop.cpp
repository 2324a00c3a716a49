#include "player/frame_desktop.h"

#include <stdexcept>

#include "base/paths.h"
#include "imageformats/decode.h"
#include "project/picture_decoding.h"

namespace player {

std::string DesktopCapturePath(const std::string& tempFolder) { return tempFolder + kDesktopCaptureName; }

bool LoadDesktopCapture(const std::string& path, raster::Bitmap& bitmap) {
  if (!base::FileExists(path)) return false;
  raster::Bitmap loaded;
  try {
    if (!project::DecodePictureFile(path, loaded) || loaded.IsEmpty()) return false;
  } catch (const imageformats::DecodeError&) {
    return false;  // a capture cut short (disk full) counts as missing
  } catch (const std::length_error&) {
    return false;
  }
  bitmap = std::move(loaded);
  return true;
}

void DeleteDesktopCapture(const std::string& path) {
  if (base::FileExists(path)) base::DeleteFileQuietly(path);
}

}  // namespace player
