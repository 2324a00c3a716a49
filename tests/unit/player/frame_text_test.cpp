#include "player/frame_text.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "player/frame_box_text.h"
#include "player/frame_test_support.h"

namespace player {
namespace {

using raster::Point;
using testing::AllPixels;
using testing::kBlack;

constexpr Size kArea{1024, 768};

TEST(TextBlockPosition, EveryRowOfTheTable) {
  const Size block{100, 30};
  const Point own{-5, 7};
  const std::vector<Point> expected = {
      {462, 0}, {0, 0}, {904, 0},          // top: centred, left, right
      {462, 738}, {0, 738}, {904, 738},    // bottom
      {462, 369}, {0, 369}, {904, 369},    // middle
      own,
  };
  for (int position = 0; position <= 9; ++position)
    EXPECT_EQ(TextBlockPosition(position, block, kArea, own), expected[static_cast<size_t>(position)]) << position;
  EXPECT_EQ(TextBlockPosition(10, block, kArea, own), (Point{0, 0}));
  EXPECT_EQ(TextBlockPosition(-1, block, kArea, own), (Point{0, 0}));
}

TEST(TextBlockPosition, OddDifferencesRoundTowardsZero) {
  EXPECT_EQ(TextBlockPosition(6, {101, 31}, kArea, {}), (Point{461, 368}));
  // A block wider than the area: negative, still centred.
  EXPECT_EQ(TextBlockPosition(0, {1100, 10}, kArea, {}), (Point{-38, 0}));
  EXPECT_EQ(TextBlockPosition(8, {1100, 800}, kArea, {}), (Point{-96, -16}));
}

TEST(SplitLines, CarriageReturnLineFeedOrBoth) {
  using Lines = std::vector<std::string_view>;
  EXPECT_EQ(SplitLines("one\r\ntwo"), (Lines{"one", "two"}));
  EXPECT_EQ(SplitLines("one\rtwo\nthree"), (Lines{"one", "two", "three"}));
  EXPECT_EQ(SplitLines("one\n\rtwo"), (Lines{"one", "", "two"}));  // LF then CR: two breaks
  EXPECT_EQ(SplitLines("one\r\n\r\ntwo"), (Lines{"one", "", "two"}));
  EXPECT_EQ(SplitLines("one\r\n"), (Lines{"one"}));                 // no empty last line
  EXPECT_EQ(SplitLines("\r\n"), (Lines{""}));
  EXPECT_EQ(SplitLines("single"), (Lines{"single"}));
  EXPECT_TRUE(SplitLines("").empty());
}

// Records what is measured and drawn; "Afjh" is taller than other text, so the
// line height can be told apart from a line's own height.
class RecordingText final : public TextRenderer {
 public:
  struct Drawn {
    std::string text;
    Point at;
    raster::Pixel color;
    project::TFontSpec font;
  };
  TextExtent Measure(const project::TFontSpec&, std::string_view text) override {
    return {static_cast<int>(text.size()) * 10, text == "Afjh" ? 15 : 12};
  }
  void Draw(raster::Bitmap&, const project::TFontSpec& font, Point at, std::string_view text,
            raster::Pixel color) override {
    drawn.push_back({std::string(text), at, color, font});
  }
  std::vector<Drawn> drawn;
};

class FrameTexts : public ::testing::Test {
 protected:
  FrameTexts() : record(random), bitmap(kArea.width, kArea.height, kBlack) {
    record.Caption = "Caption";
    record.Text = "first\r\nthe longest\rlast";
  }
  base::SeededRandom random{3};
  project::TPictureInfo record;
  raster::Bitmap bitmap;
  RecordingText text;
};

TEST_F(FrameTexts, CaptionAtPositionTwoEndsTwentyPixelsBeforeTheRightEdge) {
  BoxTextRenderer boxes(8, 10);
  record.Caption = "abcd";
  record.CaptionPosition = 2;
  record.CaptionFont.Color = 0x0000FF;  // red as a Windows colour value
  DrawCaption(record, bitmap, kArea, boxes);
  EXPECT_TRUE(AllPixels(bitmap, {1024 - 20 - 32, 0, 1024 - 20, 10}, testing::kRed));
  EXPECT_TRUE(AllPixels(bitmap, {1024 - 20, 0, 1024, 768}, kBlack));
  EXPECT_TRUE(AllPixels(bitmap, {0, 0, 1024 - 20 - 32, 768}, kBlack));
  EXPECT_TRUE(AllPixels(bitmap, {0, 10, 1024, 768}, kBlack));
}

TEST_F(FrameTexts, CaptionInTheRecordsFontAndColour) {
  record.CaptionFont.Name = "Tahoma";
  record.CaptionFont.Height = -24;
  record.CaptionFont.Charset = 204;
  record.CaptionFont.Bold = record.CaptionFont.Italic = true;
  record.CaptionFont.Underline = record.CaptionFont.StrikeOut = true;
  record.CaptionFont.Color = 0x80FF00;  // B=0x80 G=0xFF R=0x00
  record.CaptionPosition = 5;
  DrawCaption(record, bitmap, kArea, text);
  ASSERT_EQ(text.drawn.size(), 1u);
  EXPECT_EQ(text.drawn[0].text, "Caption");
  EXPECT_EQ(text.drawn[0].font, record.CaptionFont);
  EXPECT_EQ(text.drawn[0].color, raster::MakePixel(0x00, 0xFF, 0x80));
  EXPECT_EQ(text.drawn[0].at, (Point{1024 - 70 - 20, 768 - 12}));
}

TEST_F(FrameTexts, CaptionAtItsOwnCoordinates) {
  record.CaptionPosition = 9;
  record.CaptionX = 300;
  record.CaptionY = -4;
  DrawCaption(record, bitmap, kArea, text);
  ASSERT_EQ(text.drawn.size(), 1u);
  EXPECT_EQ(text.drawn[0].at, (Point{300, -4}));
}

TEST_F(FrameTexts, HiddenCaptionAndDescriptionDrawNothing) {
  record.ShowCaption = false;
  record.ShowText = false;
  DrawCaption(record, bitmap, kArea, text);
  DrawDescription(record, bitmap, kArea, text);
  record.ShowText = true;
  record.Text.clear();
  DrawDescription(record, bitmap, kArea, text);
  EXPECT_TRUE(text.drawn.empty());
}

TEST_F(FrameTexts, DescriptionLinesStepByTheHeightOfAfjh) {
  record.TextPosition = 3;  // bottom, centred
  record.TextFont.Color = 0x00FF00;
  record.TextFont.Italic = true;
  DrawDescription(record, bitmap, kArea, text);
  ASSERT_EQ(text.drawn.size(), 3u);
  const int blockWidth = 110;      // "the longest"
  const int blockHeight = 3 * 15;  // three lines of the "Afjh" height
  const Point at{(1024 - blockWidth) / 2, 768 - blockHeight};
  const std::vector<std::string> lines = {"first", "the longest", "last"};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(text.drawn[i].text, lines[i]);
    EXPECT_EQ(text.drawn[i].at, (Point{at.x, at.y + static_cast<int>(i) * 15}));
    EXPECT_EQ(text.drawn[i].color, testing::kGreen);
    EXPECT_EQ(text.drawn[i].font, record.TextFont);
  }
}

TEST_F(FrameTexts, DescriptionOfLineBreaksOnlyIsOneEmptyLine) {
  record.Text = "\r\n";
  record.TextPosition = 8;
  DrawDescription(record, bitmap, kArea, text);
  ASSERT_EQ(text.drawn.size(), 1u);
  EXPECT_EQ(text.drawn[0].at, (Point{1024 - 0 - 20, (768 - 15) / 2}));
}

TEST_F(FrameTexts, DescriptionPixelsWithTheBoxRenderer) {
  BoxTextRenderer boxes(8, 10);
  record.Text = "ab\ncdef";
  record.TextPosition = 1;  // top left
  record.TextFont.Color = 0xFF0000;  // blue
  DrawDescription(record, bitmap, kArea, boxes);
  EXPECT_TRUE(AllPixels(bitmap, {0, 0, 16, 10}, testing::kBlue));
  EXPECT_TRUE(AllPixels(bitmap, {16, 0, 1024, 10}, kBlack));
  EXPECT_TRUE(AllPixels(bitmap, {0, 10, 32, 20}, testing::kBlue));
  EXPECT_TRUE(AllPixels(bitmap, {32, 10, 1024, 768}, kBlack));
  EXPECT_TRUE(AllPixels(bitmap, {0, 20, 1024, 768}, kBlack));
}

TEST(BoxText, ClipsAtTheBitmapAndTheIntRange) {
  BoxTextRenderer boxes(8, 10);
  raster::Bitmap small(20, 20, kBlack);
  const project::TFontSpec font;
  boxes.Draw(small, font, {15, 15}, "abc", testing::kWhite);
  EXPECT_TRUE(AllPixels(small, {15, 15, 20, 20}, testing::kWhite));
  EXPECT_TRUE(AllPixels(small, {0, 0, 20, 15}, kBlack));
  boxes.Draw(small, font, {INT32_MAX - 3, INT32_MAX - 3}, "abc", testing::kRed);
  boxes.Draw(small, font, {INT32_MIN, INT32_MIN}, "abc", testing::kRed);
  EXPECT_TRUE(AllPixels(small, {0, 0, 20, 15}, kBlack));
  EXPECT_EQ(boxes.Measure(font, "Afjh"), (TextExtent{32, 10}));
}

}  // namespace
}  // namespace player
