// Slide text drawn with GDI: the record's font (face, height, charset, bold,
// italic, underline, strike-out) with anti-aliasing, ClearType where the user
// has it on. Text is UTF-8, drawn through the wide-character GDI calls.
#pragma once

#include <windows.h>

#include <vector>

#include "player/text_renderer.h"

namespace player {

class GdiTextRenderer final : public TextRenderer {
 public:
  GdiTextRenderer();
  ~GdiTextRenderer() override;
  GdiTextRenderer(const GdiTextRenderer&) = delete;
  GdiTextRenderer& operator=(const GdiTextRenderer&) = delete;

  TextExtent Measure(const project::TFontSpec& font, std::string_view text) override;
  // Draws through a DIB section holding the text's box of `target`: the box is
  // copied in, GDI draws, and the pixels GDI changed are copied back opaque
  // (GDI leaves their alpha byte 0).
  void Draw(raster::Bitmap& target, const project::TFontSpec& font, raster::Point at, std::string_view text,
            raster::Pixel color) override;

 private:
  // Selects the font of `wanted` into the DC, creating it when it changed.
  void UseFont(const project::TFontSpec& wanted);
  // A top-down 32-bit DIB section of at least width x height, selected into the DC.
  raster::Pixel* Surface(int width, int height);

  HDC dc_ = nullptr;
  HFONT font_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;
  project::TFontSpec fontSpec_;
  BYTE quality_ = ANTIALIASED_QUALITY;
  HBITMAP surface_ = nullptr;
  HGDIOBJ originalBitmap_ = nullptr;
  raster::Pixel* surfaceBits_ = nullptr;
  int surfaceWidth_ = 0;
  int surfaceHeight_ = 0;
  std::vector<raster::Pixel> before_;
};

}  // namespace player
