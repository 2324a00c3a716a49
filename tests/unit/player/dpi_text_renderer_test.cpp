#include "player/dpi_text_renderer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "base/random.h"
#include "player/frame_text.h"

namespace {

// Remembers the fonts it was asked for; a line is as high as its font's
// character height.
class FontRecorder final : public player::TextRenderer {
 public:
  std::vector<project::TFontSpec> fonts;
  player::TextExtent Measure(const project::TFontSpec& font, std::string_view text) override {
    fonts.push_back(font);
    return {static_cast<int>(text.size()) * 5, std::abs(font.Height)};
  }
  void Draw(raster::Bitmap&, const project::TFontSpec& font, raster::Point, std::string_view,
            raster::Pixel) override {
    fonts.push_back(font);
  }
};

TEST(DpiTextRenderer, CaptionsAreDrawnAtTheMonitorsDpiAndPlacedByTheirScaledSize) {
  base::SeededRandom random(1);
  project::TPictureInfo record(random);
  record.ShowCaption = true;
  record.Caption = "Harbour";
  record.CaptionPosition = 3;  // bottom centre: the scaled height moves it up
  record.CaptionFont.Name = "Arial";
  record.CaptionFont.Height = project::FontHeightForPoints(12);
  record.CaptionFont.Bold = true;
  const int expected[][2] = {{96, 16}, {120, 20}, {144, 24}, {192, 32}};  // dpi, pixels high
  for (const auto& [dpi, pixels] : expected) {
    FontRecorder inner;
    player::DpiTextRenderer text(inner, 96);
    text.SetDpi(dpi);
    raster::Bitmap frame(200, 100);
    player::DrawCaption(record, frame, {200, 100}, text);
    ASSERT_EQ(inner.fonts.size(), 2u);  // measured, then drawn
    for (const project::TFontSpec& font : inner.fonts) {
      EXPECT_EQ(font.Height, -pixels) << dpi << " dpi";
      project::TFontSpec same = font;
      same.Height = record.CaptionFont.Height;
      EXPECT_EQ(same, record.CaptionFont) << "only the height changes";
    }
  }
  // Nothing else of the text is scaled: the position comes from the measured size.
  FontRecorder inner;
  player::DpiTextRenderer text(inner, 144);
  EXPECT_EQ(text.Measure(record.CaptionFont, "abc"), (player::TextExtent{15, 24}));
}

}  // namespace
