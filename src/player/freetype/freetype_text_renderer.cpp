#include "player/freetype/freetype_text_renderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "base/ascii.h"
#include "base/codepage.h"
#include "player/freetype/font_files.h"
#include "raster/canvas.h"

namespace player {
namespace {

constexpr int kDefaultHeight = -16;  // 12 points at 96 dpi

int RoundedScale(int64_t value, int64_t numerator, int64_t denominator) {
  return static_cast<int>(std::lround(static_cast<double>(value) * static_cast<double>(numerator) /
                                      static_cast<double>(denominator)));
}

int Clamped(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

std::u32string CodePoints(std::string_view text) {
  if (auto decoded = base::CodePointsFromUtf8(text)) return *decoded;
  // Not UTF-8: read it as the single-byte text the show stores.
  return base::CodePointsFromUtf8(base::Utf8FromWindows1252(text)).value_or(std::u32string{});
}

// Lays `coverage` (0..255 per pixel) over `target` in `color`, its top-left
// corner at (left, top), clipped to the target.
void Blend(raster::Bitmap& target, const FT_Bitmap& coverage, int64_t left, int64_t top, raster::Pixel color) {
  const int rows = static_cast<int>(coverage.rows), width = static_cast<int>(coverage.width);
  const int pitch = std::abs(coverage.pitch);
  const int r0 = static_cast<int>(std::clamp<int64_t>(-top, 0, rows));
  const int r1 = static_cast<int>(std::clamp<int64_t>(target.Height() - top, 0, rows));
  const int c0 = static_cast<int>(std::clamp<int64_t>(-left, 0, width));
  const int c1 = static_cast<int>(std::clamp<int64_t>(target.Width() - left, 0, width));
  for (int r = r0; r < r1; ++r) {
    const int memoryRow = coverage.pitch >= 0 ? r : rows - 1 - r;
    const uint8_t* cover = coverage.buffer + static_cast<std::ptrdiff_t>(memoryRow) * pitch;
    raster::Pixel* row = target.Row(static_cast<int>(top + r));
    for (int c = c0; c < c1; ++c) {
      const uint32_t a = cover[c];
      if (a == 0) continue;
      raster::Pixel& dst = row[left + c];
      const auto mix = [a](uint32_t src, uint32_t was) { return (src * a + was * (255 - a) + 127) / 255; };
      dst = raster::MakePixel(static_cast<uint8_t>(mix(raster::PixelR(color), raster::PixelR(dst))),
                              static_cast<uint8_t>(mix(raster::PixelG(color), raster::PixelG(dst))),
                              static_cast<uint8_t>(mix(raster::PixelB(color), raster::PixelB(dst))));
    }
  }
}

}  // namespace

CellMetrics CellMetricsFor(int height, int unitsPerEm, int winAscent, int winDescent) {
  const int64_t em = std::max(unitsPerEm, 1);
  const int64_t ascentUnits = std::max(winAscent, 0), descentUnits = std::max(winDescent, 0);
  const int64_t cellUnits = std::max<int64_t>(ascentUnits + descentUnits, 1);
  const int64_t h = height == 0 ? kDefaultHeight : height;
  CellMetrics m;
  if (h < 0) {
    m.ppem = static_cast<int>(std::min<int64_t>(-h, kMaxPixelsPerEm));
    m.ascent = RoundedScale(ascentUnits, m.ppem, em);
    m.descent = RoundedScale(descentUnits, m.ppem, em);
  } else {
    const int64_t cell = std::min<int64_t>(h, int64_t{kMaxPixelsPerEm} * cellUnits / em);
    m.ppem = std::clamp(RoundedScale(cell, em, cellUnits), 1, kMaxPixelsPerEm);
    m.ascent = RoundedScale(cell, ascentUnits, cellUnits);
    m.descent = static_cast<int>(cell) - m.ascent;
  }
  return m;
}

// The faces in use, one per face name and style, opened once.
class FreeTypeTextRenderer::Faces {
 public:
  struct Face {
    FT_Face face = nullptr;
    FontFile file;
    int winAscent = 0, winDescent = 0;
    int strikeoutPosition = 0, strikeoutSize = 0;
  };
  struct Glyph {
    FT_UInt index;
    int64_t x;  // pen position from the line's left edge
  };
  struct Line {
    Face* face;
    CellMetrics cell;
    std::vector<Glyph> glyphs;
    int64_t width = 0;
  };

  Faces() {
    if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType cannot start");
  }
  ~Faces() {
    for (auto& [key, face] : faces_) FT_Done_Face(face.face);
    FT_Done_FreeType(library_);
  }
  Faces(const Faces&) = delete;
  Faces& operator=(const Faces&) = delete;

