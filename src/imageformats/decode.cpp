#include "imageformats/decode.h"

#include <algorithm>
#include <new>
#include <string>

#include "imageformats/decoders.h"

namespace imageformats {

const char* FormatName(Format format) {
  switch (format) {
    case Format::Bmp: return "BMP";
    case Format::Jpeg: return "JPEG";
    case Format::Png: return "PNG";
    case Format::Gif: return "GIF";
  }
  return "picture";
}

void Fail(Format format, std::string_view fault) {
  throw DecodeError(std::string(FormatName(format)) + ": " + std::string(fault));
}

void CheckPictureSize(Format format, int64_t width, int64_t height, const DecodeOptions& options) {
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width <= 0 || height <= 0) Fail(format, "bad picture size " + size);
  const int64_t maxPixels = std::min(options.maxPixels, raster::Bitmap::kMaxPixels);
  if (!raster::Bitmap::SizeAllowed(width, height) || width * height > maxPixels)
    Fail(format, "picture too large (" + size + ")");
}

raster::Bitmap Decode(Format format, std::span<const uint8_t> data, const DecodeOptions& options) {
  // A picture within the limits may still not fit in memory (a 32-bit
  // process); callers get the same kind of error as for damaged data.
  try {
    switch (format) {
      case Format::Bmp: return DecodeBmp(data, options);
      case Format::Jpeg: return DecodeJpeg(data, options);
      case Format::Png: return DecodePng(data, options);
      case Format::Gif: return DecodeGif(data, options);
    }
  } catch (const std::bad_alloc&) {
    Fail(format, "not enough memory");
  }
  throw DecodeError("unknown picture format");
}

}  // namespace imageformats
