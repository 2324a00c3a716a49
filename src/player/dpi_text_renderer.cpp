#include "player/dpi_text_renderer.h"

namespace player {

const project::TFontSpec& DpiTextRenderer::AtDpi(const project::TFontSpec& font) {
  scaled_ = font;
  scaled_.Height = base::ScaleToDpi(font.Height, dpi_);
  return scaled_;
}

TextExtent DpiTextRenderer::Measure(const project::TFontSpec& font, std::string_view text) {
  return inner_.Measure(AtDpi(font), text);
}

void DpiTextRenderer::Draw(raster::Bitmap& target, const project::TFontSpec& font, raster::Point at,
                           std::string_view text, raster::Pixel color) {
  inner_.Draw(target, AtDpi(font), at, text, color);
}

}  // namespace player
