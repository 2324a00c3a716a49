#include "project/picture_info.h"

#include <array>
#include <type_traits>
#include <variant>

#include "base/codepage.h"
#include "base/dpi.h"
#include "project/color_tables.h"
#include "project/record_text.h"
#include "project/transition_numbers.h"

namespace project {
namespace {

constexpr int kCaptionPoints = 18;
constexpr int kTextPoints = 12;
constexpr int kRandomGradientPairs = 8;  // defaults use the first eight pairs only
constexpr int kTileCountBase = 20;
constexpr int kTileCountSpread = 20;

using P = TPictureInfo;
constexpr std::array kPictureFields = {
    PictureField{kNumberTag, "Number", &P::Number},
    PictureField{kFileNameTag, "FileName", PictureTextField{&P::FileName, kFileNameLimit}},
    PictureField{kSizeTag, "Size", &P::Size},
    PictureField{5, "Transparent", &P::Transparent},
    PictureField{6, "PlayMusic", &P::PlayMusic},
    PictureField{7, "ShowCaption", &P::ShowCaption},
    PictureField{8, "Caption", PictureTextField{&P::Caption, kCaptionLimit}},
    PictureField{14, "CaptionPosition", &P::CaptionPosition},
    PictureField{15, "CaptionX", &P::CaptionX},
    PictureField{16, "CaptionY", &P::CaptionY},
    PictureField{17, "ShowText", &P::ShowText},
    PictureField{24, "Text", PictureTextField{&P::Text, kTextLimit}},
    PictureField{25, "TextPosition", &P::TextPosition},
    PictureField{26, "TextX", &P::TextX},
    PictureField{27, "TextY", &P::TextY},
    PictureField{34, "RandomTransition", &P::RandomTransition},
    PictureField{35, "TransitionSpeed", &P::TransitionSpeed},
    PictureField{36, "Transitions", PictureTextField{&P::Transitions, kTransitionsLimit}},
    PictureField{kTypeCodeTag, "TypeCode", &P::TypeCode},
    PictureField{46, "BackgroundKinds", PictureTextField{&P::BackgroundKinds, kBackgroundKindsLimit}},
    PictureField{47, "BackgroundColor", &P::BackgroundColor},
    PictureField{48, "GradientColor1", &P::GradientColor1},
    PictureField{49, "GradientColor2", &P::GradientColor2},
    PictureField{50, "GradientStyles", PictureTextField{&P::GradientStyles, kGradientStylesLimit}},
    PictureField{kKindTag, "Kind", &P::Kind},
    PictureField{53, "VideoSize", &P::VideoSize},
    PictureField{54, "FlashAlignMode", &P::FlashAlignMode},
    PictureField{55, "FlashScaleMode", &P::FlashScaleMode},
    PictureField{56, "FlashBackgroundColor", &P::FlashBackgroundColor},
    PictureField{57, "BackgroundSources", PictureTextField{&P::BackgroundSources, kBackgroundSourcesLimit}},
    PictureField{58, "BackgroundPictures", PictureTextField{&P::BackgroundPictures, kBackgroundPicturesLimit}},
    PictureField{59, "RandomGradientColors", &P::RandomGradientColors},
    PictureField{60, "RandomBackgroundColor", &P::RandomBackgroundColor},
    PictureField{61, "BackgroundPictureMode", &P::BackgroundPictureMode},
    PictureField{62, "TileCount", &P::TileCount},
    PictureField{63, "BackgroundOnly", &P::BackgroundOnly},
    PictureField{64, "RandomTileCount", &P::RandomTileCount},
    PictureField{65, "FlashStopMode", &P::FlashStopMode},
    PictureField{66, "FlashStopFrame", &P::FlashStopFrame},
    PictureField{67, "FlashStopOnWrap", &P::FlashStopOnWrap},
    PictureField{68, "FlashNeverStop", &P::FlashNeverStop},
    PictureField{69, "FlashStopTicks", &P::FlashStopTicks},
    PictureField{70, "FlashGetsMoves", &P::FlashGetsMoves},
    PictureField{71, "FlashGetsClicks", &P::FlashGetsClicks},
};

// Each style digit a value contains adds its style; nothing is ever removed.
void AddFontStyles(TFontSpec& font, std::string_view value) {
  const auto has = [value](char digit) { return value.find(digit) != std::string_view::npos; };
  font.Bold = font.Bold || has('1');
  font.Italic = font.Italic || has('2');
  font.Underline = font.Underline || has('3');
  font.StrikeOut = font.StrikeOut || has('4');
}

void ApplyFontField(TFontSpec& font, FontPart part, std::string_view value) {
  switch (part) {
    case FontPart::Charset: font.Charset = IntegerValue(value); break;
    case FontPart::Color: font.Color = static_cast<ColorRef>(IntegerValue(value)); break;
    case FontPart::Height: font.Height = IntegerValue(value); break;
    case FontPart::Name: font.Name = base::Utf8FromWindows1252(value); break;
    case FontPart::Style: AddFontStyles(font, value); break;
  }
}

ColorRef RandomStandardColor(base::Random& random) {
  return StandardColors.at(static_cast<std::size_t>(random.Next(kStandardColorCount)));
}

}  // namespace

std::span<const PictureField> PictureFields() { return kPictureFields; }

int FontHeightForPoints(int points) { return base::FontHeightForPoints(points, base::kBaseDpi); }

TPictureInfo::TPictureInfo(base::Random& random) : Transitions(AllTransitionsList()) {
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
    ApplyFontField(CaptionFont, static_cast<FontPart>(tag - kCaptionFontTag), value);
    return;
  }
  if (tag >= kTextFontTag && tag < kTextFontTag + kFontTagCount) {
    ApplyFontField(TextFont, static_cast<FontPart>(tag - kTextFontTag), value);
    return;
  }
  for (const PictureField& entry : kPictureFields) {
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
        entry.member);
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
