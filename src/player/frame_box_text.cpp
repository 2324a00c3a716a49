#include "player/frame_box_text.h"

#include <algorithm>
#include <cstdint>

#include "raster/canvas.h"

namespace player {

TextExtent BoxTextRenderer::Measure(const project::TFontSpec&, std::string_view text) {
  const int64_t width = int64_t{charWidth_} * static_cast<int64_t>(text.size());
  return {static_cast<int>(std::min<int64_t>(width, INT32_MAX)), std::max(charHeight_, 0)};
}

void BoxTextRenderer::Draw(raster::Bitmap& target, const project::TFontSpec& font, raster::Point at,
                           std::string_view text, raster::Pixel color) {
  const TextExtent extent = Measure(font, text);
  // Positions come from project data: keep the far edges inside the int range.
  const auto edge = [](int from, int length) {
    return static_cast<int>(std::min<int64_t>(int64_t{from} + length, INT32_MAX));
  };
  raster::Canvas(target).FillRect({at.x, at.y, edge(at.x, extent.width), edge(at.y, extent.height)},
                                  color | 0xFF000000u);
}

}  // namespace player
