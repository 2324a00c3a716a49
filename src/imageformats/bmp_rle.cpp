// RLE4 and RLE8 bitmaps: runs, absolute runs, deltas, end of line and end of
// bitmap. Rows count from the first row stored (the bottom one unless the
// bitmap is top-down); pixels outside the picture are dropped.
#include "imageformats/bmp_layout.h"
#include "imageformats/byte_reader.h"

namespace imageformats {
namespace {

// Walks the codes, handing every pixel inside the picture to `put`(x, stored
// row, palette index); raises DecodeError for data that ends early.
template <typename Put>
void WalkRle(const BmpLayout& l, std::span<const uint8_t> data, Put put) {
  ByteReader in(data, Format::Bmp);
  in.Seek(l.pixelOffset, "RLE data");
  const bool four = l.compression == kBmpRle4;
  int64_t x = 0;
  int64_t row = 0;
  const auto pixel = [&](unsigned index) {
    if (x < l.width) put(static_cast<int>(x), static_cast<int>(row), index);
    ++x;
  };
  while (row < l.height) {
    const uint8_t count = in.U8("RLE data");
    const uint8_t value = in.U8("RLE data");
    if (count > 0) {
      // A run: RLE4 alternates the two nibbles of `value`.
      for (int i = 0; i < count; ++i) pixel(four ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++row;
        break;
      case 1:  // end of bitmap
        return;
      case 2: {  // delta: move right and up (towards later rows)
        x += in.U8("RLE delta");
        row += in.U8("RLE delta");
        break;
      }
      default: {  // absolute run of `value` pixels, padded to a 16-bit boundary
        const size_t bytes = four ? (value + 1u) / 2 : value;
        auto pixels = in.Bytes(bytes, "RLE data");
        for (unsigned i = 0; i < value; ++i)
          pixel(four ? (i % 2 == 0 ? pixels[i / 2] >> 4 : pixels[i / 2] & 0x0F) : pixels[i]);
        if (bytes % 2 != 0) in.Skip(1, "RLE data");
        break;
      }
    }
  }
}

}  // namespace

void CheckBmpRle(const BmpLayout& l, std::span<const uint8_t> data) {
  WalkRle(l, data, [](int, int, unsigned) {});
}

void DecodeBmpRle(const BmpLayout& l, std::span<const uint8_t> data, raster::Bitmap& bitmap) {
  WalkRle(l, data, [&](int x, int row, unsigned index) {
    bitmap.Row(l.topDown ? row : l.height - 1 - row)[x] = l.palette[index];
  });
}

}  // namespace imageformats
