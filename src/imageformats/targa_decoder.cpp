// Truevision Targa: colour-mapped (8- or 16-bit indices into a map of 15-,
// 16-, 24- or 32-bit entries), true colour of 15, 16, 24 or 32 bits, grey of
// 8 bits (16: grey and alpha), each raw or run-length encoded, rows from the
// bottom or the top and columns from the left or the right. Alpha comes from
// the pixel when the header counts alpha bits. RLE packets may run on into
// the next row but not past the last pixel.
#include "imageformats/byte_reader.h"

namespace imageformats {
namespace {

constexpr Format kTga = Format::Targa;

enum ImageType : uint8_t { kColourMapped = 1, kTrueColour = 2, kGrey = 3, kRle = 8 };

struct TgaHeader {
  uint8_t idLength = 0;
  uint8_t mapType = 0;
  uint8_t imageType = 0;
  uint16_t mapFirst = 0;
  uint16_t mapLength = 0;
  uint8_t mapBits = 0;
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t depth = 0;
  uint8_t descriptor = 0;

  bool Rle() const { return (imageType & kRle) != 0; }
  uint8_t Kind() const { return imageType & 7; }
  bool HasAlpha() const { return (descriptor & 0x0F) != 0; }
  bool TopDown() const { return (descriptor & 0x20) != 0; }
  bool RightToLeft() const { return (descriptor & 0x10) != 0; }
};

TgaHeader ReadHeader(ByteReader& in) {
  TgaHeader h;
  h.idLength = in.U8("header");
  h.mapType = in.U8("header");
  h.imageType = in.U8("header");
  h.mapFirst = in.U16("header");
  h.mapLength = in.U16("header");
  h.mapBits = in.U8("header");
  in.Skip(4, "header");  // origin on the screen
  h.width = in.U16("header");
  h.height = in.U16("header");
  h.depth = in.U8("header");
  h.descriptor = in.U8("header");
  return h;
}

// A colour of 15 to 32 bits: 5-5-5 (the top bit alpha when `alpha`) or BGR(A).
raster::Pixel ReadColour(ByteReader& in, int bits, bool alpha) {
  switch (bits) {
    case 15:
    case 16: {
      const uint16_t v = in.U16("pixel data");
      const auto c = [&](int shift) { return ScaleToByte((v >> shift) & 31u, 31); };
      return raster::MakePixel(c(10), c(5), c(0), alpha && bits == 16 && (v & 0x8000) == 0 ? 0 : 255);
    }
    case 24: {
      const auto b = in.Bytes(3, "pixel data");
      return raster::MakePixel(b[2], b[1], b[0]);
    }
    default: {
      const auto b = in.Bytes(4, "pixel data");
      return raster::MakePixel(b[2], b[1], b[0], alpha ? b[3] : 255);
    }
  }
}

void CheckLayout(const TgaHeader& h) {
  const auto unsupported = [&] {
    Fail(kTga, "unsupported type " + std::to_string(h.imageType) + " at " + std::to_string(h.depth) + " bits");
  };
  switch (h.Kind()) {
    case kColourMapped:
      if (h.mapType != 1) Fail(kTga, "colour map missing");
      if (h.depth != 8 && h.depth != 16) unsupported();
      break;
    case kTrueColour:
      if (h.depth != 15 && h.depth != 16 && h.depth != 24 && h.depth != 32) unsupported();
      break;
    case kGrey:
      if (h.depth != 8 && h.depth != 16) unsupported();
      break;
    default:
      unsupported();
  }
  if (h.mapType > 1) Fail(kTga, "unknown colour map type");
  if (h.mapType == 1 && h.mapBits != 15 && h.mapBits != 16 && h.mapBits != 24 && h.mapBits != 32)
    Fail(kTga, "unsupported colour map entry size " + std::to_string(h.mapBits));
}

}  // namespace

raster::Bitmap DecodeTarga(std::span<const uint8_t> data, const DecodeOptions& options) {
  ByteReader in(data, kTga);
  const TgaHeader h = ReadHeader(in);
  CheckLayout(h);
  CheckPictureSize(kTga, h.width, h.height, options);
  in.Skip(h.idLength, "image identification");
  // The colour map, also present (and then unused) in some true-colour files.
  Palette map;
  for (int i = 0; i < (h.mapType == 1 ? h.mapLength : 0); ++i) map.push_back(ReadColour(in, h.mapBits, h.HasAlpha()));

  const int bytesPerPixel = (h.depth + 7) / 8;
  const uint64_t pixels = uint64_t{h.width} * h.height;
  // An RLE packet of one header byte and one pixel gives up to 128 pixels.
  CheckDataCovers(kTga, in.Remaining(), pixels * bytesPerPixel, h.Rle() ? 128 : 1);
  const auto readPixel = [&]() -> raster::Pixel {
    switch (h.Kind()) {
      case kColourMapped: {
        const uint32_t index = h.depth == 8 ? in.U8("pixel data") : in.U16("pixel data");
        // An index below the map's first entry wraps far beyond its end: black.
        return map[index - h.mapFirst];
      }
      case kGrey: {
        const uint8_t v = in.U8("pixel data");
        return raster::MakePixel(v, v, v, h.depth == 16 ? in.U8("pixel data") : 255);
      }
      default: return ReadColour(in, h.depth, h.HasAlpha());
    }
  };

  raster::Bitmap bitmap(h.width, h.height);
  uint64_t next = 0;  // pixels in file order
  const auto put = [&](raster::Pixel p, uint32_t count) {
    if (count > pixels - next) Fail(kTga, "RLE packet passes the end of the picture");
    for (uint32_t i = 0; i < count; ++i, ++next) {
      const auto row = static_cast<int>(next / h.width);
      const auto column = static_cast<int>(next % h.width);
      bitmap.At(h.RightToLeft() ? h.width - 1 - column : column, h.TopDown() ? row : h.height - 1 - row) = p;
    }
  };
  while (next < pixels) {
    if (!h.Rle()) {
      put(readPixel(), 1);
      continue;
    }
    const uint8_t packet = in.U8("RLE packet");
    const uint32_t count = (packet & 0x7Fu) + 1;
    if ((packet & 0x80) != 0) {
      put(readPixel(), count);
    } else {
      if (count > pixels - next) Fail(kTga, "RLE packet passes the end of the picture");
      for (uint32_t i = 0; i < count; ++i) put(readPixel(), 1);
    }
  }
  return bitmap;
}

}  // namespace imageformats
