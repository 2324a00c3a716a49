#include "project/picture_info.h"

#include <array>
#include <type_traits>
#include <variant>

#include "base/codepage.h"
#include "project/color_tables.h"
#include "project/record_text.h"

namespace project {
namespace {

constexpr int kCaptionPoints = 18;
constexpr int kTextPoints = 12;
constexpr int kTransitionCount = 161;
constexpr int kRandomGradientPairs = 8;  // defaults use the first eight pairs only
constexpr int kTileCountBase = 20;
constexpr int kTileCountSpread = 20;

// First tags of the two font groups: charset, colour, height, name, style.
constexpr uint8_t kCaptionFontTag = 9;
constexpr uint8_t kTextFontTag = 19;
constexpr uint8_t kFontTagCount = 5;

struct TextField {
  std::string TPictureInfo::*member;
  std::size_t limit;
};
using FieldRef = std::variant<int32_t TPictureInfo::*, ColorRef TPictureInfo::*, bool TPictureInfo::*, TextField>;

struct TagField {
  uint8_t tag;
  FieldRef field;
};

using P = TPictureInfo;
const std::array kFields = {
    TagField{1, &P::Number},
    TagField{2, TextField{&P::FileName, kFileNameLimit}},
    TagField{3, &P::Size},
    TagField{5, &P::Transparent},
    TagField{6, &P::PlayMusic},
    TagField{7, &P::ShowCaption},
    TagField{8, TextField{&P::Caption, kCaptionLimit}},
    TagField{14, &P::CaptionPosition},
    TagField{15, &P::CaptionX},
    TagField{16, &P::CaptionY},
    TagField{17, &P::ShowText},
    TagField{24, TextField{&P::Text, kTextLimit}},
    TagField{25, &P::TextPosition},
    TagField{26, &P::TextX},
    TagField{27, &P::TextY},
    TagField{34, &P::RandomTransition},
    TagField{35, &P::TransitionSpeed},
    TagField{36, TextField{&P::Transitions, kTransitionsLimit}},
    TagField{45, &P::TypeCode},
    TagField{46, TextField{&P::BackgroundKinds, kBackgroundKindsLimit}},
    TagField{47, &P::BackgroundColor},
    TagField{48, &P::GradientColor1},
    TagField{49, &P::GradientColor2},
    TagField{50, TextField{&P::GradientStyles, kGradientStylesLimit}},
    TagField{52, &P::Kind},
    TagField{53, &P::VideoSize},
    TagField{54, &P::FlashAlignMode},
    TagField{55, &P::FlashScaleMode},
    TagField{56, &P::FlashBackgroundColor},
    TagField{57, TextField{&P::BackgroundSources, kBackgroundSourcesLimit}},
    TagField{58, TextField{&P::BackgroundPictures, kBackgroundPicturesLimit}},
    TagField{59, &P::RandomGradientColors},
    TagField{60, &P::RandomBackgroundColor},
    TagField{61, &P::BackgroundPictureMode},
    TagField{62, &P::TileCount},
    TagField{63, &P::BackgroundOnly},
    TagField{64, &P::RandomTileCount},
    TagField{65, &P::FlashStopMode},
    TagField{66, &P::FlashStopFrame},
    TagField{67, &P::FlashStopOnWrap},
    TagField{68, &P::FlashNeverStop},
    TagField{69, &P::FlashStopTicks},
    TagField{70, &P::FlashGetsMoves},
    TagField{71, &P::FlashGetsClicks},
};

// Each style digit a value contains adds its style; nothing is ever removed.
void AddFontStyles(TFontSpec& font, std::string_view value) {
  const auto has = [value](char digit) { return value.find(digit) != std::string_view::npos; };
  font.Bold = font.Bold || has('1');
  font.Italic = font.Italic || has('2');
  font.Underline = font.Underline || has('3');
  font.StrikeOut = font.StrikeOut || has('4');
}

// Font field `index` (0 charset, 1 colour, 2 height, 3 name, 4 style).
void ApplyFontField(TFontSpec& font, int index, std::string_view value) {
  switch (index) {
    case 0: font.Charset = IntegerValue(value); break;
    case 1: font.Color = static_cast<ColorRef>(IntegerValue(value)); break;
    case 2: font.Height = IntegerValue(value); break;
    case 3: font.Name = base::Utf8FromWindows1252(value); break;
    default: AddFontStyles(font, value); break;
  }
}

ColorRef RandomStandardColor(base::Random& random) {
  return StandardColors.at(static_cast<std::size_t>(random.Next(kStandardColorCount)));
}

std::string AllTransitions() {
  std::string list;
  for (int i = 0; i < kTransitionCount; ++i) list += std::to_string(i) + ";";
  return list;
}

}  // namespace

int FontHeightForPoints(int points) {
  // MulDiv rounds half away from zero.
  const int scaled = points * 96;
  return -((scaled + (scaled >= 0 ? 36 : -36)) / 72);
}

TPictureInfo::TPictureInfo(base::Random& random) : Transitions(AllTransitions()) {
  CaptionFont.Height = FontHeightForPoints(kCaptionPoints);
  TextFont.Height = FontHeightForPoints(kTextPoints);
  // The order of these draws is part of the behaviour: seeded shows repeat.
  CaptionFont.Color = RandomStandardColor(random);
  TextFont.Color = RandomStandardColor(random);
  BackgroundColor = RandomStandardColor(random);
  const TColorPair& pair = GradientColorPairs.at(static_cast<std::size_t>(random.Next(kRandomGradientPairs)));
  GradientColor1 = pair.First;
  GradientColor2 = pair.Second;
  TileCount = kTileCountBase + random.Next(kTileCountSpread);
}

void TPictureInfo::ParsePicture(std::string_view record) {
  ForEachRecord(record, [this](uint8_t tag, std::string_view value) { ApplyTag(tag, value); });
}

void TPictureInfo::ApplyTag(uint8_t tag, std::string_view value) {
  if (tag >= kCaptionFontTag && tag < kCaptionFontTag + kFontTagCount) {
    ApplyFontField(CaptionFont, tag - kCaptionFontTag, value);
    return;
  }
  if (tag >= kTextFontTag && tag < kTextFontTag + kFontTagCount) {
    ApplyFontField(TextFont, tag - kTextFontTag, value);
    return;
  }
  for (const TagField& entry : kFields) {
    if (entry.tag != tag) continue;
    std::visit(
        [this, value](const auto& field) {
          using Field = std::decay_t<decltype(field)>;
          if constexpr (std::is_same_v<Field, int32_t TPictureInfo::*>) {
            this->*field = IntegerValue(value);
          } else if constexpr (std::is_same_v<Field, ColorRef TPictureInfo::*>) {
            this->*field = static_cast<ColorRef>(IntegerValue(value));
          } else if constexpr (std::is_same_v<Field, bool TPictureInfo::*>) {
            this->*field = BooleanValue(value);
          } else {
            // Cut to the stored limit first: the limits count stored bytes.
            this->*field.member = base::Utf8FromWindows1252(value.substr(0, field.limit));
          }
        },
        entry.field);
    return;
  }
  // Any other tag is skipped with its value.
}

bool TPictureInfo::AllowsBackgroundPicture(int n) const {
  std::string entry = " ";
  entry += std::to_string(n);
  entry += ';';
  return BackgroundPictures.find(entry) != std::string::npos;
}

}  // namespace project
