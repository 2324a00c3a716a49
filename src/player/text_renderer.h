// Text for the slides: measuring and drawing one line in a record's font. The
// Windows build draws with GDI (anti-aliased); tests and headless tools use a
// box renderer with fixed metrics (frame_box_text.h).
#pragma once

#include <string_view>

#include "project/picture_info.h"
#include "raster/bitmap.h"
#include "raster/geometry.h"

namespace player {

struct TextExtent {
  int width = 0;
  int height = 0;
  friend bool operator==(const TextExtent&, const TextExtent&) = default;
};

class TextRenderer {
 public:
  virtual ~TextRenderer() = default;
  // The size of one line of UTF-8 text in `font`, as GDI's
  // GetTextExtentPoint reports it: the height is the font's cell height.
  virtual TextExtent Measure(const project::TFontSpec& font, std::string_view text) = 0;
  // Draws one line with its cell's top-left corner at `at`, in `color`, with a
  // transparent background (only the glyphs change pixels). Pixels written stay
  // opaque (alpha 255); everything outside `target` is clipped.
  virtual void Draw(raster::Bitmap& target, const project::TFontSpec& font, raster::Point at, std::string_view text,
                    raster::Pixel color) = 0;
};

}  // namespace player
