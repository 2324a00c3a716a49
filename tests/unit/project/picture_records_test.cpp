#include "project/picture_records.h"

#include <gtest/gtest.h>

#include <string>

#include "base/random.h"
#include "project/project_errors.h"

namespace project {
namespace {

std::string Rec(int tag, std::string_view value) {
  return std::string(1, static_cast<char>(tag)) + std::string(value) + '\x80';
}
constexpr char kEnd = '\x7F';

std::vector<std::unique_ptr<TPictureInfo>> ParsePictureBlock(std::string_view block, base::Random& random) {
  std::vector<std::unique_ptr<TPictureInfo>> pictures;
  AppendPictureRecords(block, random, pictures);
  return pictures;
}

TEST(PictureRecordsTest, TextAfterTheLastRecordEndIsDropped) {
  base::SeededRandom random(1);
  const std::string block = Rec(1, "0") + Rec(8, "first") + kEnd + Rec(1, "1") + Rec(8, "second");
  const auto pictures = ParsePictureBlock(block, random);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0]->Caption, "first");
}

TEST(PictureRecordsTest, RecordsKeepBlockOrder) {
  base::SeededRandom random(1);
  std::string block;
  for (int i = 0; i < 3; ++i) block += Rec(1, std::to_string(i)) + Rec(2, "p" + std::to_string(i) + ".jpg") + kEnd;
  const auto pictures = ParsePictureBlock(block, random);
  ASSERT_EQ(pictures.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(pictures[i]->Number, i);
    EXPECT_EQ(pictures[i]->FileName, "p" + std::to_string(i) + ".jpg");
  }
}

TEST(PictureRecordsTest, EmptyRecordsAndBlocks) {
  base::SeededRandom random(1);
  EXPECT_TRUE(ParsePictureBlock("", random).empty());
  EXPECT_TRUE(ParsePictureBlock(Rec(8, "no end"), random).empty());
  // Two bare ends are two pictures with their defaults.
  const auto pictures = ParsePictureBlock(std::string(2, kEnd), random);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[1]->TypeCode, 2);
}

TEST(PictureRecordsTest, BlockEndsAtTheFirstNul) {
  base::SeededRandom random(1);
  std::string block = Rec(8, "a") + kEnd + Rec(8, "b");
  block += '\0';
  block += std::string(1, kEnd) + Rec(8, "c") + kEnd;
  EXPECT_EQ(ParsePictureBlock(block, random).size(), 1u);
}

TEST(PictureRecordsTest, EachRecordDrawsItsDefaultsInTurn) {
  base::SeededRandom blockRandom(42);
  const auto pictures = ParsePictureBlock(std::string(3, kEnd), blockRandom);
  base::SeededRandom expectedRandom(42);
  for (const auto& picture : pictures) {
    const TPictureInfo expected(expectedRandom);
    EXPECT_EQ(picture->CaptionFont, expected.CaptionFont);
    EXPECT_EQ(picture->BackgroundColor, expected.BackgroundColor);
    EXPECT_EQ(picture->GradientColor2, expected.GradientColor2);
    EXPECT_EQ(picture->TileCount, expected.TileCount);
  }
  // Both generators are at the same point afterwards.
  EXPECT_EQ(blockRandom.Next(1000000), expectedRandom.Next(1000000));
}

TEST(PictureRecordsTest, ConversionErrorKeepsThePicturesBeforeIt) {
  base::SeededRandom random(1);
  std::vector<std::unique_ptr<TPictureInfo>> pictures;
  const std::string block =
      Rec(1, "0") + kEnd + Rec(1, "1") + kEnd + Rec(1, "2") + Rec(62, "many") + kEnd + Rec(1, "3") + kEnd;
  EXPECT_THROW(AppendPictureRecords(block, random, pictures), ConversionError);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0]->Number, 0);
  EXPECT_EQ(pictures[1]->Number, 1);
}

TEST(PictureRecordsTest, AppendsAfterExistingPictures) {
  base::SeededRandom random(1);
  std::vector<std::unique_ptr<TPictureInfo>> pictures;
  AppendPictureRecords(Rec(8, "one") + kEnd, random, pictures);
  AppendPictureRecords(Rec(8, "two") + kEnd, random, pictures);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[1]->Caption, "two");
}

}  // namespace
}  // namespace project