  // The line's glyphs and pen positions, with the face sized for it.
  Line Layout(const project::TFontSpec& font, std::string_view text) {
    Face& face = For(font);
    Line line{&face, CellMetricsFor(font.Height, face.face->units_per_EM, face.winAscent, face.winDescent), {}, 0};
    FT_Set_Pixel_Sizes(face.face, 0, static_cast<FT_UInt>(line.cell.ppem));
    for (const char32_t c : CodePoints(text)) {
      const FT_UInt index = FT_Get_Char_Index(face.face, c);
      FT_Fixed advance = 0;
      FT_Get_Advance(face.face, index, FT_LOAD_NO_HINTING, &advance);
      line.glyphs.push_back({index, line.width});
      // Whole pixels per character; a synthesised bold is one pixel wider.
      line.width += ((advance + 0x8000) >> 16) + (face.file.fakeBold ? 1 : 0);
    }
    return line;
  }

 private:
  Face& For(const project::TFontSpec& font) {
    const auto key = std::make_tuple(base::LowerAscii(font.Name), font.Bold, font.Italic);
    if (const auto found = faces_.find(key); found != faces_.end()) return found->second;
    Face face;
    face.file = FindFontFile(font.Name, font.Bold, font.Italic);
    if (FT_New_Face(library_, face.file.path.c_str(), face.file.index, &face.face) != 0)
      throw std::runtime_error("cannot read the font file " + face.file.path);
    face.winAscent = face.face->ascender;
    face.winDescent = -face.face->descender;
    face.strikeoutPosition = face.face->units_per_EM * 26 / 100;
    face.strikeoutSize = face.face->underline_thickness;
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face.face, FT_SFNT_OS2))) {
      if (os2->usWinAscent + os2->usWinDescent > 0) {
        face.winAscent = os2->usWinAscent;
        face.winDescent = os2->usWinDescent;
      }
      if (os2->yStrikeoutSize > 0) {
        face.strikeoutPosition = os2->yStrikeoutPosition;
        face.strikeoutSize = os2->yStrikeoutSize;
      }
    }
    return faces_.emplace(key, face).first->second;
  }

  FT_Library library_ = nullptr;
  std::map<std::tuple<std::string, bool, bool>, Face> faces_;
};

FreeTypeTextRenderer::FreeTypeTextRenderer() : faces_(std::make_unique<Faces>()) {}
FreeTypeTextRenderer::~FreeTypeTextRenderer() = default;

TextExtent FreeTypeTextRenderer::Measure(const project::TFontSpec& font, std::string_view text) {
  const Faces::Line line = faces_->Layout(font, text);
  return {static_cast<int>(std::min<int64_t>(line.width, INT32_MAX)), line.cell.ascent + line.cell.descent};
}

void FreeTypeTextRenderer::Draw(raster::Bitmap& target, const project::TFontSpec& font, raster::Point at,
                                std::string_view text, raster::Pixel color) {
  if (text.empty() || target.IsEmpty()) return;
  const Faces::Line line = faces_->Layout(font, text);
  const CellMetrics& cell = line.cell;
  const int64_t baseline = int64_t{at.y} + cell.ascent;
  const int64_t reach = cell.ppem;  // how far a glyph may stray from its cell
  if (baseline + cell.descent + reach < 0 || baseline - cell.ascent - reach > target.Height()) return;
  const FT_Face face = line.face->face;
  for (const Faces::Glyph& glyph : line.glyphs) {
    const int64_t penX = int64_t{at.x} + glyph.x;
    if (penX + 2 * reach < 0 || penX - reach > target.Width()) continue;
    if (FT_Load_Glyph(face, glyph.index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0) continue;
    if (line.face->file.fakeItalic) FT_GlyphSlot_Oblique(face->glyph);
    if (line.face->file.fakeBold) FT_GlyphSlot_Embolden(face->glyph);
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) continue;
    Blend(target, face->glyph->bitmap, penX + face->glyph->bitmap_left, baseline - face->glyph->bitmap_top, color);
  }
  // Underline and strike-out run under the whole advance of the line.
  const int64_t em = face->units_per_EM;
  const auto thicknessOf = [&](int64_t units) { return std::max(1, RoundedScale(units, cell.ppem, em)); };
  const auto stroke = [&](int64_t top, int thickness) {
    raster::Canvas(target).FillRect(
        {at.x, Clamped(top), Clamped(int64_t{at.x} + line.width), Clamped(top + thickness)}, color | 0xFF000000u);
  };
  if (font.Underline) {
    const int thickness = thicknessOf(face->underline_thickness);
    stroke(baseline - RoundedScale(face->underline_position, cell.ppem, em) - thickness / 2, thickness);
  }
  if (font.StrikeOut)
    stroke(baseline - RoundedScale(line.face->strikeoutPosition, cell.ppem, em),
           thicknessOf(line.face->strikeoutSize));
}

}  // namespace player
