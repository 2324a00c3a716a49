#include "raster/region.h"

namespace raster {

Region Region::FromRect(const Rect& rect) {
  Region r;
  const Rect n = rect.Normalized();
  if (!n.IsEmpty()) {
    r.rects_.push_back(n);
    r.bounds_ = n;
  }
  return r;
}
Region Region::FromRects(std::span<const Rect>) { return {}; }
Region Region::FromPolygon(std::span<const Point>, FillMode) { return {}; }
Region Region::FromEllipse(const Rect&) { return {}; }
Region Region::Combine(const Region& a, const Region&, CombineMode) { return a; }
Region Region::Intersect(const Rect&) const { return *this; }
void Region::Offset(int, int) {}
Region Region::Offsetted(int dx, int dy) const {
  Region r = *this;
  r.Offset(dx, dy);
  return r;
}
RegionKind Region::Kind() const {
  return rects_.empty() ? RegionKind::Null : rects_.size() == 1 ? RegionKind::Simple : RegionKind::Complex;
}
bool Region::Contains(int, int) const { return false; }
long long Region::Area() const { return 0; }
std::size_t Region::FirstRectBelow(int) const { return 0; }

}  // namespace raster
