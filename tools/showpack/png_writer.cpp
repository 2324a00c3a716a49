#include "png_writer.h"

#include <png.h>

#include <filesystem>
#include <span>
#include <stdexcept>
#include <vector>

#include "base/paths.h"

namespace showpack {

void WritePng(const raster::Bitmap& bitmap, const std::string& path, PngCompression compression) {
  if (bitmap.IsEmpty()) throw std::runtime_error("cannot write an empty picture to " + path);
  const std::size_t width = static_cast<std::size_t>(bitmap.Width());
  std::vector<uint8_t> rgb(width * 3 * static_cast<std::size_t>(bitmap.Height()));
  uint8_t* out = rgb.data();
  for (int y = 0; y < bitmap.Height(); ++y)
    for (const raster::Pixel p : std::span(bitmap.Row(y), width)) {
      *out++ = raster::PixelR(p);
      *out++ = raster::PixelG(p);
      *out++ = raster::PixelB(p);
    }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bitmap.Width());
  image.height = static_cast<png_uint_32>(bitmap.Height());
  image.format = PNG_FORMAT_RGB;
  if (compression == PngCompression::Fast) image.flags |= PNG_IMAGE_FLAG_FAST;
  const std::string partial = path + ".part";
  const bool written = png_image_write_to_file(&image, partial.c_str(), 0, rgb.data(),
                                               static_cast<png_int_32>(width * 3), nullptr) != 0;
  std::error_code renamed;
  if (written) std::filesystem::rename(base::PathFromUtf8(partial), base::PathFromUtf8(path), renamed);
  if (!written || renamed) {
    const std::string why = written ? renamed.message() : image.message;
    base::DeleteFileQuietly(partial);
    throw std::runtime_error("cannot write " + path + ": " + why);
  }
}

}  // namespace showpack
