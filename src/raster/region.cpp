#include "raster/region.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "raster/region_builder.h"

namespace raster {
namespace {

int ClampCoord(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, -Region::kCoordLimit, Region::kCoordLimit));
}

Rect ClampRect(const Rect& r) {
  return {ClampCoord(r.left), ClampCoord(r.top), ClampCoord(r.right), ClampCoord(r.bottom)};
}

// Which pixels a combination keeps, by membership in the two operands.
bool Keeps(CombineMode mode, bool inA, bool inB) {
  switch (mode) {
    case CombineMode::And: return inA && inB;
    case CombineMode::Or: return inA || inB;
    case CombineMode::Diff: return inA && !inB;
    case CombineMode::Xor: return inA != inB;
    case CombineMode::Copy: return inA;
  }
  return false;
}

// Merges two sorted, disjoint span lists of one band under `mode`.
void CombineSpans(std::span<const Span> a, std::span<const Span> b, CombineMode mode, std::vector<Span>& out) {
  out.clear();
  std::size_t ia = 0, ib = 0;
  bool inA = false, inB = false;
  int x = 0;
  bool open = false;
  int openX = 0;
  // Walk the span edges of both lists in x order; at each edge position the
  // membership flags change and the result opens or closes.
  while (ia < 2 * a.size() || ib < 2 * b.size()) {
    const int xa = ia < 2 * a.size() ? (ia % 2 == 0 ? a[ia / 2].left : a[ia / 2].right) : INT32_MAX;
    const int xb = ib < 2 * b.size() ? (ib % 2 == 0 ? b[ib / 2].left : b[ib / 2].right) : INT32_MAX;
    x = std::min(xa, xb);
    if (xa == x) {
      inA = (ia % 2 == 0);
      ++ia;
    }
    if (xb == x) {
      inB = (ib % 2 == 0);
      ++ib;
    }
    const bool keep = Keeps(mode, inA, inB);
    if (keep && !open) {
      open = true;
      openX = x;
    } else if (!keep && open) {
      open = false;
      if (x > openX) out.push_back({openX, x});
    }
  }
}

// The bands of a region as views of its rectangle list.
struct BandCursor {
  const std::vector<Rect>& rects;
  std::size_t index = 0;

  bool Done() const { return index >= rects.size(); }
  int Top() const { return rects[index].top; }
  int Bottom() const { return rects[index].bottom; }
  std::size_t End() const {
    std::size_t e = index;
    while (e < rects.size() && rects[e].top == rects[index].top) ++e;
    return e;
  }
  void Spans(std::vector<Span>& out) const {
    out.clear();
    for (std::size_t i = index, e = End(); i < e; ++i) out.push_back({rects[i].left, rects[i].right});
  }
  void Next() { index = End(); }
};

}  // namespace

// ---- builder ---------------------------------------------------------------

void RegionBuilder::AddBand(int top, int bottom, std::span<const Span> spans) {
  if (bottom <= top || spans.empty()) return;
  auto& rects = region_.rects_;
  // Merge with the previous band when it ends where this one starts and has
  // the same spans: this keeps the representation canonical.
  if (lastBandStart_ < rects.size() && rects.back().bottom == top &&
      rects.size() - lastBandStart_ == spans.size()) {
    bool same = true;
    for (std::size_t i = 0; i < spans.size() && same; ++i) {
      const Rect& r = rects[lastBandStart_ + i];
      same = r.left == spans[i].left && r.right == spans[i].right;
    }
    if (same) {
      for (std::size_t i = lastBandStart_; i < rects.size(); ++i) rects[i].bottom = bottom;
      return;
    }
  }
  lastBandStart_ = rects.size();
  for (const Span& s : spans) rects.push_back({s.left, top, s.right, bottom});
}

Region RegionBuilder::Finish() {
  auto& rects = region_.rects_;
  if (rects.empty()) {
    region_.bounds_ = {};
  } else {
    Rect b = rects.front();
    for (const Rect& r : rects) {
      b.left = std::min(b.left, r.left);
      b.right = std::max(b.right, r.right);
    }
    b.bottom = rects.back().bottom;
    region_.bounds_ = b;
  }
  lastBandStart_ = SIZE_MAX;
  return std::move(region_);
}

