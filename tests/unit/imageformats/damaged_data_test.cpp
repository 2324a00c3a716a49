// Damaged input never crashes a decoder (run under AddressSanitizer): every
// truncation of a small file, and many files with bytes changed, either decode
// or raise DecodeError naming the format.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "fixtures.h"
#include "imageformats/decode.h"

namespace imageformats {
namespace {

using testing::Convert;
using testing::DecodesOrFails;

struct Sample {
  const char* name;
  Format format;
  const char* options;
  const char* output;
  bool alpha;
};

const Sample kSamples[] = {
    {"Bmp24", Format::Bmp, "", "BMP3:v.bmp", false},
    {"BmpRle8", Format::Bmp, "-type Palette -compress RLE", "BMP3:v.bmp", false},
    {"Bmp4", Format::Bmp, "-colors 16 -compress None", "BMP3:v.bmp", false},
    {"Bmp565", Format::Bmp, "-define bmp:subtype=RGB565", "BMP:v.bmp", false},
    {"Bmp32", Format::Bmp, "-define bmp:subtype=ARGB8888", "BMP:v.bmp", true},
    {"Jpeg", Format::Jpeg, "", "JPEG:v.jpg", false},
    {"JpegProgressive", Format::Jpeg, "-interlace JPEG", "JPEG:v.jpg", false},
    {"JpegCmyk", Format::Jpeg, "-colorspace CMYK", "JPEG:v.jpg", false},
    {"PngPalette", Format::Png, "", "PNG8:v.png", false},
    {"PngInterlaced", Format::Png, "-interlace PNG", "PNG64:v.png", true},
    {"Gif", Format::Gif, "", "GIF:v.gif", true},
};

class DamagedDataTest : public ::testing::TestWithParam<Sample> {
 protected:
  std::vector<uint8_t> File() {
    const Sample& s = GetParam();
    const auto image = s.alpha ? testing::WithAlpha(testing::ManyColours(), true) : testing::ManyColours();
    return Convert(image, s.options, s.output);
  }
};

TEST_P(DamagedDataTest, EveryTruncation) {
  const auto file = File();
  ASSERT_NO_THROW(Decode(GetParam().format, file));
  for (size_t n = 0; n < file.size(); ++n) {
    // A copy of exactly n bytes, so that reading past it is caught.
    const std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
    ASSERT_TRUE(DecodesOrFails(GetParam().format, cut)) << "length " << n;
  }
}

TEST_P(DamagedDataTest, ChangedBytes) {
  const auto file = File();
  std::mt19937 random(12345);
  for (int round = 0; round < 400; ++round) {
    auto damaged = file;
    const int changes = 1 + round % 4;
    for (int i = 0; i < changes; ++i) {
      // Mostly in the headers, where the lengths and sizes live.
      const size_t limit = round % 2 == 0 ? std::min<size_t>(damaged.size(), 80) : damaged.size();
      damaged[random() % limit] = static_cast<uint8_t>(random());
    }
    ASSERT_TRUE(DecodesOrFails(GetParam().format, damaged)) << "round " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, DamagedDataTest, ::testing::ValuesIn(kSamples),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace imageformats
