#include "test_photo.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>  // needs size_t and FILE first

namespace bench {

std::vector<uint8_t> EncodeTestPhoto() {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = kPhotoWidth;
  c.image_height = kPhotoHeight;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 90, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<uint8_t> row(kPhotoWidth * 3);
  uint32_t noise = 12345;
  while (c.next_scanline < c.image_height) {
    const int y = static_cast<int>(c.next_scanline);
    for (int x = 0; x < kPhotoWidth; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int n = static_cast<int>(noise >> 28) - 8;
      const double a = std::sin(x / 310.0) * std::cos(y / 170.0);
      const double t = std::sin((x + y) / 7.0) * std::sin(x / 23.0);
      row[3 * x] = static_cast<uint8_t>(std::clamp(128 + 100 * a + 12 * t + n, 0.0, 255.0));
      row[3 * x + 1] = static_cast<uint8_t>(std::clamp(90 + 80 * std::cos(y / 400.0) + 10 * t + n, 0.0, 255.0));
      row[3 * x + 2] = static_cast<uint8_t>(std::clamp(60 + 0.02 * x + 20 * a + n, 0.0, 255.0));
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  std::vector<uint8_t> bytes(out, out + size);
  jpeg_destroy_compress(&c);
  std::free(out);
  return bytes;
}

}  // namespace bench
