#include "project/cut_palette.h"
#include "project/picture_decoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imageformats/handmade_files.h"
#include "project/picture_type.h"

namespace project {
namespace {

using imageformats::DecodeError;
using raster::Bitmap;
using raster::MakePixel;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A 2 by 1 24-bit Windows bitmap: a red pixel, then a blue one.
std::vector<uint8_t> TwoPixelBmp() {
  std::vector<uint8_t> bmp;
  bmp.push_back('B');
  bmp.push_back('M');
  Put32(bmp, 14 + 40 + 8);  // file size
  Put32(bmp, 0);
  Put32(bmp, 14 + 40);  // pixel data offset
  Put32(bmp, 40);       // BITMAPINFOHEADER
  Put32(bmp, 2);
  Put32(bmp, 1);
  Put16(bmp, 1);
  Put16(bmp, 24);
  Put32(bmp, 0);  // BI_RGB
  Put32(bmp, 8);
  Put32(bmp, 2835);
  Put32(bmp, 2835);
  Put32(bmp, 0);
  Put32(bmp, 0);
  for (uint8_t b : {0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00}) bmp.push_back(b);  // B G R, row padded to 8
  return bmp;
}

Bitmap Marked() { return Bitmap(3, 2, MakePixel(7, 8, 9)); }

void ExpectMarked(const Bitmap& bitmap) {
  ASSERT_EQ(bitmap.Width(), 3);
  ASSERT_EQ(bitmap.Height(), 2);
  EXPECT_EQ(bitmap.At(2, 1), MakePixel(7, 8, 9));
}

TEST(DecodePictureStreamTest, UnknownTypeFailsAndLeavesTheBitmap) {
  Bitmap bitmap = Marked();
  const auto bmp = TwoPixelBmp();
  EXPECT_FALSE(DecodePictureStream(bmp, bitmap, -1));
  ExpectMarked(bitmap);
}

TEST(DecodePictureStreamTest, TypesWithoutDecodingSucceedAndLeaveTheBitmap) {
  const auto bmp = TwoPixelBmp();
  for (int code : {0, 16, 1000, -2, -100}) {
    Bitmap bitmap = Marked();
    EXPECT_TRUE(DecodePictureStream(bmp, bitmap, code)) << code;
    ExpectMarked(bitmap);
  }
}

TEST(DecodePictureStreamTest, WindowsBitmapIsDecoded) {
  Bitmap bitmap = Marked();
  EXPECT_TRUE(DecodePictureStream(TwoPixelBmp(), bitmap, 1));
  ASSERT_EQ(bitmap.Width(), 2);
  ASSERT_EQ(bitmap.Height(), 1);
  EXPECT_EQ(bitmap.At(0, 0) & 0xFFFFFF, MakePixel(0xFF, 0, 0) & 0xFFFFFF);
  EXPECT_EQ(bitmap.At(1, 0) & 0xFFFFFF, MakePixel(0, 0, 0xFF) & 0xFFFFFF);
}

TEST(DecodePictureStreamTest, TheCodeAloneChoosesTheDecoder) {
  // Bitmap bytes under another code go to that code's decoder, which refuses
  // them; the target keeps its picture.
  const auto bmp = TwoPixelBmp();
  const std::pair<int, std::string> decoders[] = {
      {2, "JPEG"},      {3, "SGI"},          {4, "Autodesk CEL"}, {5, "TIFF"}, {6, "Targa"},
      {7, "PCX"},       {8, "Photo CD"},     {9, "PNM"},          {10, "CUT"}, {11, "GIF"},
      {12, "RLA"},      {13, "Photoshop"},   {14, "Paint Shop Pro"}, {15, "PNG"}};
  for (const auto& [code, format] : decoders) {
    Bitmap bitmap = Marked();
    try {
      DecodePictureStream(bmp, bitmap, code);
      ADD_FAILURE() << "code " << code << " decoded bitmap bytes";
    } catch (const DecodeError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(format, 0), 0u) << error.what();
    }
    ExpectMarked(bitmap);
  }
}

TEST(DecodePictureStreamTest, DamagedDataRaisesAndLeavesTheBitmap) {
  auto bmp = TwoPixelBmp();
  bmp.resize(20);
  Bitmap bitmap = Marked();
  EXPECT_THROW(DecodePictureStream(bmp, bitmap, 1), DecodeError);
  ExpectMarked(bitmap);
  EXPECT_THROW(DecodePictureStream({}, bitmap, 2), DecodeError);
  ExpectMarked(bitmap);
}

class DecodePictureFileTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::path(SLIDESHOW_TEST_TMP) / "picture_decoding";
    std::filesystem::create_directories(folder_);
  }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const auto path = folder_ / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path.string();
  }
  std::string Missing(const std::string& name) {
    std::filesystem::remove(folder_ / name);
    return (folder_ / name).string();
  }
  std::filesystem::path folder_;
};

