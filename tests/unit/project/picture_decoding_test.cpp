#include "project/picture_decoding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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
  for (int code : {0, 5, 16, 1000, -2, -100}) {
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
  const std::pair<int, std::string> decoders[] = {{2, "JPEG"}, {11, "GIF"}, {15, "PNG"}};
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

TEST(DecodePictureStreamTest, FormatsWithoutADecoderSayWhich) {
  for (int code : {3, 4, 6, 7, 8, 9, 10, 12, 13, 14}) {
    Bitmap bitmap = Marked();
    EXPECT_THROW(DecodePictureStream(TwoPixelBmp(), bitmap, code), DecodeError) << code;
    ExpectMarked(bitmap);
  }
  Bitmap bitmap;
  try {
    DecodePictureStream({}, bitmap, 7);
    ADD_FAILURE() << "no error for a PCX picture";
  } catch (const DecodeError& error) {
    EXPECT_NE(std::string(error.what()).find("PCX"), std::string::npos) << error.what();
  }
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

TEST_F(DecodePictureFileTest, UnreadTypesDoNotOpenTheFile) {
  Bitmap bitmap = Marked();
  EXPECT_FALSE(DecodePictureFile(Missing("notes.txt"), bitmap));
  EXPECT_TRUE(DecodePictureFile(Missing("scan.tif"), bitmap));
  ExpectMarked(bitmap);
}

TEST_F(DecodePictureFileTest, MissingFileAndMissingDecoderRaise) {
  Bitmap bitmap = Marked();
  EXPECT_THROW(DecodePictureFile(Missing("gone.jpg"), bitmap), DecodeError);
  EXPECT_THROW(DecodePictureFile(Write("logo.scr", TwoPixelBmp()), bitmap), DecodeError);
  ExpectMarked(bitmap);
}

}  // namespace
}  // namespace project
