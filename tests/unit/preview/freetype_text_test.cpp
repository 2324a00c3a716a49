#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "base/paths.h"
#include "player/freetype/font_files.h"
#include "player/freetype/freetype_text_renderer.h"
#include "raster/bitmap.h"

namespace player {
namespace {

using raster::Bitmap;
using raster::MakePixel;
using raster::Pixel;

constexpr Pixel kNavy = MakePixel(10, 20, 90);
constexpr Pixel kGold = MakePixel(250, 200, 40);

// Arial's em and Windows ascent and descent, in font units (Liberation Sans has
// the same).
constexpr int kArialEm = 2048, kArialAscent = 1854, kArialDescent = 434;

project::TFontSpec Font(const std::string& name, int height, bool bold = false, bool italic = false) {
  project::TFontSpec font;
  font.Name = name;
  font.Height = height;
  font.Bold = bold;
  font.Italic = italic;
  return font;
}

TEST(CellMetrics, FollowGdiHeights) {
  // Arial at -24 is 24 pixels per em in a 27-pixel cell; at +27 the same.
  EXPECT_EQ(CellMetricsFor(-24, kArialEm, kArialAscent, kArialDescent), (CellMetrics{24, 22, 5}));
  EXPECT_EQ(CellMetricsFor(27, kArialEm, kArialAscent, kArialDescent), (CellMetrics{24, 22, 5}));
  EXPECT_EQ(CellMetricsFor(0, kArialEm, kArialAscent, kArialDescent), CellMetricsFor(-16, kArialEm, kArialAscent, kArialDescent));
  for (int h = 1; h <= 300; ++h) {
    const CellMetrics character = CellMetricsFor(-h, kArialEm, kArialAscent, kArialDescent);
    EXPECT_EQ(character.ppem, h);  // a negative height is the em
    const CellMetrics cell = CellMetricsFor(h, kArialEm, kArialAscent, kArialDescent);
    EXPECT_EQ(cell.ascent + cell.descent, h);  // a positive one the cell
    EXPECT_GE(cell.ppem, 1);
    EXPECT_LE(cell.ppem, h);
  }
  // Heights from damaged data stay drawable.
  EXPECT_EQ(CellMetricsFor(INT_MIN, kArialEm, kArialAscent, kArialDescent).ppem, kMaxPixelsPerEm);
  EXPECT_EQ(CellMetricsFor(INT_MAX, kArialEm, kArialAscent, kArialDescent).ppem, kMaxPixelsPerEm);
  EXPECT_EQ(CellMetricsFor(-10, 0, 0, 0).ppem, 10);
}

TEST(FontFiles, WindowsFacesGetTheirStandIns) {
  EXPECT_EQ(StandInFamily("Arial"), "Liberation Sans");
  EXPECT_EQ(StandInFamily("ARIAL"), "Liberation Sans");
  EXPECT_EQ(StandInFamily("Times New Roman"), "Liberation Serif");
  EXPECT_EQ(StandInFamily("Courier New"), "Liberation Mono");
  EXPECT_EQ(StandInFamily("Georgia"), "DejaVu Serif");  // fontconfig knows it as a serif face
  EXPECT_EQ(StandInFamily("No Such Face"), "DejaVu Sans");
  EXPECT_EQ(StandInFamily(""), "DejaVu Sans");

  struct Case {
    const char* face;
    bool bold, italic;
    const char* file;
  };
  for (const Case& c : {Case{"Arial", false, false, "LiberationSans-Regular.ttf"},
                        Case{"Arial", true, true, "LiberationSans-BoldItalic.ttf"},
                        Case{"Times New Roman", true, false, "LiberationSerif-Bold.ttf"},
                        Case{"Verdana", false, true, "DejaVuSans-Oblique.ttf"}}) {
    const FontFile found = FindFontFile(c.face, c.bold, c.italic);
    EXPECT_EQ(base::FileNameOf(found.path), c.file) << c.face;
    EXPECT_FALSE(found.fakeBold || found.fakeItalic) << c.face;
  }
}

TEST(FreeTypeText, MeasuresAsArialDoes) {
  FreeTypeTextRenderer text;
  // Arial's advance widths in font units: A 1366, f 569, j 455, h 1139; at 24
  // pixels per em each rounds to whole pixels: 16 + 7 + 5 + 13.
  EXPECT_EQ(text.Measure(Font("Arial", -24), "Afjh"), (TextExtent{41, 27}));
  EXPECT_EQ(text.Measure(Font("Arial", -24), ""), (TextExtent{0, 27}));
  // In every face and style a line is as wide as its characters together.
  for (const auto& font : {Font("Arial", -31, true), Font("Georgia", 19, false, true), Font("Courier New", -13)}) {
    const int whole = text.Measure(font, "Wave\xC3\xA9").width;
    int parts = 0;
    for (const char* part : {"W", "a", "v", "e", "\xC3\xA9"}) parts += text.Measure(font, part).width;
    EXPECT_EQ(whole, parts) << font.Name;
  }
}

// Every pixel of `b` outside `box` is `background`; inside, every pixel lies
// between the background and the text colour, channel by channel.
::testing::AssertionResult OnlyBlendsInside(const Bitmap& b, const raster::Rect& box, Pixel background,
                                            Pixel color) {
  const auto between = [](uint8_t v, uint8_t a, uint8_t c) { return v >= std::min(a, c) && v <= std::max(a, c); };
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const Pixel p = b.At(x, y);
      const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
      if (!inside && p != background)
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") outside the box changed";
      if (raster::PixelA(p) != 255 || !between(raster::PixelR(p), raster::PixelR(background), raster::PixelR(color)) ||
          !between(raster::PixelG(p), raster::PixelG(background), raster::PixelG(color)) ||
          !between(raster::PixelB(p), raster::PixelB(background), raster::PixelB(color)))
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is no blend: " << std::hex << p;
    }
  return ::testing::AssertionSuccess();
}

int CountColor(const Bitmap& b, Pixel color) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.At(x, y) == color;
  return n;
}

