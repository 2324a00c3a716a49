// The project header: tagged records read into the fields of TProjectInfo.
// Texts are stored as Windows-1252 and kept as UTF-8.
#include <type_traits>
#include <variant>

#include "base/codepage.h"
#include "project/header_fields.h"
#include "project/project_info.h"
#include "project/record_text.h"

namespace project {
namespace {

using I = TProjectInfo;
constexpr HeaderField kHeaderFields[] = {
    {3, "RandomPlacement", &I::RandomPlacement},     {4, "RandomOrder", &I::RandomOrder},
    {5, "SlideSeconds", &I::SlideSeconds},           {6, "LoopMusic", &I::LoopMusic},
    {7, "MusicPauseTicks", &I::MusicPauseTicks},     {8, "RandomMusic", &I::RandomMusic},
    {9, "ShowDialogImage", &I::ShowDialogImage},     {15, "ShowAuthorInfo", &I::ShowAuthorInfo},
    {16, "AuthorName", &I::AuthorName},              {17, "ShowAuthorWebSite", &I::ShowAuthorWebSite},
    {18, "AuthorWebSite", &I::AuthorWebSite},        {19, "ShowAuthorEmail", &I::ShowAuthorEmail},
    {20, "AuthorEmail", &I::AuthorEmail},            {24, "ShowHelpMenu", &I::ShowHelpMenu},
    {26, "Version", &I::Version},                    {27, "Copyright", &I::Copyright},
    {28, "ShowDescription", &I::ShowDescription},    {29, "Description", &I::Description},
    {30, "ProjectName", &I::ProjectName},            {kDialogImageFileTag, "DialogImageFile", &I::DialogImageFile},
    {34, "RightClickMenu", &I::RightClickMenu},      {38, "PicturesEmbedded", &I::PicturesEmbedded},
    {39, "MediaEmbedded", &I::MediaEmbedded},        {40, "ComposeMode", &I::ComposeMode},
    {41, "FitMode", &I::FitMode},                    {93, "FilesBesideProgram", &I::FilesBesideProgram},
};

constexpr NamedUiText kNamedUiTexts[] = {
    {"VersionLabelText", kVersionLabelText},     {"MemoryLabelText", kMemoryLabelText},
    {"FileNotFoundText", kFileNotFoundText},     {"MenuSettingCaption", kMenuSettingCaption},
    {"MenuStopCaption", kMenuStopCaption},
};

}  // namespace

std::span<const HeaderField> HeaderFields() { return kHeaderFields; }
std::span<const NamedUiText> NamedUiTexts() { return kNamedUiTexts; }

const HeaderField* FindHeaderField(std::string_view name) {
  for (const HeaderField& field : kHeaderFields)
    if (field.name == name) return &field;
  return nullptr;
}

void TProjectInfo::ParseHeader(std::string_view text) {
  ForEachRecord(text, [this](uint8_t tag, std::string_view value) {
    if (tag == kMusicFileTag) {
      MusicFiles.push_back(base::Utf8FromWindows1252(value));
      return;
    }
    if (tag >= kFirstUiTextTag && tag < kFirstUiTextTag + kUiTextCount) {
      UiTexts[tag - kFirstUiTextTag] = base::Utf8FromWindows1252(value);
      return;
    }
    for (const HeaderField& entry : kHeaderFields) {
      if (entry.tag != tag) continue;
      std::visit(
          [&](auto member) {
            using Value = std::remove_reference_t<decltype(this->*member)>;
            if constexpr (std::is_same_v<Value, bool>)
              this->*member = BooleanValue(value);
            else if constexpr (std::is_same_v<Value, int32_t>)
              this->*member = IntegerValue(value);
            else
              this->*member = base::Utf8FromWindows1252(value);
          },
          entry.member);
      return;
    }
    // Any other tag is skipped with its value.
  });
}

void TProjectInfo::ReadHeader() {
  if (Index.HasHeaderBlock()) ParseHeader(ReadBlock(Index.HeaderStart, Index.IndexStart));
}

}  // namespace project
