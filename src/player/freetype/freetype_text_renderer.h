// Slide text drawn with FreeType, for the native tools: the record's face (its
// free stand-in, font_files.h), height, bold, italic, underline and strike-out,
// anti-aliased. Sizes follow GDI's rules, so text takes the room it takes on
// Windows: a negative height is the em size in pixels, a positive one the cell
// height; the cell is the face's Windows ascent plus descent; each character
// advances by its width rounded to whole pixels; the glyph shapes may differ.
#pragma once

#include <memory>

#include "player/text_renderer.h"

namespace player {

// One size of a face, as GDI makes it from a font height.
struct CellMetrics {
  int ppem = 0;     // pixels per em
  int ascent = 0;   // baseline below the cell's top
  int descent = 0;  // cell bottom below the baseline
  friend bool operator==(const CellMetrics&, const CellMetrics&) = default;
};

// `height` as a LOGFONT height (0: the default, 12 points at 96 dpi); the
// face's units per em and its Windows ascent and descent in font units.
// Heights beyond kMaxPixelsPerEm are drawn at that size.
CellMetrics CellMetricsFor(int height, int unitsPerEm, int winAscent, int winDescent);
inline constexpr int kMaxPixelsPerEm = 4096;

class FreeTypeTextRenderer final : public TextRenderer {
 public:
  // Throws std::runtime_error when FreeType cannot start.
  FreeTypeTextRenderer();
  ~FreeTypeTextRenderer() override;
  FreeTypeTextRenderer(const FreeTypeTextRenderer&) = delete;
  FreeTypeTextRenderer& operator=(const FreeTypeTextRenderer&) = delete;

  // Throws std::runtime_error when no font file can be found or read.
  TextExtent Measure(const project::TFontSpec& font, std::string_view text) override;
  void Draw(raster::Bitmap& target, const project::TFontSpec& font, raster::Point at, std::string_view text,
            raster::Pixel color) override;

 private:
  class Faces;
  std::unique_ptr<Faces> faces_;
};

}  // namespace player
