#include "player/win32/gdi_text_renderer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/win32/utf16.h"

namespace player {
namespace {

// Italic and overhanging glyphs may reach past the measured box.
int Overhang(const project::TFontSpec& font) { return std::abs(font.Height) / 2 + 4; }

int TextLength(std::wstring_view text) { return static_cast<int>(std::min<std::size_t>(text.size(), INT32_MAX)); }

BYTE SmoothingQuality() {
  UINT type = 0;
  if (SystemParametersInfoW(SPI_GETFONTSMOOTHINGTYPE, 0, &type, 0) && type == FE_FONTSMOOTHINGCLEARTYPE)
    return CLEARTYPE_QUALITY;
  return ANTIALIASED_QUALITY;
}

}  // namespace

GdiTextRenderer::GdiTextRenderer() : dc_(CreateCompatibleDC(nullptr)), quality_(SmoothingQuality()) {
  if (dc_ != nullptr) {
    SetBkMode(dc_, TRANSPARENT);
    SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  }
}

GdiTextRenderer::~GdiTextRenderer() {
  if (dc_ == nullptr) return;
  if (originalFont_ != nullptr) SelectObject(dc_, originalFont_);
  if (originalBitmap_ != nullptr) SelectObject(dc_, originalBitmap_);
  if (font_ != nullptr) DeleteObject(font_);
  if (surface_ != nullptr) DeleteObject(surface_);
  DeleteDC(dc_);
}

void GdiTextRenderer::UseFont(const project::TFontSpec& wanted) {
  if (font_ != nullptr && wanted == fontSpec_) return;
  LOGFONTW lf{};
  lf.lfHeight = wanted.Height;
  lf.lfWeight = wanted.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = wanted.Italic ? TRUE : FALSE;
  lf.lfUnderline = wanted.Underline ? TRUE : FALSE;
  lf.lfStrikeOut = wanted.StrikeOut ? TRUE : FALSE;
  lf.lfCharSet = static_cast<BYTE>(wanted.Charset);
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = quality_;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring name = base::Utf16FromUtf8(wanted.Name);
  const std::size_t nameLength = std::min(name.size(), std::size_t{LF_FACESIZE - 1});
  std::memcpy(lf.lfFaceName, name.data(), nameLength * sizeof(wchar_t));
  HFONT created = CreateFontIndirectW(&lf);
  if (created == nullptr) return;  // keep drawing with the previous font
  const HGDIOBJ previous = SelectObject(dc_, created);
  if (originalFont_ == nullptr) originalFont_ = previous;
  if (font_ != nullptr) DeleteObject(font_);
  font_ = created;
  fontSpec_ = wanted;
}

TextExtent GdiTextRenderer::Measure(const project::TFontSpec& font, std::string_view text) {
  if (dc_ == nullptr) return {};
  UseFont(font);
  SIZE size{};
  const std::wstring wide = base::Utf16FromUtf8(text);
  if (!GetTextExtentPoint32W(dc_, wide.data(), TextLength(wide), &size)) return {};
  return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

raster::Pixel* GdiTextRenderer::Surface(int width, int height) {
  if (surface_ != nullptr && width <= surfaceWidth_ && height <= surfaceHeight_) return surfaceBits_;
  const int w = std::max(width, surfaceWidth_);
  const int h = std::max(height, surfaceHeight_);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down, like raster::Bitmap
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP created = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (created == nullptr) return nullptr;
  const HGDIOBJ previous = SelectObject(dc_, created);
  if (originalBitmap_ == nullptr) originalBitmap_ = previous;
  if (surface_ != nullptr) DeleteObject(surface_);
  surface_ = created;
  surfaceBits_ = static_cast<raster::Pixel*>(bits);
  surfaceWidth_ = w;
  surfaceHeight_ = h;
  return surfaceBits_;
}

void GdiTextRenderer::Draw(raster::Bitmap& target, const project::TFontSpec& font, raster::Point at,
                           std::string_view text, raster::Pixel color) {
  if (dc_ == nullptr || text.empty() || target.IsEmpty()) return;
  const TextExtent extent = Measure(font, text);
  const int64_t pad = Overhang(font);
  const auto clampTo = [](int64_t v, int hi) { return static_cast<int>(std::clamp<int64_t>(v, 0, hi)); };
  const raster::Rect box{clampTo(at.x - pad, target.Width()), clampTo(at.y - pad, target.Height()),
                         clampTo(int64_t{at.x} + extent.width + pad, target.Width()),
                         clampTo(int64_t{at.y} + extent.height + pad, target.Height())};
  if (box.IsEmpty()) return;
  raster::Pixel* bits = Surface(box.Width(), box.Height());
  if (bits == nullptr) return;
  const std::size_t width = static_cast<std::size_t>(box.Width());
  before_.resize(width * static_cast<std::size_t>(box.Height()));
  for (int y = 0; y < box.Height(); ++y) {
    const raster::Pixel* row = target.Row(box.top + y) + box.left;
    std::memcpy(bits + static_cast<std::size_t>(y) * surfaceWidth_, row, width * sizeof(raster::Pixel));
    std::memcpy(&before_[static_cast<std::size_t>(y) * width], row, width * sizeof(raster::Pixel));
  }
  SetTextColor(dc_, raster::ColorRefFromPixel(color));
  const std::wstring wide = base::Utf16FromUtf8(text);
  TextOutW(dc_, static_cast<int>(at.x - box.left), static_cast<int>(at.y - box.top), wide.data(), TextLength(wide));
  GdiFlush();
  for (int y = 0; y < box.Height(); ++y) {
    raster::Pixel* row = target.Row(box.top + y) + box.left;
    const raster::Pixel* drawn = bits + static_cast<std::size_t>(y) * surfaceWidth_;
    const raster::Pixel* was = &before_[static_cast<std::size_t>(y) * width];
    for (std::size_t x = 0; x < width; ++x)
      if (((drawn[x] ^ was[x]) & 0xFFFFFFu) != 0) row[x] = drawn[x] | 0xFF000000u;
  }
}

}  // namespace player