TEST(FreeTypeText, DrawsBlendedGlyphsInsideTheirCell) {
  FreeTypeTextRenderer text;
  for (const auto& font : {Font("Arial", -40, true), Font("Times New Roman", -28, false, true), Font("Georgia", 30)}) {
    Bitmap b(300, 80, kNavy);
    const TextExtent extent = text.Measure(font, "Hello, Wij");
    text.Draw(b, font, {20, 10}, "Hello, Wij", kGold);
    // Italic glyphs may lean a little past the advance; nothing reaches further.
    const int lean = font.Italic ? extent.height / 3 : 1;
    EXPECT_TRUE(OnlyBlendsInside(b, {20 - lean, 10, 20 + extent.width + lean, 10 + extent.height}, kNavy, kGold))
        << font.Name;
    EXPECT_GT(CountColor(b, kGold), 30) << font.Name;  // stems are fully covered
  }
}

TEST(FreeTypeText, ClippedTextIsTheSamePictureCut) {
  // Drawing partly outside a bitmap gives exactly the pixels the same text has
  // in a larger bitmap around it: clipping neither shifts nor drops glyphs.
  FreeTypeTextRenderer text;
  const auto font = Font("Arial", -36, false, true);
  Bitmap large(400, 200, kNavy);
  text.Draw(large, font, {100, 100}, "Quick fox", kGold);
  for (const raster::Point shift : {raster::Point{-130, -115}, raster::Point{-60, -90}, raster::Point{-100, -100}}) {
    Bitmap small(90, 30, kNavy);
    text.Draw(small, font, {100 + shift.x, 100 + shift.y}, "Quick fox", kGold);
    for (int y = 0; y < small.Height(); ++y)
      for (int x = 0; x < small.Width(); ++x)
        ASSERT_EQ(small.At(x, y), large.At(x - shift.x, y - shift.y)) << x << "," << y;
  }
  Bitmap far(50, 50, kNavy);
  text.Draw(far, font, {INT_MAX - 10, INT_MIN + 10}, "far away", kGold);
  text.Draw(far, font, {INT_MIN, 0}, "far away", kGold);
  EXPECT_EQ(CountColor(far, kNavy), 50 * 50);
}

TEST(FreeTypeText, UnderlineAndStrikeOutSpanTheLine) {
  FreeTypeTextRenderer text;
  auto font = Font("Arial", -30);
  const TextExtent extent = text.Measure(font, "a a");
  font.Underline = true;
  font.StrikeOut = true;
  Bitmap b(200, 60, kNavy);
  text.Draw(b, font, {10, 5}, "a a", kGold);
  // The gap between the letters holds only the two strokes: full rows of the
  // text colour below the baseline (underline) and near mid-height (strike-out).
  int underline = 0, strike = 0;
  const int baseline = 5 + 27;  // Arial -30: ascent round(1854 * 30 / 2048)
  for (int y = 0; y < b.Height(); ++y) {
    bool full = true;
    for (int x = 10; x < 10 + extent.width; ++x) full = full && b.At(x, y) == kGold;
    if (!full) continue;
    (y >= baseline ? underline : strike) += 1;
    EXPECT_GT(y, baseline - 20) << "a stroke far above the letters";
  }
  EXPECT_GE(underline, 1);
  EXPECT_GE(strike, 1);
  EXPECT_EQ(b.At(10 + extent.width, baseline + 2), kNavy);  // strokes end with the advance
}

}  // namespace
}  // namespace player