// ---- constructors ----------------------------------------------------------

namespace {
// The window of the shape constructors that cuts nothing.
constexpr Rect kEverywhere{-Region::kCoordLimit, -Region::kCoordLimit, Region::kCoordLimit, Region::kCoordLimit};
}  // namespace

Region Region::FromRect(const Rect& rect) {
  Region r;
  const Rect n = ClampRect(rect.Normalized());
  if (!n.IsEmpty()) {
    r.rects_.push_back(n);
    r.bounds_ = n;
  }
  return r;
}

Region Region::FromRects(std::span<const Rect> rects) {
  // One sweep down the rectangles' edges: every band between two edges takes
  // the spans of the rectangles across it, kept in order of their left edges.
  std::vector<Rect> byTop;
  byTop.reserve(rects.size());
  std::vector<int> edges;
  edges.reserve(2 * rects.size());
  for (const Rect& rect : rects) {
    const Rect n = ClampRect(rect.Normalized());
    if (n.IsEmpty()) continue;
    byTop.push_back(n);
    edges.push_back(n.top);
    edges.push_back(n.bottom);
  }
  if (byTop.size() <= 1) return byTop.empty() ? Region{} : FromRect(byTop[0]);
  std::sort(byTop.begin(), byTop.end(), [](const Rect& a, const Rect& b) { return a.top < b.top; });
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  RegionBuilder builder;
  std::vector<Rect> across;  // the rectangles across the band, by left edge
  std::vector<Span> spans;
  auto next = byTop.begin();
  for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
    const int top = edges[e], bottom = edges[e + 1];
    std::erase_if(across, [top](const Rect& r) { return r.bottom <= top; });
    for (; next != byTop.end() && next->top == top; ++next)
      across.insert(std::upper_bound(across.begin(), across.end(), *next,
                                     [](const Rect& a, const Rect& b) { return a.left < b.left; }),
                    *next);
    spans.clear();
    for (const Rect& r : across) {
      if (!spans.empty() && r.left <= spans.back().right) {
        spans.back().right = std::max(spans.back().right, r.right);
      } else {
        spans.push_back({r.left, r.right});
      }
    }
    if (!spans.empty()) builder.AddBand(top, bottom, spans);
  }
  return builder.Finish();
}

Region Region::FromEllipse(const Rect& rect) { return FromEllipse(rect, kEverywhere); }

Region Region::FromEllipse(const Rect& rect, const Rect& window) {
  const Rect n = ClampRect(rect.Normalized());
  const Rect w0 = ClampRect(window.Normalized());
  RegionBuilder builder;
  if (n.IsEmpty() || n.Intersect(w0).IsEmpty()) return builder.Finish();
  // In doubled coordinates the pixel centre of column x is 2x + 1 and the
  // ellipse centre is left + right, so X = 2x + 1 - (left + right) and the
  // semi-axes are the width and the height: X²/w² + Y²/h² <= 1.
  const double w = n.Width(), h = n.Height();
  const int64_t sumX = int64_t{n.left} + n.right;
  const int64_t sumY = int64_t{n.top} + n.bottom;
  std::vector<Span> spans(1);
  for (int y = std::max(n.top, w0.top), end = std::min(n.bottom, w0.bottom); y < end; ++y) {
    const double yy = static_cast<double>(2 * int64_t{y} + 1 - sumY) / h;
    const double rest = 1.0 - yy * yy;
    if (rest < 0) continue;
    const double xMax = w * std::sqrt(rest);
    // Columns with |2x + 1 - sumX| <= xMax; the range is symmetric about the centre.
    const int64_t first = static_cast<int64_t>(std::ceil((static_cast<double>(sumX - 1) - xMax) / 2));
    const int64_t last = sumX - 1 - first;
    const int64_t left = std::max<int64_t>(first, w0.left), right = std::min<int64_t>(last + 1, w0.right);
    if (right <= left) continue;
    spans[0] = {static_cast<int>(left), static_cast<int>(right)};
    builder.AddBand(y, y + 1, spans);
  }
  return builder.Finish();
}

