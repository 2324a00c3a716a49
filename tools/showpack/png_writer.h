// Pictures out of the preview: a bitmap as an 8-bit RGB PNG file.
#pragma once

#include <string>

#include "raster/bitmap.h"

namespace showpack {

enum class PngCompression { Small, Fast };

// Writes `bitmap` (its alpha is dropped) to `path`; the file appears whole or
// not at all. Throws std::runtime_error naming the path when it cannot. Fast
// trades size for speed, for long runs of frames.
void WritePng(const raster::Bitmap& bitmap, const std::string& path,
              PngCompression compression = PngCompression::Small);

}  // namespace showpack
