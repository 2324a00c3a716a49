#include "inspect.h"

#include <variant>

#include "base/random.h"
#include "project/header_fields.h"
#include "project/project_info.h"

namespace showpack {
namespace {

template <typename T>
void PrintList(std::ostream& out, const char* name, const std::vector<T>& values) {
  out << name << ":";
  for (const auto& v : values) out << ' ' << v;
  out << '\n';
}

// Text values are printed in quotes, with control bytes escaped.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      const char* hex = "0123456789abcdef";
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

void PrintFont(std::ostream& out, const char* name, const project::TFontSpec& font) {
  out << "  " << name << ": Name=" << Quoted(font.Name) << " Height=" << font.Height << " Charset=" << font.Charset
      << " Color=" << font.Color << " Style=" << (font.Bold ? "bold " : "") << (font.Italic ? "italic " : "")
      << (font.Underline ? "underline " : "") << (font.StrikeOut ? "strikeout" : "") << '\n';
}

}  // namespace

void InspectScreensaver(const std::string& path, std::ostream& out) {
  project::StdProjectServices services;
  project::TProjectInfo info(path, services);
  if (!info.HasProgramFile()) throw std::runtime_error("cannot open " + path);
  info.ReadHeader();
  base::SeededRandom random(1);
  info.ReadPictures(random);

  out << "[index]\n";
  PrintList(out, "ItemOffsets", info.Index.ItemOffsets);
  PrintList(out, "MusicOffsets", info.Index.MusicOffsets);
  out << "PictureRecordsStart: " << info.Index.PictureRecordsStart << '\n'
      << "HeaderStart: " << info.Index.HeaderStart << '\n'
      << "IndexStart: " << info.Index.IndexStart << '\n';

  out << "\n[project]\n";
  for (const project::HeaderField& field : project::HeaderFields()) {
    out << field.name << ": ";
    std::visit(
        [&](auto member) {
          const auto& value = info.*member;
          if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>)
            out << Quoted(value);
          else if constexpr (std::is_same_v<std::decay_t<decltype(value)>, bool>)
            out << (value ? "true" : "false");
          else
            out << value;
        },
        field.member);
    out << '\n';
  }
  out << "MusicFiles:";
  for (const auto& music : info.MusicFiles) out << ' ' << Quoted(music);
  out << '\n';
  for (int k = 0; k < project::kUiTextCount; ++k)
    if (!info.UiTexts[static_cast<size_t>(k)].empty())
      out << "UiText" << k << ": " << Quoted(info.UiTexts[static_cast<size_t>(k)]) << '\n';

  for (const auto& pic : info.Pictures) {
    const project::TPictureInfo& p = *pic;
    out << "\n[item " << p.Number << "]\n"
        << "  FileName: " << Quoted(p.FileName) << "\n  Size: " << p.Size << "\n  TypeCode: " << p.TypeCode
        << "\n  Kind: " << p.Kind << "\n  Transparent: " << p.Transparent << "\n  PlayMusic: " << p.PlayMusic
        << "\n  ShowCaption: " << p.ShowCaption << "\n  Caption: " << Quoted(p.Caption)
        << "\n  CaptionPosition: " << p.CaptionPosition << "\n  CaptionX: " << p.CaptionX
        << "\n  CaptionY: " << p.CaptionY << '\n';
    PrintFont(out, "CaptionFont", p.CaptionFont);
    out << "  ShowText: " << p.ShowText << "\n  Text: " << Quoted(p.Text) << '\n';
    PrintFont(out, "TextFont", p.TextFont);
    out << "  TextPosition: " << p.TextPosition << "\n  TextX: " << p.TextX << "\n  TextY: " << p.TextY
        << "\n  RandomTransition: " << p.RandomTransition << "\n  TransitionSpeed: " << p.TransitionSpeed
        << "\n  Transitions: " << Quoted(p.Transitions) << "\n  BackgroundKinds: " << Quoted(p.BackgroundKinds)
        << "\n  BackgroundColor: " << p.BackgroundColor << "\n  RandomBackgroundColor: " << p.RandomBackgroundColor
        << "\n  GradientColor1: " << p.GradientColor1 << "\n  GradientColor2: " << p.GradientColor2
        << "\n  RandomGradientColors: " << p.RandomGradientColors
        << "\n  GradientStyles: " << Quoted(p.GradientStyles) << "\n  BackgroundSources: "
        << Quoted(p.BackgroundSources) << "\n  BackgroundPictures: " << Quoted(p.BackgroundPictures)
        << "\n  BackgroundPictureMode: " << p.BackgroundPictureMode << "\n  TileCount: " << p.TileCount
        << "\n  RandomTileCount: " << p.RandomTileCount << "\n  BackgroundOnly: " << p.BackgroundOnly
        << "\n  VideoSize: " << p.VideoSize << "\n  FlashBackgroundColor: " << p.FlashBackgroundColor
        << "\n  FlashAlignMode: " << p.FlashAlignMode << "\n  FlashScaleMode: " << p.FlashScaleMode
        << "\n  FlashStopMode: " << p.FlashStopMode << "\n  FlashStopFrame: " << p.FlashStopFrame
        << "\n  FlashStopOnWrap: " << p.FlashStopOnWrap << "\n  FlashNeverStop: " << p.FlashNeverStop
        << "\n  FlashStopTicks: " << p.FlashStopTicks << "\n  FlashGetsMoves: " << p.FlashGetsMoves
        << "\n  FlashGetsClicks: " << p.FlashGetsClicks << '\n';
  }
}

}  // namespace showpack
