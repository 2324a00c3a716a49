// RLE4 and RLE8 bitmaps: runs, absolute runs, deltas, end of line and end of
// bitmap. Rows count from the first row stored (the bottom one unless the
// bitmap is top-down); pixels outside the picture are dropped.
#include "imageformats/bmp_layout.h"
#include "imageformats/byte_reader.h"

namespace imageformats {

void DecodeBmpRle(const BmpLayout& l, std::span<const uint8_t> data, raster::Bitmap& bitmap) {
  ByteReader in(data, Format::Bmp);
  in.Seek(l.pixelOffset, "RLE data");
  const bool four = l.compression == kBmpRle4;
  int64_t x = 0;
  int64_t row = 0;
  auto put = [&](unsigned index) {
    if (x < l.width) {
      const int y = l.topDown ? static_cast<int>(row) : l.height - 1 - static_cast<int>(row);
      bitmap.Row(y)[x] = l.palette[index];
    }
    ++x;
  };
  while (row < l.height) {
    const uint8_t count = in.U8("RLE data");
    const uint8_t value = in.U8("RLE data");
    if (count > 0) {
      // A run: RLE4 alternates the two nibbles of `value`.
      for (int i = 0; i < count; ++i) put(four ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
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
          put(four ? (i % 2 == 0 ? pixels[i / 2] >> 4 : pixels[i / 2] & 0x0F) : pixels[i]);
        if (bytes % 2 != 0) in.Skip(1, "RLE data");
        break;
      }
    }
  }
}

}  // namespace imageformats
