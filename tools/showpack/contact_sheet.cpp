#include "contact_sheet.h"

#include <algorithm>
#include <numeric>

#include "project/picture_type.h"
#include "raster/canvas.h"
#include "transitions/ssb_array.h"
#include "transitions/transition_names.h"

namespace showpack {
namespace {

constexpr raster::Pixel kSheetColor = raster::MakePixel(30, 30, 34);
constexpr raster::Pixel kEmptyThumbnail = raster::MakePixel(60, 60, 66);
constexpr raster::Pixel kTitleColor = raster::MakePixel(255, 255, 255);
constexpr raster::Pixel kFirstLineColor = raster::MakePixel(240, 240, 240);
constexpr raster::Pixel kLineColor = raster::MakePixel(180, 184, 190);
constexpr int kMargin = 16;
constexpr int kGap = 16;
constexpr int kLabelGap = 6;
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

project::TFontSpec LabelFont(int height, bool bold) {
  project::TFontSpec font;
  font.Name = "Arial";
  font.Height = height;
  font.Bold = bold;
  return font;
}

std::string TransitionsText(const project::TPictureInfo& record) {
  transitions::TSSBArray list;
  try {
    list.LoadFromText(record.Transitions);
  } catch (const std::exception&) {
    return "transitions: a list that cannot be read";
  }
  const std::vector<int32_t>& numbers = list.Entries();
  if (numbers.empty()) return "no transition";
  const std::string order = record.RandomTransition ? "at random" : "in turn";
  std::vector<int32_t> all(transitions::kTransitionCount);
  std::iota(all.begin(), all.end(), 0);
  if (numbers == all) return "all " + std::to_string(all.size()) + " transitions " + order;
  std::string text = order + ":";
  for (std::size_t k = 0; k < numbers.size(); ++k) {
    const std::string_view name = transitions::TransitionName(numbers[k]);
    text += (k ? ", " : " ") + std::to_string(numbers[k]) + (name.empty() ? "" : " " + std::string(name));
  }
  return text;
}

// `line` cut at a character boundary and ended with "…" so that it is at most
// `width` pixels wide.
std::string Fitted(const std::string& line, int width, const project::TFontSpec& font, player::TextRenderer& text) {
  if (text.Measure(font, line).width <= width) return line;
  std::string kept = line;
  while (!kept.empty()) {
    // Drop the last character: its continuation bytes, then its lead byte.
    while (kept.size() > 1 && (static_cast<unsigned char>(kept.back()) & 0xC0) == 0x80) kept.pop_back();
    kept.pop_back();
    if (text.Measure(font, kept + std::string(kEllipsis)).width <= width) return kept + std::string(kEllipsis);
  }
  return std::string(kEllipsis);
}

}  // namespace

raster::Bitmap Thumbnail(const raster::Bitmap& picture) {
  const player::Size size = player::FitWithin({picture.Width(), picture.Height()}, kThumbnailBox);
  raster::Bitmap thumbnail(std::max(size.width, 1), std::max(size.height, 1));
  raster::Canvas(thumbnail).ResampleHighQuality(thumbnail.Bounds(), picture, picture.Bounds());
  return thumbnail;
}

std::vector<std::string> ItemLabel(const project::TPictureInfo& record) {
  std::string heading = std::to_string(record.Number) + "  ";
  heading += !record.ShowCaption ? "(caption off) " + record.Caption : record.Caption.empty() ? "(no caption)" : record.Caption;
  std::string kind;
  switch (record.Kind) {
    case 0: kind = "picture, " + std::string(project::PictureTypeName(record.TypeCode)); break;
    case 1: kind = "Flash movie"; break;
    case 2: kind = "video clip"; break;
    default: kind = "item of kind " + std::to_string(record.Kind); break;
  }
  if (record.BackgroundOnly) return {heading, kind + ", background only", "never shown as a slide"};
  return {heading, kind + ", speed " + std::to_string(record.TransitionSpeed), TransitionsText(record)};
}

raster::Bitmap LayContactSheet(const std::string& title, const std::vector<SheetEntry>& entries,
                               player::TextRenderer& text) {
  const project::TFontSpec titleFont = LabelFont(-20, true), firstFont = LabelFont(-13, true),
                           lineFont = LabelFont(-13, false);
  int cellWidth = 1, thumbHeight = 1;
  std::size_t lineCount = 0;
  for (const SheetEntry& entry : entries) {
    cellWidth = std::max(cellWidth, entry.thumbnail.Width());
    thumbHeight = std::max(thumbHeight, entry.thumbnail.Height());
    lineCount = std::max(lineCount, entry.lines.size());
  }
  cellWidth = std::max(cellWidth, kThumbnailBox.width * 3 / 4);  // room for the labels
  const int lineHeight = text.Measure(lineFont, "Afjh").height;
  const int cellHeight = thumbHeight + kLabelGap + static_cast<int>(lineCount) * lineHeight;
  const int columns = std::clamp(static_cast<int>(entries.size()), 1, kSheetColumns);
  const int rows = (static_cast<int>(entries.size()) + columns - 1) / columns;
  const int titleHeight = text.Measure(titleFont, title).height;
  const int width = 2 * kMargin + columns * cellWidth + (columns - 1) * kGap;
  const int top = kMargin + titleHeight + kGap;
  const int height = top + rows * cellHeight + std::max(rows - 1, 0) * kGap + kMargin;

  raster::Bitmap sheet(width, height, kSheetColor);
  raster::Canvas canvas(sheet);
  text.Draw(sheet, titleFont, {kMargin, kMargin}, Fitted(title, width - 2 * kMargin, titleFont, text), kTitleColor);
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const SheetEntry& entry = entries[k];
    const int left = kMargin + static_cast<int>(k % static_cast<std::size_t>(columns)) * (cellWidth + kGap);
    const int cellTop = top + static_cast<int>(k / static_cast<std::size_t>(columns)) * (cellHeight + kGap);
    if (entry.thumbnail.IsEmpty()) {
      canvas.FillRect({left, cellTop, left + cellWidth, cellTop + thumbHeight}, kEmptyThumbnail);
    } else {
      canvas.Draw({left + (cellWidth - entry.thumbnail.Width()) / 2, cellTop + (thumbHeight - entry.thumbnail.Height()) / 2},
                  entry.thumbnail);
    }
    for (std::size_t n = 0; n < entry.lines.size(); ++n) {
      const project::TFontSpec& font = n == 0 ? firstFont : lineFont;
      const int y = cellTop + thumbHeight + kLabelGap + static_cast<int>(n) * lineHeight;
      text.Draw(sheet, font, {left, y}, Fitted(entry.lines[n], cellWidth, font, text),
                n == 0 ? kFirstLineColor : kLineColor);
    }
  }
  return sheet;
}

}  // namespace showpack
