#include "player/frame_text.h"

#include <algorithm>
#include <cstdint>

namespace player {
namespace {

// Coordinates from the table stay in the int range whatever the project says.
int Clamped(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

raster::Point TextBlockPosition(int position, Size block, Size area, raster::Point own) {
  if (position == 9) return own;
  if (position < 0 || position > 8) return {0, 0};
  const int64_t w = area.width, h = area.height, bw = block.width, bh = block.height;
  int64_t x = 0, y = 0;
  switch (position % 3) {
    case 0: x = (w - bw) / 2; break;
    case 1: x = 0; break;
    default: x = w - bw - kRightMargin; break;
  }
  switch (position / 3) {
    case 0: y = 0; break;
    case 1: y = h - bh; break;
    default: y = (h - bh) / 2; break;
  }
  return {Clamped(x), Clamped(y)};
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

void DrawCaption(const project::TPictureInfo& record, raster::Bitmap& bitmap, Size area, TextRenderer& text) {
  if (!record.ShowCaption) return;
  const TextExtent extent = text.Measure(record.CaptionFont, record.Caption);
  const raster::Point at = TextBlockPosition(record.CaptionPosition, {extent.width, extent.height}, area,
                                             {record.CaptionX, record.CaptionY});
  text.Draw(bitmap, record.CaptionFont, at, record.Caption, raster::PixelFromColorRef(record.CaptionFont.Color));
}

void DrawDescription(const project::TPictureInfo& record, raster::Bitmap& bitmap, Size area, TextRenderer& text) {
  if (!record.ShowText || record.Text.empty()) return;
  const std::vector<std::string_view> lines = SplitLines(record.Text);
  const int lineHeight = text.Measure(record.TextFont, "Afjh").height;
  int blockWidth = -1;
  for (std::string_view line : lines) blockWidth = std::max(blockWidth, text.Measure(record.TextFont, line).width);
  const int blockHeight = Clamped(int64_t{lineHeight} * static_cast<int64_t>(lines.size()));
  const raster::Point at =
      TextBlockPosition(record.TextPosition, {blockWidth, blockHeight}, area, {record.TextX, record.TextY});
  const raster::Pixel color = raster::PixelFromColorRef(record.TextFont.Color);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int y = Clamped(int64_t{at.y} + int64_t{lineHeight} * static_cast<int64_t>(i));
    text.Draw(bitmap, record.TextFont, {at.x, y}, lines[i], color);
  }
}

}  // namespace player
