#include "picture_check.h"

#include <optional>
#include <vector>

#include "base/paths.h"
#include "manifest.h"
#include "project/cut_palette.h"
#include "project/picture_decoding.h"
#include "project/picture_type.h"

namespace showpack {

void CheckPicture(const std::string& path, int typeCode, const std::string& where, const std::string& field) {
  const auto refuse = [&](const std::string& why) { throw ManifestError(where + ": " + field + ": " + path + ": " + why); };
  if (typeCode == project::PictureType::Unknown) refuse("not a picture type the screensaver can show");
  const std::optional<std::vector<uint8_t>> bytes = base::ReadWholeFile(path);
  if (!bytes) refuse("cannot be read");
  const std::vector<uint8_t> palette =
      typeCode == project::PictureType::Cut ? project::ReadCutPalette(path) : std::vector<uint8_t>{};
  imageformats::DecodeOptions options;
  options.maxPixels = imageformats::kMaxPixels32Bit;
  options.fitWidth = 1;  // JPEG pictures are checked at the smallest scale, which still reads all their data
  options.fitHeight = 1;
  options.palette = palette;
  raster::Bitmap bitmap;
  try {
    project::DecodePictureStream(*bytes, bitmap, typeCode, options);
  } catch (const imageformats::DecodeError& error) {
    refuse(std::string("the screensaver cannot show this picture (") + error.what() + ")");
  }
  if (bitmap.IsEmpty()) refuse("type code " + std::to_string(typeCode) + " has no decoder");
}

}  // namespace showpack
