// One picture record: a show item (picture, Flash movie or video clip, or a
// background-only picture), where its bytes are and how its slide is dressed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>
#include <string>
#include <string_view>

#include "base/random.h"
#include "project/picture_type.h"
#include "raster/color.h"

namespace project {

using raster::ColorRef;

// A font as the records describe it; the Windows text layer turns it into a
// LOGFONT. Height is a Windows font height on a 96 dpi screen (negative values
// are the character height in pixels there); text is drawn at the monitor's
// DPI, so a 12-point font is 16 pixels high at 96 dpi and 24 at 144 dpi.
struct TFontSpec {
  static constexpr int kDefaultCharset = 1;  // DEFAULT_CHARSET
  // The face used when a record names none: present on every Windows system
  // and a scalable TrueType face, so the 18 and 12 point defaults look right.
  static constexpr const char* kDefaultName = "Arial";

  int Charset = kDefaultCharset;
  ColorRef Color = 0;
  int Height = 0;
  std::string Name = kDefaultName;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;

  friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

// The font height of a point size on a 96 dpi screen: -MulDiv(points, 96, 72).
int FontHeightForPoints(int points);

// Length limits of the text fields; longer values are cut.
constexpr std::size_t kFileNameLimit = 255;
constexpr std::size_t kCaptionLimit = 100;
constexpr std::size_t kTextLimit = 4095;
constexpr std::size_t kTransitionsLimit = 1024;
constexpr std::size_t kBackgroundKindsLimit = 10;
constexpr std::size_t kGradientStylesLimit = 50;
constexpr std::size_t kBackgroundSourcesLimit = 10;
constexpr std::size_t kBackgroundPicturesLimit = 300;

// Item kinds (Kind).
constexpr int32_t kPictureItem = 0;
constexpr int32_t kFlashItem = 1;
constexpr int32_t kVideoItem = 2;

// The description shown when a record has no text of its own.
inline constexpr std::string_view kDefaultText = "https://example.org";

class TPictureInfo {
 public:
  // Sets every default. Five numbers are drawn from `random`, in this order:
  // caption colour, text colour, background colour, gradient pair, tile count.
  explicit TPictureInfo(base::Random& random);

  // Applies one picture record (tagged values ended by 0x80). Throws
  // ConversionError on an integer value that is not one; the values applied
  // before it stay.
  void ParsePicture(std::string_view record);

  // Whether background-only picture n is allowed for this slide: the list
  // holds a blank, the number and ";".
  bool AllowsBackgroundPicture(int n) const;

  int32_t Number = 0;
  std::string FileName;
  int32_t Size = 0;
  int32_t TypeCode = PictureType::Jpeg;
  int32_t Kind = kPictureItem;
  bool Transparent = false;
  bool PlayMusic = true;

  bool ShowCaption = true;
  std::string Caption;
  TFontSpec CaptionFont;
  int32_t CaptionPosition = 0;
  int32_t CaptionX = 0;
  int32_t CaptionY = 0;

  bool ShowText = true;
  std::string Text{kDefaultText};
  TFontSpec TextFont;
  int32_t TextPosition = 3;
  int32_t TextX = 0;
  int32_t TextY = 0;

  bool RandomTransition = true;
  int32_t TransitionSpeed = 25;
  std::string Transitions;  // every number 0..160, each followed by ";"

  std::string BackgroundKinds = "0;1;2;";
  ColorRef BackgroundColor = 0;
  bool RandomBackgroundColor = true;
  ColorRef GradientColor1 = 0;
  ColorRef GradientColor2 = 0;
  bool RandomGradientColors = true;
  std::string GradientStyles = " 0; 1; 2; 3; 4; 5; 6; 7; 8; 9; 10; 11;";
  std::string BackgroundSources = "1;";
  std::string BackgroundPictures;
  int32_t BackgroundPictureMode = 2;
  int32_t TileCount = 20;
  bool RandomTileCount = true;
  bool BackgroundOnly = false;

  int32_t VideoSize = 0;

  // Settings of a Flash movie's window, in the order of FlashParams.
  ColorRef FlashBackgroundColor = 0;
  int32_t FlashAlignMode = 0;
  int32_t FlashScaleMode = 0;
  int32_t FlashStopMode = 0;
  int32_t FlashStopFrame = 0;
  bool FlashStopOnWrap = false;
  bool FlashNeverStop = false;
  int32_t FlashStopTicks = 0;
  bool FlashGetsMoves = false;
  bool FlashGetsClicks = false;

  // Not stored: the gradient style picked for the current showing.
  int32_t ChosenGradientStyle = 0;

 private:
  void ApplyTag(uint8_t tag, std::string_view value);
};

// A text field with the length it is cut to.
struct PictureTextField {
  std::string TPictureInfo::*member;
  std::size_t limit;
};

// A named field of the picture records with its tag: read by the program,
// written and printed by the authoring tool.
struct PictureField {
  uint8_t tag;
  std::string_view name;
  std::variant<int32_t TPictureInfo::*, ColorRef TPictureInfo::*, bool TPictureInfo::*, PictureTextField> member;
};

// Every field but the two fonts.
std::span<const PictureField> PictureFields();

// Tags with a rule of their own: the authoring tool writes the number, the
// file name, the size and the type code itself, and reads the kind to know
// where an item's bytes go.
constexpr uint8_t kNumberTag = 1;
constexpr uint8_t kFileNameTag = 2;
constexpr uint8_t kSizeTag = 3;
constexpr uint8_t kTypeCodeTag = 45;
constexpr uint8_t kKindTag = 52;

// The two font groups: five tags each from the group's first, in FontPart order.
constexpr uint8_t kCaptionFontTag = 9;
constexpr uint8_t kTextFontTag = 19;
enum class FontPart : uint8_t { Charset, Color, Height, Name, Style };
constexpr uint8_t kFontTagCount = 5;

}  // namespace project
