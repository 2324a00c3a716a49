#include "project/picture_type.h"

#include <gtest/gtest.h>

#include <string>

namespace project {
namespace {

TEST(PictureTypeCodeTest, CaseAndTrailingDot) {
  EXPECT_EQ(PictureTypeCode("Photo.JPG"), 2);
  EXPECT_EQ(PictureTypeCode("photo.jpeg"), 2);
  EXPECT_EQ(PictureTypeCode("PHOTO.JPEG"), 2);
  EXPECT_EQ(PictureTypeCode("photo.jpg."), 2);
  EXPECT_EQ(PictureTypeCode("photo.jpeg."), 2);
  // Only one trailing dot is dropped.
  EXPECT_EQ(PictureTypeCode("photo.jpg.."), -1);
}

TEST(PictureTypeCodeTest, OnlyTheLastExtensionCounts) {
  EXPECT_EQ(PictureTypeCode("archive.tar.gif"), 11);
  EXPECT_EQ(PictureTypeCode("photo.gif.txt"), -1);
  EXPECT_EQ(PictureTypeCode("C:\\My.Pictures\\sun.png"), 15);
}

TEST(PictureTypeCodeTest, NameWithoutDotIsItsOwnExtension) {
  EXPECT_EQ(PictureTypeCode("bmp"), 1);
  EXPECT_EQ(PictureTypeCode("PNG"), 15);
  EXPECT_EQ(PictureTypeCode("image"), -1);
  EXPECT_EQ(PictureTypeCode("picture"), 4);  // ".picture" starts with ".pic"
  EXPECT_EQ(PictureTypeCode(""), -1);
  EXPECT_EQ(PictureTypeCode("."), -1);
}

TEST(PictureTypeCodeTest, EveryExtensionOfTheTable) {
  const std::vector<std::pair<std::string, int>> table = {
      {"bmp", 1}, {"dib", 1}, {"jpg", 2}, {"jpeg", 2}, {"bw", 3}, {"rgb", 3}, {"rgba", 3}, {"sgi", 3},
      {"cel", 4}, {"pic", 4}, {"tif", 5}, {"tiff", 5}, {"tga", 6}, {"vst", 6}, {"icb", 6}, {"vda", 6},
      {"win", 6}, {"pcx", 7}, {"pcc", 7}, {"scr", 7}, {"pcd", 8}, {"ppm", 9}, {"pgm", 9}, {"pbm", 9},
      {"cut", 10}, {"pal", 10}, {"gif", 11}, {"rla", 12}, {"rpf", 12}, {"psd", 13}, {"pdd", 13},
      {"psp", 14}, {"png", 15},
  };
  for (const auto& [extension, code] : table) EXPECT_EQ(PictureTypeCode("logo." + extension), code) << extension;
}

TEST(PictureTypeCodeTest, ExtensionsThatStartWithAKnownOneMatchIt) {
  // The test is "contains", and the extension's only dot is its first character.
  EXPECT_EQ(PictureTypeCode("a.pict"), 4);
  EXPECT_EQ(PictureTypeCode("a.jpgx"), 2);
  EXPECT_EQ(PictureTypeCode("a.xjpg"), -1);
  // Rows are tested in code order: ".bmpbw" holds ".bmp" (1) before ".bw" (3)
  // is tried, while ".bwbmp" does not start with ".bmp" and falls to row 3.
  EXPECT_EQ(PictureTypeCode("a.bmpbw"), 1);
  EXPECT_EQ(PictureTypeCode("a.bwbmp"), 3);
}

TEST(PictureTypeNameTest, NamesKnownAndUnknownCodes) {
  EXPECT_EQ(PictureTypeName(7), "ZSoft PCX");
  EXPECT_EQ(PictureTypeName(-1), "unknown");
  EXPECT_EQ(PictureTypeName(16), "unknown");
}

}  // namespace
}  // namespace project
