// GIF through giflib: the first frame on its logical screen, transparency,
// interlacing and faults. Crafted files are written with giflib's encoder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <gif_lib.h>

#include "fixtures.h"
#include "imageformats/decode.h"

namespace imageformats {
namespace {

using raster::MakePixel;
using raster::Pixel;
using testing::Convert;
using testing::KnownImage;
using ::testing::HasSubstr;

struct Frame {
  int left = 0, top = 0, width = 0, height = 0;
  bool interlace = false;
  int transparent = -1;
  std::vector<uint8_t> indices;  // row by row, top to bottom
};

ColorMapObject* MakeMap(const std::vector<Pixel>& colours) {
  if (colours.empty()) return nullptr;
  size_t size = 2;
  while (size < colours.size()) size *= 2;
  std::vector<GifColorType> entries(size, GifColorType{0, 0, 0});
  for (size_t i = 0; i < colours.size(); ++i)
    entries[i] = {raster::PixelR(colours[i]), raster::PixelG(colours[i]), raster::PixelB(colours[i])};
  return GifMakeMapObject(static_cast<int>(size), entries.data());
}

int Append(GifFileType* gif, const GifByteType* bytes, int count) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + count);
  return count;
}

// A GIF89a with one frame (or none), written by giflib.
std::vector<uint8_t> BuildGif(int screenWidth, int screenHeight, const std::vector<Pixel>& global, int background,
                              const Frame* frame) {
  std::vector<uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, Append, &error);
  EXPECT_NE(gif, nullptr);
  EGifSetGifVersion(gif, true);
  ColorMapObject* map = MakeMap(global);
  EXPECT_EQ(EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, background, map), GIF_OK);
  if (frame != nullptr) {
    if (frame->transparent >= 0) {
      GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, frame->transparent};
      GifByteType ext[4];
      EGifGCBToExtension(&gcb, ext);
      EXPECT_EQ(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext), GIF_OK);
    }
    EXPECT_EQ(EGifPutImageDesc(gif, frame->left, frame->top, frame->width, frame->height, frame->interlace, nullptr),
              GIF_OK);
    std::vector<int> order;
    if (frame->interlace) {
      for (auto [start, step] : {std::pair{0, 8}, std::pair{4, 8}, std::pair{2, 4}, std::pair{1, 2}})
        for (int r = start; r < frame->height; r += step) order.push_back(r);
    } else {
      for (int r = 0; r < frame->height; ++r) order.push_back(r);
    }
    std::vector<uint8_t> indices = frame->indices;
    for (int r : order)
      EXPECT_EQ(EGifPutLine(gif, indices.data() + static_cast<size_t>(r * frame->width), frame->width), GIF_OK);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

const Pixel kRed = MakePixel(255, 0, 0), kGreen = MakePixel(0, 255, 0), kBlue = MakePixel(0, 0, 255),
            kWhite = MakePixel(255, 255, 255);

TEST(GifDecode, KnownPixelsFromImageMagick) {
  const KnownImage image = testing::ManyColours();
  EXPECT_TRUE(testing::SamePixels(Decode(Format::Gif, Convert(image, "", "GIF:v.gif")), image, 0));
}

TEST(GifDecode, TransparencyFromImageMagick) {
  const KnownImage image = testing::WithAlpha(testing::ManyColours(), true);
  EXPECT_TRUE(testing::SamePixels(Decode(Format::Gif, Convert(image, "", "GIF:v.gif")), image, 0, true));
}

TEST(GifDecode, FrameOnTheLogicalScreenWithBackgroundAndTransparency) {
  Frame f;
  f.left = 2;
  f.top = 1;
  f.width = 3;
  f.height = 2;
  f.transparent = 1;
  f.indices = {0, 1, 3, 3, 0, 1};
  const raster::Bitmap b = Decode(Format::Gif, BuildGif(6, 5, {kRed, kGreen, kBlue, kWhite}, 2, &f));
  ASSERT_EQ(b.Width(), 6);
  ASSERT_EQ(b.Height(), 5);
  const Pixel clear = kBlue & 0x00FFFFFF;  // background colour, alpha 0
  const std::vector<Pixel> expected = {
      kBlue, kBlue, kBlue, kBlue,  kBlue, kBlue,  //
      kBlue, kBlue, kRed,  clear,  kWhite, kBlue,  //
      kBlue, kBlue, kWhite, kRed,  clear, kBlue,  //
      kBlue, kBlue, kBlue, kBlue,  kBlue, kBlue,  //
      kBlue, kBlue, kBlue, kBlue,  kBlue, kBlue};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(b.At(x, y), expected[static_cast<size_t>(y * 6 + x)]) << x << "," << y;
}

