// A text renderer with fixed metrics: every byte of the text is a solid box of
// one size in the text colour. Deterministic on every platform, so the slide
// layout can be tested pixel by pixel and measured without a font engine.
#pragma once

#include "player/text_renderer.h"

namespace player {

class BoxTextRenderer final : public TextRenderer {
 public:
  // Each character is `charWidth` by `charHeight`; the boxes of neighbouring
  // characters touch. A height of 0 or less gives empty lines.
  BoxTextRenderer(int charWidth, int charHeight) : charWidth_(charWidth), charHeight_(charHeight) {}

  TextExtent Measure(const project::TFontSpec& font, std::string_view text) override;
  void Draw(raster::Bitmap& target, const project::TFontSpec& font, raster::Point at, std::string_view text,
            raster::Pixel color) override;

 private:
  int charWidth_;
  int charHeight_;
};

}  // namespace player
