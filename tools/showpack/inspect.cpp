#include "inspect.h"

#include <cstdint>
#include <variant>
#include <vector>

#include "base/random.h"
#include "imageformats/jpeg_header.h"
#include "project/header_fields.h"
#include "project/picture_info.h"
#include "project/picture_type.h"
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

// Where each music file is: its bytes inside the program, or its name beside it.
void PrintMusic(std::ostream& out, project::TProjectInfo& info) {
  for (size_t k = 0; k < info.MusicFiles.size(); ++k) {
    out << "Music" << k << ": " << Quoted(info.MusicFiles[k]);
    std::vector<uint8_t> bytes;
    if (!info.MediaEmbedded)
      out << " beside the program";
    else if (info.GetMusicStream(static_cast<int>(k), bytes))
      out << ' ' << bytes.size() << " bytes in the program";
    else
      out << " missing from the program";
    out << '\n';
  }
}

// The EXIF orientation of a JPEG item, which the screensaver applies.
void PrintOrientation(std::ostream& out, project::TProjectInfo& info, const project::TPictureInfo& pic) {
  static constexpr const char* kMeaning[9] = {"",
                                              "as stored",
                                              "shown mirrored left to right",
                                              "shown turned half round",
                                              "shown mirrored top to bottom",
                                              "shown mirrored along the diagonal",
                                              "shown turned a quarter clockwise",
                                              "shown mirrored along the other diagonal",
                                              "shown turned a quarter anticlockwise"};
  std::vector<uint8_t> bytes;
  int typeCode = pic.TypeCode;
  if (pic.Kind != project::kPictureItem || !info.GetPictureStream(pic.Number, bytes, typeCode) ||
      typeCode != project::PictureType::Jpeg)
    return;
  const auto header = imageformats::ReadJpegHeader(bytes);
  const int orientation = header ? header->orientation : 1;
  out << "  Orientation: " << orientation << " (" << kMeaning[orientation] << ")\n";
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
  PrintMusic(out, info);
  for (int k = 0; k < project::kUiTextCount; ++k)
    if (!info.UiTexts[static_cast<size_t>(k)].empty())
      out << "UiText" << k << ": " << Quoted(info.UiTexts[static_cast<size_t>(k)]) << '\n';

  for (const auto& pic : info.Pictures) {
    out << "\n[item " << pic->Number << "]\n";
    for (const project::PictureField& field : project::PictureFields()) {
      out << "  " << field.name << ": ";
      std::visit(
          [&](const auto& member) {
            using Member = std::decay_t<decltype(member)>;
            if constexpr (std::is_same_v<Member, project::PictureTextField>)
              out << Quoted((*pic).*member.member);
            else if constexpr (std::is_same_v<Member, bool project::TPictureInfo::*>)
              out << ((*pic).*member ? "true" : "false");
            else
              out << (*pic).*member;
          },
          field.member);
      out << '\n';
      if (field.tag == 8) PrintFont(out, "CaptionFont", pic->CaptionFont);
      if (field.tag == 24) PrintFont(out, "TextFont", pic->TextFont);
    }
    PrintOrientation(out, info, *pic);
  }
}

}  // namespace showpack
