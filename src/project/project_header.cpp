// The project header: tagged records read into the fields of TProjectInfo.
// Texts are stored as Windows-1252 and kept as UTF-8.
#include <variant>

#include "base/codepage.h"
#include "project/project_info.h"
#include "project/record_text.h"

namespace project {
namespace {

using BoolField = bool TProjectInfo::*;
using IntField = int32_t TProjectInfo::*;
using TextField = std::string TProjectInfo::*;

struct HeaderTag {
  uint8_t tag;
  std::variant<BoolField, IntField, TextField> field;
};

constexpr HeaderTag kHeaderTags[] = {
    {3, &TProjectInfo::RandomPlacement},    {4, &TProjectInfo::RandomOrder},
    {5, &TProjectInfo::SlideSeconds},       {6, &TProjectInfo::LoopMusic},
    {7, &TProjectInfo::MusicPauseTicks},    {8, &TProjectInfo::RandomMusic},
    {9, &TProjectInfo::ShowDialogImage},    {15, &TProjectInfo::ShowAuthorInfo},
    {16, &TProjectInfo::AuthorName},        {17, &TProjectInfo::ShowAuthorWebSite},
    {18, &TProjectInfo::AuthorWebSite},     {19, &TProjectInfo::ShowAuthorEmail},
    {20, &TProjectInfo::AuthorEmail},       {24, &TProjectInfo::ShowHelpMenu},
    {26, &TProjectInfo::Version},           {27, &TProjectInfo::Copyright},
    {28, &TProjectInfo::ShowDescription},   {29, &TProjectInfo::Description},
    {30, &TProjectInfo::ProjectName},       {31, &TProjectInfo::DialogImageFile},
    {34, &TProjectInfo::RightClickMenu},    {38, &TProjectInfo::PicturesEmbedded},
    {39, &TProjectInfo::MediaEmbedded},     {40, &TProjectInfo::ComposeMode},
    {41, &TProjectInfo::FitMode},           {93, &TProjectInfo::FilesBesideProgram},
};

constexpr uint8_t kMusicFileTag = 1;
constexpr uint8_t kFirstUiTextTag = 42;

}  // namespace

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
    for (const HeaderTag& entry : kHeaderTags) {
      if (entry.tag != tag) continue;
      if (auto* b = std::get_if<BoolField>(&entry.field)) this->*(*b) = BooleanValue(value);
      if (auto* i = std::get_if<IntField>(&entry.field)) this->*(*i) = IntegerValue(value);
      if (auto* t = std::get_if<TextField>(&entry.field)) this->*(*t) = base::Utf8FromWindows1252(value);
      return;
    }
    // Any other tag is skipped with its value.
  });
}

void TProjectInfo::ReadHeader() { ParseHeader(ReadBlock(Index.HeaderStart, Index.IndexStart)); }

}  // namespace project