TEST_F(DecodePictureFileTest, TypeComesFromTheName) {
  Bitmap bitmap = Marked();
  EXPECT_TRUE(DecodePictureFile(Write("Dot.BMP", TwoPixelBmp()), bitmap));
  EXPECT_EQ(bitmap.Width(), 2);

  // The bytes are a bitmap, but the name says PNG.
  bitmap = Marked();
  EXPECT_THROW(DecodePictureFile(Write("dot.png", TwoPixelBmp()), bitmap), DecodeError);
  ExpectMarked(bitmap);
}

TEST_F(DecodePictureFileTest, UnknownTypesDoNotOpenTheFile) {
  Bitmap bitmap = Marked();
  EXPECT_FALSE(DecodePictureFile(Missing("notes.txt"), bitmap));
  ExpectMarked(bitmap);
}

TEST_F(DecodePictureFileTest, MissingFileAndWrongBytesRaise) {
  Bitmap bitmap = Marked();
  EXPECT_THROW(DecodePictureFile(Missing("gone.jpg"), bitmap), DecodeError);
  EXPECT_THROW(DecodePictureFile(Missing("scan.tif"), bitmap), DecodeError);
  EXPECT_THROW(DecodePictureFile(Write("logo.scr", TwoPixelBmp()), bitmap), DecodeError);
  ExpectMarked(bitmap);
}

// A picture of 8 x 6: the left half red, the right half blue.
imageformats::testing::KnownImage RedAndBlue() {
  imageformats::testing::KnownImage image{8, 6, {}};
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) image.pixels.push_back(x < 4 ? MakePixel(255, 0, 0) : MakePixel(0, 0, 255));
  return image;
}

bool Reddish(raster::Pixel p) { return raster::PixelR(p) > 150 && raster::PixelB(p) < 100; }
bool Bluish(raster::Pixel p) { return raster::PixelB(p) > 150 && raster::PixelR(p) < 100; }