Region Region::FromPolygon(std::span<const Point> points, FillMode mode) {
  return FromPolygon(points, mode, kEverywhere);
}

Region Region::FromPolygon(std::span<const Point> points, FillMode mode, const Rect& window) {
  const Rect w0 = ClampRect(window.Normalized());
  RegionBuilder builder;
  if (points.size() < 3) return builder.Finish();
  struct Edge {
    int64_t x0, y0, x1, y1;
    int dir;  // +1 downward, -1 upward
  };
  std::vector<Edge> edges;
  int top = kCoordLimit, bottom = -kCoordLimit;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Point p = points[i], q = points[(i + 1) % points.size()];
    const int64_t px = ClampCoord(p.x), py = ClampCoord(p.y), qx = ClampCoord(q.x), qy = ClampCoord(q.y);
    if (py == qy) continue;
    if (py < qy) edges.push_back({px, py, qx, qy, 1});
    else edges.push_back({qx, qy, px, py, -1});
    top = std::min<int>(top, static_cast<int>(std::min(py, qy)));
    bottom = std::max<int>(bottom, static_cast<int>(std::max(py, qy)));
  }
  struct Crossing {
    int x;  // first pixel column whose centre lies right of the crossing
    int dir;
  };
  std::vector<Crossing> crossings;
  std::vector<Span> spans;
  for (int y = std::max(top, w0.top), end = std::min(bottom, w0.bottom); y < end; ++y) {
    // The scan line runs through the pixel centres at y + 0.5; vertices lie on
    // integer rows, so it never passes through one.
    crossings.clear();
    for (const Edge& e : edges) {
      if (e.y0 > y || e.y1 <= y) continue;
      // Crossing at xi = x0 + (2y + 1 - 2y0)(x1 - x0) / (2(y1 - y0)); pixel x
      // is right of it when x + 0.5 >= xi, i.e. x >= ceil(xi - 0.5).
      const int64_t den = 2 * (e.y1 - e.y0);
      const int64_t num = (2 * y + 1 - 2 * e.y0) * (e.x1 - e.x0);
      const int64_t n2 = 2 * e.x0 * den + 2 * num - den;  // (xi - 0.5) * 2den
      const int64_t d2 = 2 * den;
      const int64_t c = n2 >= 0 ? (n2 + d2 - 1) / d2 : -((-n2) / d2);
      crossings.push_back({static_cast<int>(c), e.dir});
    }
    std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
    spans.clear();
    int winding = 0;
    for (std::size_t i = 0; i < crossings.size(); ++i) {
      const bool wasInside = mode == FillMode::Alternate ? (i % 2 == 1) : winding != 0;
      winding += crossings[i].dir;
      const bool inside = mode == FillMode::Alternate ? (i % 2 == 0) : winding != 0;
      if (inside && !wasInside) {
        spans.push_back({crossings[i].x, crossings[i].x});
      } else if (!inside && wasInside) {
        spans.back().right = crossings[i].x;
        if (spans.back().right <= spans.back().left) spans.pop_back();
      }
    }
    // Spans from crossings that coincide may touch; join them. Cut them to the window.
    std::size_t out = 0;
    for (std::size_t i = 0; i < spans.size(); ++i) {
      spans[i] = {std::max(spans[i].left, w0.left), std::min(spans[i].right, w0.right)};
      if (spans[i].right <= spans[i].left) continue;
      if (out > 0 && spans[out - 1].right >= spans[i].left) {
        spans[out - 1].right = std::max(spans[out - 1].right, spans[i].right);
      } else {
        spans[out++] = spans[i];
      }
    }
    spans.resize(out);
    builder.AddBand(y, y + 1, spans);
  }
  return builder.Finish();
}

// ---- set operations --------------------------------------------------------

