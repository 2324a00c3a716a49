// Picture decoders: bytes of one picture file in, a 32-bit bitmap out.
// The caller chooses the decoder by the picture type code; the bytes are never
// sniffed. Damaged data raises DecodeError, whose message names the format and
// the fault; no decoder reads or writes outside its buffers.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

#include "raster/bitmap.h"

namespace imageformats {

class DecodeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class Format { Bmp, Jpeg, Png, Gif };

struct DecodeOptions {
  // When the caller will shrink the picture to fit this box (0 = no hint), a
  // decoder may decode at a smaller scale that still covers the box (JPEG DCT
  // scaling). The result is then smaller than the picture's own size.
  int fitWidth = 0;
  int fitHeight = 0;
};

raster::Bitmap Decode(Format format, std::span<const uint8_t> data, const DecodeOptions& options = {});

}  // namespace imageformats