TEST_F(DecodePictureFileTest, EveryTypeCodeDecodesItsFormat) {
  namespace t = imageformats::testing;
  const auto picture = RedAndBlue();
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  // Written by ImageMagick; logo.scr is a PCX file as its type code says.
  for (const std::string name : {"a.bmp", "a.jpg", "a.sgi", "a.tif", "a.tga", "logo.scr", "a.pcd", "a.ppm", "a.gif",
                                 "a.psd", "a.png"}) {
    const std::string format = name == "logo.scr" ? "PCX" : name == "a.ppm" ? "PPM" : "";
    const std::string path = (folder_ / name).string();
    // Photo CD pictures are 768 x 512; ImageMagick puts a smaller one on white.
    const std::string size = name == "a.pcd" ? "768x512" : "8x6";
    const std::string half = name == "a.pcd" ? "384,0 767,511" : "4,0 7,5";
    const std::string command = "/usr/bin/convert -size " + size + " xc:red -fill blue -draw 'rectangle " + half +
                                "' '" + (format.empty() ? "" : format + ":") + path + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  const std::vector<uint8_t> indices = {0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1,
                                        0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1};
  Write("a.cel", t::CelFile(8, 6, indices, {{63, 0, 0}, {0, 0, 63}}));
  Write("a.cut", t::CutFile(8, 6, indices));
  Write("a.pal", t::HaloPalette({{255, 0, 0}, {0, 0, 255}}, 255));
  Write("a.rla", t::RlaFile(picture, false, false));
  t::PspLayout psp;
  psp.imageWidth = 8;
  psp.imageHeight = 6;
  psp.compression = 2;
  Write("a.psp", t::PspFile(picture, psp));

  const char* const names[] = {"a.bmp", "a.jpg", "a.sgi", "a.cel", "a.tif", "a.tga", "logo.scr", "a.pcd",
                               "a.ppm", "a.cut", "a.gif", "a.rla", "a.psd", "a.psp", "a.png"};
  for (int code = 1; code <= 15; ++code) {
    const std::string path = (folder_ / names[code - 1]).string();
    ASSERT_EQ(PictureTypeCode(path), code) << path;
    Bitmap bitmap = Marked();
    ASSERT_NO_THROW(EXPECT_TRUE(DecodePictureFile(path, bitmap))) << path;
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    EXPECT_EQ(w, code == 8 ? 768 : 8) << path;  // Photo CD holds 768 x 512
    EXPECT_TRUE(Reddish(bitmap.At(0, h / 2))) << path << " " << std::hex << bitmap.At(0, h / 2);
    EXPECT_TRUE(Bluish(bitmap.At(w - 1, h / 2))) << path << " " << std::hex << bitmap.At(w - 1, h / 2);
  }
}

TEST_F(DecodePictureFileTest, ACutPictureTakesThePaletteBesideIt) {
  namespace t = imageformats::testing;
  const std::vector<uint8_t> cut = t::CutFile(2, 1, {1, 2});
  const std::vector<uint8_t> pal = t::HaloPalette({{0, 0, 0}, {255, 0, 0}, {0, 255, 0}}, 255);
  Write("halo.cut", cut);
  Write("halo.pal", pal);
  Bitmap bitmap;
  ASSERT_TRUE(DecodePictureFile((folder_ / "halo.cut").string(), bitmap));
  EXPECT_EQ(bitmap.At(0, 0), MakePixel(255, 0, 0));
  EXPECT_EQ(bitmap.At(1, 0), MakePixel(0, 255, 0));
  EXPECT_EQ(ReadCutPalette((folder_ / "halo.cut").string()), pal);
  // Without the palette file, or as an embedded stream: grey levels.
  Write("lone.cut", cut);
  Missing("lone.pal");
  ASSERT_TRUE(DecodePictureFile((folder_ / "lone.cut").string(), bitmap));
  EXPECT_EQ(bitmap.At(1, 0), MakePixel(2, 2, 2));
  ASSERT_TRUE(DecodePictureStream(cut, bitmap, 10));
  EXPECT_EQ(bitmap.At(0, 0), MakePixel(1, 1, 1));
  // A palette file is never its own palette.
  EXPECT_TRUE(ReadCutPalette((folder_ / "halo.pal").string()).empty());
}

TEST(DecodePictureStreamTest, ATiffStreamIsDecoded) {
  // Code 5 used to leave the bitmap as it was; TIFF is decoded now.
  const std::string path = std::string(SLIDESHOW_TEST_TMP) + "/stream.tif";
  ASSERT_EQ(std::system(("/usr/bin/convert -size 3x2 xc:'rgb(10,20,30)' -compress LZW '" + path + "'").c_str()), 0);
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> tiff{std::istreambuf_iterator<char>(in), {}};
  Bitmap bitmap = Marked();
  EXPECT_TRUE(DecodePictureStream(tiff, bitmap, 5));
  ASSERT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(bitmap.At(2, 1), MakePixel(10, 20, 30));
}

}  // namespace
}  // namespace project
