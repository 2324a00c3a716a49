#include "project/picture_info.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/random.h"
#include "project/project_errors.h"
#include "project/picture_test_random.h"

namespace project {
namespace {

using project_test::ScriptedRandom;

std::string Rec(int tag, std::string_view value) {
  return std::string(1, static_cast<char>(tag)) + std::string(value) + '\x80';
}

TPictureInfo Parsed(const std::string& record) {
  ScriptedRandom random;
  TPictureInfo picture(random);
  picture.ParsePicture(record);
  return picture;
}

TEST(PictureInfoDefaultsTest, RandomDefaultsAreDrawnInOrder) {
  ScriptedRandom random({4, 9, 12, 7, 19});
  const TPictureInfo picture(random);
  EXPECT_EQ(random.ranges, (std::vector<int32_t>{13, 13, 13, 8, 20}));
  EXPECT_EQ(picture.CaptionFont.Color, 0x0000FFu);
  EXPECT_EQ(picture.TextFont.Color, 0x8000FFu);
  EXPECT_EQ(picture.BackgroundColor, 0x000080u);
  EXPECT_EQ(picture.GradientColor1, 0xFF8000u);
  EXPECT_EQ(picture.GradientColor2, 0xFF00FFu);
  EXPECT_EQ(picture.TileCount, 39);
}

TEST(PictureInfoDefaultsTest, FixedDefaults) {
  ScriptedRandom random;
  const TPictureInfo p(random);
  EXPECT_EQ(p.Number, 0);
  EXPECT_EQ(p.TypeCode, 2);
  EXPECT_EQ(p.Kind, 0);
  EXPECT_FALSE(p.Transparent);
  EXPECT_TRUE(p.PlayMusic);
  EXPECT_TRUE(p.ShowCaption);
  EXPECT_TRUE(p.Caption.empty());
  EXPECT_TRUE(p.ShowText);
  EXPECT_EQ(p.TextPosition, 3);
  EXPECT_TRUE(p.RandomTransition);
  EXPECT_EQ(p.TransitionSpeed, 25);
  EXPECT_EQ(p.BackgroundKinds, "0;1;2;");
  EXPECT_EQ(p.GradientStyles, " 0; 1; 2; 3; 4; 5; 6; 7; 8; 9; 10; 11;");
  EXPECT_EQ(p.BackgroundSources, "1;");
  EXPECT_TRUE(p.BackgroundPictures.empty());
  EXPECT_EQ(p.BackgroundPictureMode, 2);
  EXPECT_EQ(p.TileCount, 20);
  EXPECT_TRUE(p.RandomTileCount);
  EXPECT_TRUE(p.RandomBackgroundColor);
  EXPECT_TRUE(p.RandomGradientColors);
  EXPECT_FALSE(p.BackgroundOnly);
  EXPECT_FALSE(p.FlashNeverStop);
  EXPECT_EQ(p.FlashStopTicks, 0);
  // A web address as the description.
  EXPECT_EQ(p.Text.rfind("https://", 0), 0u);
}

TEST(PictureInfoDefaultsTest, EveryTransitionNumberFollowedBySemicolon) {
  ScriptedRandom random;
  const TPictureInfo p(random);
  std::string expected;
  for (int i = 0; i <= 160; ++i) expected += std::to_string(i) + ";";
  EXPECT_EQ(p.Transitions, expected);
  EXPECT_EQ(p.Transitions.substr(0, 6), "0;1;2;");
}

TEST(PictureInfoDefaultsTest, FontsUseDefaultCharsetAndPointSizes) {
  ScriptedRandom random;
  const TPictureInfo p(random);
  EXPECT_EQ(p.CaptionFont.Charset, 1);
  EXPECT_EQ(p.CaptionFont.Height, -24);  // 18 points at 96 dpi
  EXPECT_EQ(p.TextFont.Height, -16);     // 12 points
  EXPECT_EQ(p.CaptionFont.Name, TFontSpec::kDefaultName);
  EXPECT_FALSE(p.CaptionFont.Bold || p.CaptionFont.Italic || p.CaptionFont.Underline || p.CaptionFont.StrikeOut);
  EXPECT_EQ(FontHeightForPoints(10), -13);  // 13.33 rounds down
  EXPECT_EQ(FontHeightForPoints(9), -12);
}

struct IntegerTag {
  int tag;
  std::function<int64_t(const TPictureInfo&)> field;
};

TEST(PictureInfoParseTest, IntegerTagsSetTheirFields) {
  const std::vector<IntegerTag> tags = {
      {1, [](const TPictureInfo& p) { return p.Number; }},
      {3, [](const TPictureInfo& p) { return p.Size; }},
      {45, [](const TPictureInfo& p) { return p.TypeCode; }},
      {52, [](const TPictureInfo& p) { return p.Kind; }},
      {9, [](const TPictureInfo& p) { return p.CaptionFont.Charset; }},
      {10, [](const TPictureInfo& p) { return p.CaptionFont.Color; }},
      {11, [](const TPictureInfo& p) { return p.CaptionFont.Height; }},
      {14, [](const TPictureInfo& p) { return p.CaptionPosition; }},
      {15, [](const TPictureInfo& p) { return p.CaptionX; }},
      {16, [](const TPictureInfo& p) { return p.CaptionY; }},
      {19, [](const TPictureInfo& p) { return p.TextFont.Charset; }},
      {20, [](const TPictureInfo& p) { return p.TextFont.Color; }},
      {21, [](const TPictureInfo& p) { return p.TextFont.Height; }},
      {25, [](const TPictureInfo& p) { return p.TextPosition; }},
      {26, [](const TPictureInfo& p) { return p.TextX; }},
      {27, [](const TPictureInfo& p) { return p.TextY; }},
      {35, [](const TPictureInfo& p) { return p.TransitionSpeed; }},
      {47, [](const TPictureInfo& p) { return p.BackgroundColor; }},
      {48, [](const TPictureInfo& p) { return p.GradientColor1; }},
      {49, [](const TPictureInfo& p) { return p.GradientColor2; }},
      {61, [](const TPictureInfo& p) { return p.BackgroundPictureMode; }},
      {62, [](const TPictureInfo& p) { return p.TileCount; }},
      {53, [](const TPictureInfo& p) { return p.VideoSize; }},
      {56, [](const TPictureInfo& p) { return p.FlashBackgroundColor; }},
      {54, [](const TPictureInfo& p) { return p.FlashAlignMode; }},
      {55, [](const TPictureInfo& p) { return p.FlashScaleMode; }},
      {65, [](const TPictureInfo& p) { return p.FlashStopMode; }},
      {66, [](const TPictureInfo& p) { return p.FlashStopFrame; }},
      {69, [](const TPictureInfo& p) { return p.FlashStopTicks; }},
  };
  for (const auto& [tag, field] : tags) {
    // Each tag sets its own field and no other listed one.
    const TPictureInfo p = Parsed(Rec(tag, "123456"));
    for (const auto& other : tags) {
      if (other.tag == tag)
        EXPECT_EQ(other.field(p), 123456) << "tag " << tag;
      else
        EXPECT_NE(other.field(p), 123456) << "tag " << tag << " also set tag " << other.tag;
    }
  }
}

struct BooleanTag {
  int tag;
  bool TPictureInfo::*field;
};

TEST(PictureInfoParseTest, BooleanTagsAreTrueOnlyForOne) {
  const std::vector<BooleanTag> tags = {
      {5, &TPictureInfo::Transparent},         {6, &TPictureInfo::PlayMusic},
      {7, &TPictureInfo::ShowCaption},         {17, &TPictureInfo::ShowText},
      {34, &TPictureInfo::RandomTransition},   {60, &TPictureInfo::RandomBackgroundColor},
      {59, &TPictureInfo::RandomGradientColors}, {64, &TPictureInfo::RandomTileCount},
      {63, &TPictureInfo::BackgroundOnly},     {67, &TPictureInfo::FlashStopOnWrap},
      {68, &TPictureInfo::FlashNeverStop},     {70, &TPictureInfo::FlashGetsMoves},
      {71, &TPictureInfo::FlashGetsClicks},
  };
  for (const auto& [tag, field] : tags) {
    EXPECT_TRUE(Parsed(Rec(tag, "1")).*field) << "tag " << tag;
    for (const char* value : {"0", "", "true", "yes", "2", " 1", "11"})
      EXPECT_FALSE(Parsed(Rec(tag, value)).*field) << "tag " << tag << " value '" << value << "'";
  }
}

TEST(PictureInfoParseTest, TextTagsAreCutToTheirLimits) {
  struct TextTag {
    int tag;
    std::string TPictureInfo::*field;
    std::size_t limit;
  };
  const std::vector<TextTag> tags = {
      {2, &TPictureInfo::FileName, 255},          {8, &TPictureInfo::Caption, 100},
      {24, &TPictureInfo::Text, 4095},            {36, &TPictureInfo::Transitions, 1024},
      {46, &TPictureInfo::BackgroundKinds, 10},   {50, &TPictureInfo::GradientStyles, 50},
      {57, &TPictureInfo::BackgroundSources, 10}, {58, &TPictureInfo::BackgroundPictures, 300},
  };
  for (const auto& [tag, field, limit] : tags) {
    std::string longValue;
    for (std::size_t i = 0; longValue.size() < limit + 20; ++i) longValue += static_cast<char>('a' + i % 26);
    EXPECT_EQ(Parsed(Rec(tag, longValue)).*field, longValue.substr(0, limit)) << "tag " << tag;
    EXPECT_EQ(Parsed(Rec(tag, "ab;")).*field, "ab;") << "tag " << tag;
    EXPECT_EQ(Parsed(Rec(tag, "")).*field, "") << "tag " << tag;
  }
}

TEST(PictureInfoParseTest, CaptionAndBackgroundKindsKeepTheirFirstCharacters) {
  const std::string caption(120, 'c');
  EXPECT_EQ(Parsed(Rec(8, caption)).Caption, std::string(100, 'c'));
  EXPECT_EQ(Parsed(Rec(46, "0;1;2;0;1;2;")).BackgroundKinds, "0;1;2;0;1;");
}

TEST(PictureInfoParseTest, FontStylesAdd) {
  TPictureInfo p = Parsed(Rec(13, "13"));
  EXPECT_TRUE(p.CaptionFont.Bold);
  EXPECT_FALSE(p.CaptionFont.Italic);
  EXPECT_TRUE(p.CaptionFont.Underline);
  EXPECT_FALSE(p.CaptionFont.StrikeOut);

  p = Parsed(Rec(13, "1") + Rec(13, "2"));
  EXPECT_TRUE(p.CaptionFont.Bold);
  EXPECT_TRUE(p.CaptionFont.Italic);
  EXPECT_FALSE(p.CaptionFont.Underline);

  p = Parsed(Rec(23, "4") + Rec(23, ""));
  EXPECT_TRUE(p.TextFont.StrikeOut);
  EXPECT_FALSE(p.TextFont.Bold);
  EXPECT_FALSE(p.CaptionFont.StrikeOut);  // the caption font is a separate font
}

TEST(PictureInfoParseTest, FontNamesAndValuesReplace) {
  const TPictureInfo p = Parsed(Rec(12, "Times New Roman") + Rec(22, "Courier New") + Rec(11, "-30") +
                                Rec(11, "-40") + Rec(9, "0"));
  EXPECT_EQ(p.CaptionFont.Name, "Times New Roman");
  EXPECT_EQ(p.TextFont.Name, "Courier New");
  EXPECT_EQ(p.CaptionFont.Height, -40);
  EXPECT_EQ(p.CaptionFont.Charset, 0);
  EXPECT_EQ(p.TextFont.Charset, 1);
}

TEST(PictureInfoParseTest, RepeatedTagsOverwriteAndUnknownTagsAreSkipped) {
  const TPictureInfo p = Parsed(Rec(1, "3") + Rec(4, "abc") + Rec(18, "x") + Rec(72, "y") + Rec(0, "z") +
                                Rec(0x80, "") + Rec(1, "7") + Rec(8, "first") + Rec(8, "second"));
  EXPECT_EQ(p.Number, 7);
  EXPECT_EQ(p.Caption, "second");
}

TEST(PictureInfoParseTest, TextAfterTheLastValueEndIsIgnored) {
  const TPictureInfo p = Parsed(Rec(8, "kept") + "\x08" "dropped");
  EXPECT_EQ(p.Caption, "kept");
}

TEST(PictureInfoParseTest, NegativeColourValuesKeepTheirBits) {
  EXPECT_EQ(Parsed(Rec(47, "-1")).BackgroundColor, 0xFFFFFFFFu);
  EXPECT_EQ(Parsed(Rec(48, "16711680")).GradientColor1, 0xFF0000u);
}

TEST(PictureInfoParseTest, RecordWithoutTypeTagIsJpeg) {
  const TPictureInfo p = Parsed(Rec(1, "0") + Rec(2, "photo.png") + Rec(3, "1000"));
  EXPECT_EQ(p.TypeCode, 2);
  EXPECT_EQ(p.FileName, "photo.png");
}

TEST(PictureInfoParseTest, NonIntegerValueRaisesAndKeepsEarlierValues) {
  ScriptedRandom random;
  TPictureInfo p(random);
  try {
    p.ParsePicture(Rec(1, "4") + Rec(3, "abc") + Rec(8, "never"));
    FAIL() << "no conversion error";
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(p.Number, 4);
  EXPECT_TRUE(p.Caption.empty());
  EXPECT_THROW(Parsed(Rec(35, "")), ConversionError);
  EXPECT_THROW(Parsed(Rec(35, "99999999999")), ConversionError);
  EXPECT_THROW(Parsed(Rec(10, "1.5")), ConversionError);
}

TEST(PictureInfoTest, BackgroundPicturesNeedABlankBeforeTheNumber) {
  TPictureInfo p = Parsed(Rec(58, " 0; 2;"));
  EXPECT_TRUE(p.AllowsBackgroundPicture(0));
  EXPECT_FALSE(p.AllowsBackgroundPicture(1));
  EXPECT_TRUE(p.AllowsBackgroundPicture(2));
  EXPECT_FALSE(p.AllowsBackgroundPicture(12));

  p = Parsed(Rec(58, " 12;"));
  EXPECT_TRUE(p.AllowsBackgroundPicture(12));
  EXPECT_FALSE(p.AllowsBackgroundPicture(2));
  EXPECT_FALSE(Parsed(Rec(58, "0;1;")).AllowsBackgroundPicture(0));
}

}  // namespace
}  // namespace project
