// Picture decoders: bytes of one picture file in, a 32-bit bitmap out.
// The caller chooses the decoder by the picture type code; the bytes are never
// sniffed (the BMP decoder alone tells a file with its "BM" header from a bare
// DIB, since both arrive as type code 1). Damaged or truncated data raises
// DecodeError, whose message names the format and the fault ("BMP: pixel data
// ends early"); no decoder reads or writes outside its buffers, and a picture
// larger than the limits is refused before its pixels are allocated, as is one
// whose data is too short to fill it even at the format's best compression.
// Colour indices beyond a picture's palette give black.
// JPEG pictures come out upright: the EXIF orientation is applied.
//
// Alpha: the result keeps straight (not premultiplied) colour, with the
// picture's own opacity in the alpha byte; formats without alpha give 255.
// Callers that do not composite simply ignore the alpha byte.
//  - PNG: alpha from the alpha channel or tRNS.
//  - GIF: transparent pixels of the first frame get alpha 0 and the logical
//    screen's background colour, so they look like the screen around the frame.
//  - BMP: alpha only from an explicit alpha mask (32-bit bit fields) that is not
//    zero everywhere; pixels an RLE bitmap skips are black with alpha 0.
//  - SGI, Targa, PCX, TIFF, Photoshop, RLA, Paint Shop Pro: their alpha
//    channel (Photoshop: the first channel beyond the colour ones; Targa: when
//    the header counts alpha bits; Paint Shop Pro: the layer's transparency
//    mask, and alpha 0 around a layer smaller than the picture).
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

enum class Format { Bmp, Jpeg, Png, Gif, Sgi, Autodesk, Tiff, Targa, Pcx, PhotoCd, Pnm, Cut, Rla, Psd, Psp };

// "BMP", "JPEG", "Targa", ...: the prefix of every DecodeError message.
const char* FormatName(Format format);

// The most pixels a picture may have unless the caller says otherwise: what
// the process's address space can spare for one decoded picture (4 bytes a
// pixel) beside the show's own bitmaps.
inline constexpr int64_t kMaxPixels32Bit = int64_t{64} << 20;   // 256 MiB of pixels
inline constexpr int64_t kMaxPixels64Bit = int64_t{128} << 20;  // 512 MiB of pixels
inline constexpr int64_t kDefaultMaxPixels = sizeof(void*) < 8 ? kMaxPixels32Bit : kMaxPixels64Bit;

struct DecodeOptions {
  // A hint that the caller will shrink the picture to this box (0 = no hint).
  // A decoder may then decode at a reduced scale (JPEG DCT scaling), choosing
  // the smallest one whose result is still at least fitWidth wide and
  // fitHeight high (or the full picture where that is smaller), both measured
  // on the upright picture. The result is then smaller than the picture's own
  // size.
  int fitWidth = 0;
  int fitHeight = 0;
  // Pictures with more pixels than this are refused (never above the bitmap's
  // own limit, raster::Bitmap::kMaxPixels).
  int64_t maxPixels = kDefaultMaxPixels;
  // Dr. Halo CUT pictures hold colour indices only: the bytes of the palette
  // file that goes with the picture, or empty for a grey ramp.
  std::span<const uint8_t> palette;
};

raster::Bitmap Decode(Format format, std::span<const uint8_t> data, const DecodeOptions& options = {});

}  // namespace imageformats
