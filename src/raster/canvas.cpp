#include "raster/canvas.h"

namespace raster {

void Canvas::Blit(Point, const Bitmap&, const Rect&) {}
void Canvas::CopyRect(const Rect&, const Bitmap&, const Rect&) {}
void Canvas::ResampleHighQuality(const Rect&, const Bitmap&, const Rect&) {}
void Canvas::FillRect(const Rect&, Pixel) {}
void Canvas::FillRegion(const Region&, Pixel) {}
void Canvas::FrameRect(const Rect&, Pixel) {}
void Canvas::Ellipse(const Rect&, Pixel) {}
void Canvas::LineTo(Point p, Pixel) { pen_ = p; }
void Canvas::SetPixel(int, int, Pixel) {}
std::optional<Pixel> Canvas::GetPixel(int, int) const { return std::nullopt; }
void Canvas::CopyPixel(Point, const Bitmap&, Point) {}

}  // namespace raster
