// The individual decoders behind Decode, and the checks they share.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "imageformats/decode.h"

namespace imageformats {

raster::Bitmap DecodeBmp(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodeJpeg(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodePng(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodeGif(std::span<const uint8_t> data, const DecodeOptions& options);

// Throws DecodeError "<format>: <fault>".
[[noreturn]] void Fail(Format format, std::string_view fault);

// Refuses a size of zero or less, or beyond raster::Bitmap's limits and
// options.maxPixels, before anything is allocated.
void CheckPictureSize(Format format, int64_t width, int64_t height, const DecodeOptions& options);

}  // namespace imageformats