TEST(GifDecode, InterlacedRowsLandInPlace) {
  Frame f;
  f.width = 2;
  f.height = 11;
  f.interlace = true;
  for (int r = 0; r < f.height; ++r) f.indices.insert(f.indices.end(), 2, static_cast<uint8_t>(r % 4));
  const raster::Bitmap b = Decode(Format::Gif, BuildGif(2, 11, {kRed, kGreen, kBlue, kWhite}, 0, &f));
  const Pixel colours[] = {kRed, kGreen, kBlue, kWhite};
  for (int y = 0; y < 11; ++y) EXPECT_EQ(b.At(1, y), colours[y % 4]) << y;
}

TEST(GifDecode, FrameLargerThanTheScreenWidensIt) {
  Frame f;
  f.left = 1;
  f.top = 1;
  f.width = 3;
  f.height = 3;
  f.indices.assign(9, 1);
  const raster::Bitmap b = Decode(Format::Gif, BuildGif(2, 2, {kRed, kGreen}, 0, &f));
  EXPECT_EQ(b.Width(), 4);
  EXPECT_EQ(b.Height(), 4);
  EXPECT_EQ(b.At(0, 0), kRed);
  EXPECT_EQ(b.At(3, 3), kGreen);
}

std::string ErrorOf(const std::vector<uint8_t>& file) {
  try {
    Decode(Format::Gif, file);
  } catch (const DecodeError& e) {
    return e.what();
  }
  return "no error";
}

TEST(GifFaults, EachFaultIsNamed) {
  Frame f;
  f.width = 40;
  f.height = 40;
  for (int i = 0; i < 1600; ++i) f.indices.push_back(static_cast<uint8_t>((i * 7 + i / 40) % 4));
  const auto file = BuildGif(40, 40, {kRed, kGreen, kBlue, kWhite}, 0, &f);
  EXPECT_THAT(ErrorOf({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), HasSubstr("GIF: "));
  EXPECT_EQ(ErrorOf({'G', 'I', 'F'}), "GIF: data ends early");
  EXPECT_EQ(ErrorOf(std::vector<uint8_t>(file.begin(), file.begin() + 16)), "GIF: data ends early");  // in the colour table
  EXPECT_EQ(ErrorOf(std::vector<uint8_t>(file.begin(), file.begin() + file.size() / 2)), "GIF: data ends early");
  EXPECT_EQ(ErrorOf(BuildGif(4, 4, {kRed, kGreen}, 0, nullptr)), "GIF: no image");
  Frame tiny;
  tiny.width = 1;
  tiny.height = 1;
  tiny.indices = {0};
  EXPECT_EQ(ErrorOf(BuildGif(65535, 65535, {kRed, kGreen}, 0, &tiny)), "GIF: picture too large (65535 x 65535)");
  EXPECT_EQ(ErrorOf(BuildGif(40000, 1, {kRed, kGreen}, 0, &tiny)), "GIF: picture too large (40000 x 1)");
  // Drop the global colour table: clear its flag and cut its bytes.
  auto bare = BuildGif(4, 4, {kRed, kGreen}, 0, &tiny);
  const size_t tableBytes = 3u << ((bare[10] & 0x07) + 1);
  bare[10] &= 0x7F;
  bare.erase(bare.begin() + 13, bare.begin() + 13 + static_cast<std::ptrdiff_t>(tableBytes));
  EXPECT_EQ(ErrorOf(bare), "GIF: no colour table");
}

}  // namespace
}  // namespace imageformats