Region Region::Combine(const Region& a, const Region& b, CombineMode mode) {
  switch (mode) {
    case CombineMode::Copy: return a;
    case CombineMode::And:
      if (a.IsEmpty() || b.IsEmpty() || a.bounds_.Intersect(b.bounds_).IsEmpty()) return {};
      break;
    case CombineMode::Or:
    case CombineMode::Xor:
      if (a.IsEmpty()) return b;
      if (b.IsEmpty()) return a;
      break;
    case CombineMode::Diff:
      if (a.IsEmpty() || b.IsEmpty() || a.bounds_.Intersect(b.bounds_).IsEmpty()) return a;
      break;
  }
  // One sweep down both band lists: every y-interval on which neither operand
  // changes becomes one band of the result, its spans combined under `mode`.
  RegionBuilder builder;
  BandCursor ca{a.rects_}, cb{b.rects_};
  std::vector<Span> spansA, spansB, result;
  int y = std::min(a.bounds_.top, b.bounds_.top);
  while (!ca.Done() || !cb.Done()) {
    const int topA = ca.Done() ? INT32_MAX : std::max(ca.Top(), y);
    const int topB = cb.Done() ? INT32_MAX : std::max(cb.Top(), y);
    const int top = std::min(topA, topB);
    const bool activeA = topA == top, activeB = topB == top;
    const int bottom = std::min(activeA ? ca.Bottom() : topA, activeB ? cb.Bottom() : topB);
    if (activeA) ca.Spans(spansA); else spansA.clear();
    if (activeB) cb.Spans(spansB); else spansB.clear();
    CombineSpans(spansA, spansB, mode, result);
    builder.AddBand(top, bottom, result);
    y = bottom;
    if (!ca.Done() && ca.Bottom() <= y) ca.Next();
    if (!cb.Done() && cb.Bottom() <= y) cb.Next();
  }
  return builder.Finish();
}

Region Region::Intersect(const Rect& rect) const {
  const Rect window = ClampRect(rect.Normalized());
  if (window.Intersect(bounds_).IsEmpty()) return {};
  RegionBuilder builder;
  std::vector<Span> spans;
  int bandTop = INT32_MIN;
  int bandBottom = 0;
  auto flush = [&] { builder.AddBand(bandTop, bandBottom, spans); };
  ForEachRectIn(window, [&](const Rect& piece) {
    if (piece.top != bandTop) {
      flush();
      spans.clear();
      bandTop = piece.top;
      bandBottom = piece.bottom;
    }
    spans.push_back({piece.left, piece.right});
  });
  flush();
  return builder.Finish();
}

void Region::Offset(int dx, int dy) {
  if (rects_.empty()) return;
  // Clamping may squeeze bands together at the limit; rebuild then.
  const auto fits = [](int64_t lo, int64_t hi) { return lo >= -kCoordLimit && hi <= kCoordLimit; };
  if (fits(int64_t{bounds_.left} + dx, int64_t{bounds_.right} + dx) &&
      fits(int64_t{bounds_.top} + dy, int64_t{bounds_.bottom} + dy)) {
    for (Rect& r : rects_) r = r.Offset(dx, dy);
    bounds_ = bounds_.Offset(dx, dy);
    return;
  }
  Region moved;
  for (const Rect& r : rects_) {
    const Rect m{ClampCoord(int64_t{r.left} + dx), ClampCoord(int64_t{r.top} + dy),
                 ClampCoord(int64_t{r.right} + dx), ClampCoord(int64_t{r.bottom} + dy)};
    moved = moved.Unite(FromRect(m));
  }
  *this = std::move(moved);
}

Region Region::Offsetted(int dx, int dy) const {
  Region r = *this;
  r.Offset(dx, dy);
  return r;
}

// ---- queries ---------------------------------------------------------------

RegionKind Region::Kind() const {
  return rects_.empty() ? RegionKind::Null : rects_.size() == 1 ? RegionKind::Simple : RegionKind::Complex;
}

std::size_t Region::FirstRectBelow(int y) const {
  return static_cast<std::size_t>(
      std::partition_point(rects_.begin(), rects_.end(), [y](const Rect& r) { return r.bottom <= y; }) -
      rects_.begin());
}

bool Region::Contains(int x, int y) const {
  for (std::size_t i = FirstRectBelow(y); i < rects_.size() && rects_[i].top <= y; ++i) {
    if (rects_[i].Contains(x, y)) return true;
  }
  return false;
}

long long Region::Area() const {
  long long area = 0;
  for (const Rect& r : rects_) area += static_cast<long long>(r.Width()) * r.Height();
  return area;
}

}  // namespace raster
