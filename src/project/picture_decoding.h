// Decoding a picture's bytes into a bitmap by its picture type code.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "imageformats/decode.h"
#include "raster/bitmap.h"

namespace project {

// Decodes `stream` as a picture of `typeCode` into `bitmap`, which takes the
// picture's size and pixels.
// - -1 (unknown type): false, the bitmap untouched.
// - 0, above 15 or below -1: true, the bitmap untouched.
// - 1 to 15: decoded by the decoder of the code (TIFF included); a decoder's
//   imageformats::DecodeError passes to the caller and leaves the bitmap
//   untouched.
// `hint` lets a decoder produce a smaller picture that still covers the box the
// caller will shrink it to, and carries the palette of an external CUT picture.
bool DecodePictureStream(std::span<const uint8_t> stream, raster::Bitmap& bitmap, int typeCode,
                         const imageformats::DecodeOptions& hint = {});

// The same for a file (a UTF-8 path) whose type code comes from its name. The
// file is read only when its type is one that is decoded; a file that cannot
// be read raises imageformats::DecodeError. A CUT picture takes its colours
// from the palette file beside it (ReadCutPalette).
bool DecodePictureFile(const std::string& path, raster::Bitmap& bitmap);

}  // namespace project
