// Decoding a picture's bytes into a bitmap by its picture type code.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "imageformats/decode.h"
#include "raster/bitmap.h"

namespace project {

// Decodes `stream` as a picture of `typeCode` into `bitmap`, which takes the
// picture's size and pixels.
// - -1 (unknown type): false, the bitmap untouched.
// - 0, 5 (TIFF), above 15 or below -1: true, the bitmap untouched.
// - 1, 2, 11, 15: decoded; a decoder's imageformats::DecodeError passes to the
//   caller and leaves the bitmap untouched.
// - the other codes: imageformats::DecodeError naming the format, for which
//   this build has no decoder.
// `hint` lets a decoder produce a smaller picture that still covers the box the
// caller will shrink it to.
bool DecodePictureStream(std::span<const uint8_t> stream, raster::Bitmap& bitmap, int typeCode,
                         const imageformats::DecodeOptions& hint = {});

// The same for a file (a UTF-8 path) whose type code comes from its name. The
// file is read only when its type is one that is decoded; a file that cannot
// be read raises imageformats::DecodeError.
bool DecodePictureFile(const std::string& path, raster::Bitmap& bitmap);

}  // namespace project
