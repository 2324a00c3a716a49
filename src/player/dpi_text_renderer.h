// Slide text at the resolution of the monitor the show is drawn on. The
// records give font heights for a 96 dpi screen; this renderer scales them to
// the monitor's DPI and hands the text on, so a 12-point caption is 24 pixels
// high at 144 dpi. Positions and pictures stay in pixels.
#pragma once

#include "base/dpi.h"
#include "player/text_renderer.h"

namespace player {

class DpiTextRenderer final : public TextRenderer {
 public:
  explicit DpiTextRenderer(TextRenderer& inner, int dpi = base::kBaseDpi) : inner_(inner), dpi_(dpi) {}

  // The monitor changed (or its scale did): later text is drawn at `dpi`.
  void SetDpi(int dpi) { dpi_ = dpi; }
  int Dpi() const { return dpi_; }

  TextExtent Measure(const project::TFontSpec& font, std::string_view text) override;
  void Draw(raster::Bitmap& target, const project::TFontSpec& font, raster::Point at, std::string_view text,
            raster::Pixel color) override;

 private:
  const project::TFontSpec& AtDpi(const project::TFontSpec& font);

  TextRenderer& inner_;
  int dpi_;
  project::TFontSpec scaled_;
};

}  // namespace player
