#include "raster/canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "raster/copy_direction.h"
#include "raster/row_gather.h"
#include "raster/resample.h"

namespace raster {
namespace {

// Far beyond any bitmap side, small enough that sums and products of two stay
// well inside 64 bits.
constexpr int64_t kFar = Region::kCoordLimit;

int Clamp(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -kFar, kFar)); }

Rect ClampRect(int64_t l, int64_t t, int64_t r, int64_t b) { return {Clamp(l), Clamp(t), Clamp(r), Clamp(b)}; }

// The byte range a bitmap's pixels occupy.
std::pair<uintptr_t, uintptr_t> Extent(const Bitmap& b) {
  const auto first = reinterpret_cast<uintptr_t>(b.Row(0));
  const auto last = reinterpret_cast<uintptr_t>(b.Row(b.Height() - 1));
  return {std::min(first, last), std::max(first, last) + static_cast<uintptr_t>(b.Width()) * sizeof(Pixel)};
}

bool SharesMemory(const Bitmap& a, const Bitmap& b) {
  if (a.IsEmpty() || b.IsEmpty()) return false;
  const auto ea = Extent(a), eb = Extent(b);
  return ea.first < eb.second && eb.first < ea.second;
}

// Nearest-neighbour sample positions along one axis for the destination
// positions [from, to) of a mapping of `dst` (ordered, length dn) onto the
// source span starting at `srcStart` of length sn, optionally mirrored. The
// result is trimmed to the positions whose sample lies in [0, srcLimit).
struct AxisMap {
  int from = 0;
  int to = 0;
  std::vector<int> samples;  // samples[k] belongs to position from + k
};

AxisMap NearestAxis(int dstStart, int64_t dn, int srcStart, int64_t sn, bool mirror, int visFrom, int visTo,
                    int srcLimit) {
  AxisMap m;
  m.from = visFrom;
  for (int x = visFrom; x < visTo; ++x) {
    const int64_t i = int64_t{x} - dstStart;
    int64_t j = ((2 * i + 1) * sn) / (2 * dn);
    if (mirror) j = sn - 1 - j;
    const int64_t s = srcStart + j;
    const bool valid = s >= 0 && s < srcLimit;
    if (!valid) {
      if (m.samples.empty()) {
        m.from = x + 1;
        continue;
      }
      break;  // samples run monotonically: the valid positions are contiguous
    }
    m.samples.push_back(static_cast<int>(s));
  }
  m.to = m.from + static_cast<int>(m.samples.size());
  return m;
}

// Copies a run of pixels, from its end when a forward copy would stall (a
// move by a small step, or rows that meet so). memcpy does not avoid this on
// every system: with the C library here a 5 KB row so placed took four times
// as long.
void CopyRun(Pixel* out, const Pixel* in, size_t n) {
  if (!StallsForward(in, out)) {
    std::memcpy(out, in, n * sizeof(Pixel));
    return;
  }
  size_t k = n;
  for (; k >= 4; k -= 4) std::memcpy(out + k - 4, in + k - 4, 4 * sizeof(Pixel));
  while (k > 0) {
    --k;
    out[k] = in[k];
  }
}

// A stretch's row as spans of the destination: pixels at .. at + len - 1 take
// the source columns from, from + 1, ... (a copy) or all take column `from`
// (a repeat).
struct ColumnSpan {
  int at = 0;
  int len = 0;
  int from = 0;
  bool repeat = false;
};

// The spans of a row piece, and how to write them. Where they are short on
// average (a strong shrink, a mirror) the row is picked pixel by pixel, four
// to a store. Otherwise the first `even` spans are
// copies that are written as `quads` stores of four pixels each, the same
// number for every span so that no branch depends on a span's length (a
// store that reaches past its span writes pixels of later spans, which
// overwrite them); the rest one by one, each as long as it is.
struct RowSpans {
  bool pick = false;
  std::vector<ColumnSpan> spans;
  size_t even = 0;
  int quads = 0;
};

// Splits the samples of a row piece of n pixels (not mirrored, so they never
// decrease) into the longest spans, a repeat wherever a sample comes again.
RowSpans ColumnSpans(const int* xmap, int n, int srcWidth) {
  RowSpans row;
  int longest = 0;
  bool repeats = false;
  for (int k = 0; k < n;) {
    ColumnSpan span{k, 1, xmap[k], k + 1 < n && xmap[k + 1] == xmap[k]};
    while (k + span.len < n && xmap[k + span.len] == xmap[k] + (span.repeat ? 0 : span.len)) ++span.len;
    longest = std::max(longest, span.len);
    repeats = repeats || span.repeat;
    row.spans.push_back(span);
    k += span.len;
  }
  if (row.spans.size() * 3 > static_cast<size_t>(n)) {
    row.pick = true;
    return row;
  }
  // Short copies only (a shrink): as many even spans as have room for the
  // stores in the row piece and in the source row.
  if (repeats || longest > 64) return row;
  row.quads = (longest + 3) / 4;
  while (row.even < row.spans.size()) {
    const ColumnSpan& span = row.spans[row.even];
    if (span.at + 4 * row.quads > n || span.from + 4 * row.quads > srcWidth) break;
    ++row.even;
  }
  return row;
}

void CopyQuad(Pixel* to, const Pixel* from) {
  Pixel quad[4];
  std::memcpy(quad, from, sizeof quad);
  std::memcpy(to, quad, sizeof quad);
}

// Writes one row of a stretch of n pixels with the samples xmap.
void DrawSpans(Pixel* out, const Pixel* in, const int* xmap, int n, const RowSpans& row) {
  if (row.pick) {
    int k = 0;
    for (; k + 4 <= n; k += 4) {
      const Pixel quad[4] = {in[xmap[k]], in[xmap[k + 1]], in[xmap[k + 2]], in[xmap[k + 3]]};
      std::memcpy(out + k, quad, sizeof quad);
    }
    for (; k < n; ++k) out[k] = in[xmap[k]];
    return;
  }
  const ColumnSpan* span = row.spans.data();
  const ColumnSpan* const even = span + row.even;
  const ColumnSpan* const end = span + row.spans.size();
  for (; span != even; ++span)
    for (int q = 0; q < row.quads; ++q) CopyQuad(out + span->at + 4 * q, in + span->from + 4 * q);
  for (; span != end; ++span) {
    Pixel* to = out + span->at;
    if (!span->repeat) {
      CopyRun(to, in + span->from, static_cast<size_t>(span->len));
      continue;
    }
    const Pixel v = in[span->from];
    if (span->len < 8) {
      std::fill_n(to, span->len, v);
      continue;
    }
    // A long repeat: four pixels per store, the last store ending at the span's end.
    const Pixel quad[4] = {v, v, v, v};
    for (int i = 0; i + 4 < span->len; i += 4) std::memcpy(to + i, quad, sizeof quad);
    std::memcpy(to + span->len - 4, quad, sizeof quad);
  }
}
}  // namespace

void Canvas::Touch(const Rect& drawn) {
  if (drawn.IsEmpty()) return;
  touched_ = touched_.IsEmpty() ? drawn
                                : Rect{std::min(touched_.left, drawn.left), std::min(touched_.top, drawn.top),
                                       std::max(touched_.right, drawn.right), std::max(touched_.bottom, drawn.bottom)};
}

template <class F>
void Canvas::ForEachPiece(const Rect& dst, F&& f) const {
  const Rect visible = dst.Intersect(target_->Bounds());
  if (visible.IsEmpty()) return;
  if (clip_) {
    clip_->ForEachRectIn(visible, f);
  } else {
    f(visible);
  }
}

template <class F>
void Canvas::ForEachRun(const Rect& dst, F&& f) const {
  const Rect visible = dst.Intersect(target_->Bounds());
  if (visible.IsEmpty()) return;
  if (!clip_) {
    for (int y = visible.top; y < visible.bottom; ++y) f(y, visible.left, visible.right);
    return;
  }
  clip_->ForEachBandIn(visible, [&](int top, int bottom, const Rect* first, const Rect* last) {
    for (int y = top; y < bottom; ++y)
      for (const Rect* r = first; r != last; ++r) {
        const int x0 = std::max(r->left, visible.left), x1 = std::min(r->right, visible.right);
        if (x0 < x1) f(y, x0, x1);
      }
  });
}

void Canvas::Blit(Point dst, const Bitmap& src, const Rect& srcRect) {
  const Rect wanted = srcRect.Normalized();
  const Rect from = wanted.Intersect(src.Bounds());
  if (from.IsEmpty() || target_->IsEmpty()) return;
  const int64_t dx = int64_t{dst.x} - wanted.left, dy = int64_t{dst.y} - wanted.top;
  const Rect to = ClampRect(from.left + dx, from.top + dy, from.right + dx, from.bottom + dy);
  if (to.Intersect(target_->Bounds()).IsEmpty()) return;
  if (SharesMemory(src, *target_)) {
    // Read the whole source first, as GDI does for overlapping copies.
    Bitmap copy(from.Width(), from.Height());
    Canvas(copy).Blit({0, 0}, src, from);
    Blit(Point{to.left, to.top}, copy, copy.Bounds());
    return;
  }
  const Rect visible = to.Intersect(target_->Bounds());
  Touch(visible);
  const auto rowBytes = static_cast<std::ptrdiff_t>(visible.Width()) * static_cast<std::ptrdiff_t>(sizeof(Pixel));
  if (!clip_ && visible.left == 0 && visible.Width() == target_->Width() && visible.left - dx == 0 &&
      visible.Width() == src.Width() && target_->StrideBytes() == rowBytes && src.StrideBytes() == rowBytes) {
    // Whole rows of two packed bitmaps: one block.
    std::memcpy(target_->Row(visible.top), src.Row(static_cast<int>(visible.top - dy)),
                static_cast<size_t>(rowBytes) * static_cast<size_t>(visible.Height()));
    return;
  }
  ForEachRun(to, [&](int y, int x0, int x1) {
    CopyRun(target_->Row(y) + x0, src.Row(static_cast<int>(y - dy)) + (x0 - dx), static_cast<size_t>(x1 - x0));
  });
}

void Canvas::CopyRect(const Rect& dstRect, const Bitmap& src, const Rect& srcRect) {
  const int64_t dw = int64_t{dstRect.right} - dstRect.left, dh = int64_t{dstRect.bottom} - dstRect.top;
  const int64_t sw = int64_t{srcRect.right} - srcRect.left, sh = int64_t{srcRect.bottom} - srcRect.top;
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0 || src.IsEmpty() || target_->IsEmpty()) return;
  const bool mirrorX = (dw < 0) != (sw < 0), mirrorY = (dh < 0) != (sh < 0);
  const Rect d = ClampRect(dstRect.left, dstRect.top, dstRect.right, dstRect.bottom).Normalized();
  const Rect s = ClampRect(srcRect.left, srcRect.top, srcRect.right, srcRect.bottom).Normalized();
  if (d.IsEmpty() || s.IsEmpty()) return;
  if (!mirrorX && !mirrorY && d.Width() == s.Width() && d.Height() == s.Height()) {
    Blit({d.left, d.top}, src, s);
    return;
  }
  if (SharesMemory(src, *target_)) {
    const Bitmap copy = src;
    CopyRect(dstRect, copy, srcRect);
    return;
  }
  const Rect visible = d.Intersect(target_->Bounds());
  if (visible.IsEmpty()) return;
  const AxisMap xs = NearestAxis(d.left, d.Width(), s.left, s.Width(), mirrorX, visible.left, visible.right,
                                 src.Width());
  const AxisMap ys = NearestAxis(d.top, d.Height(), s.top, s.Height(), mirrorY, visible.top, visible.bottom,
                                 src.Height());
  if (xs.samples.empty() || ys.samples.empty()) return;
  Touch(Rect{xs.from, ys.from, xs.to, ys.to}.Intersect(target_->Bounds()));
  ForEachPiece(Rect{xs.from, ys.from, xs.to, ys.to}, [&](const Rect& piece) {
    const int* xmap = xs.samples.data() + (piece.left - xs.from);
    const int n = piece.Width();
    const auto bytes = static_cast<size_t>(n) * sizeof(Pixel);
    // A row that is a plain run of the source (a stretch along y only) is
    // left to the run copy.
    const bool plainRun = !mirrorX && xmap[n - 1] - xmap[0] == n - 1;
    const RowGather gather(xmap, plainRun ? 0 : n, src.Width());
    const RowSpans spans = gather.Usable() ? RowSpans{}
                           : mirrorX       ? RowSpans{true, {}, 0, 0}
                                           : ColumnSpans(xmap, n, src.Width());
    for (int y = piece.top; y < piece.bottom; ++y) {
      const int sy = ys.samples[static_cast<size_t>(y - ys.from)];
      Pixel* out = target_->Row(y) + piece.left;
      if (y > piece.top && ys.samples[static_cast<size_t>(y - 1 - ys.from)] == sy) {
        std::memcpy(out, target_->Row(y - 1) + piece.left, bytes);  // enlarging: repeat the row
      } else if (gather.Usable()) {
        gather.Draw(out, src.Row(sy));
      } else {
        DrawSpans(out, src.Row(sy), xmap, n, spans);
      }
    }
  });
}

void Canvas::ResampleHighQuality(const Rect& dstRect, const Bitmap& src, const Rect& srcRect) {
  const Rect d = ClampRect(dstRect.left, dstRect.top, dstRect.right, dstRect.bottom).Normalized();
  const Rect s = ClampRect(srcRect.left, srcRect.top, srcRect.right, srcRect.bottom).Normalized();
  if (d.IsEmpty() || s.IsEmpty() || target_->IsEmpty()) return;
  const Rect visible = d.Intersect(target_->Bounds());
  if (visible.IsEmpty()) return;
  // The same positions as a nearest copy decide which pixels are written.
  const AxisMap xs = NearestAxis(d.left, d.Width(), s.left, s.Width(), false, visible.left, visible.right,
                                 src.Width());
  const AxisMap ys = NearestAxis(d.top, d.Height(), s.top, s.Height(), false, visible.top, visible.bottom,
                                 src.Height());
  if (xs.samples.empty() || ys.samples.empty()) return;
  const Rect valid = s.Intersect(src.Bounds());
  const Rect out{xs.from, ys.from, xs.to, ys.to};
  if (!clip_ && !SharesMemory(src, *target_)) {
    // The written part lies inside the target: resample straight into it.
    Touch(out);
    Resample(src, s, valid, d, out, *target_, {out.left, out.top});
    return;
  }
  Bitmap result(out.Width(), out.Height());
  Resample(src, s, valid, d, out, result, {0, 0});
  Blit({out.left, out.top}, result, result.Bounds());
}

void Canvas::FillRect(const Rect& rect, Pixel color) {
  Touch(rect.Normalized().Intersect(target_->Bounds()));
  ForEachRun(rect.Normalized(), [&](int y, int x0, int x1) { std::fill_n(target_->Row(y) + x0, x1 - x0, color); });
}

void Canvas::FillRegion(const Region& region, Pixel color) {
  const Region area = clip_ ? region.Intersect(*clip_) : region;
  Touch(area.Bounds().Intersect(target_->Bounds()));
  area.ForEachRectIn(target_->Bounds(), [&](const Rect& piece) {
    for (int y = piece.top; y < piece.bottom; ++y) std::fill_n(target_->Row(y) + piece.left, piece.Width(), color);
  });
}

void Canvas::FrameRect(const Rect& rect, Pixel color) {
  if (rect.IsEmpty()) return;
  FillRect({rect.left, rect.top, rect.right, rect.top + 1}, color);
  FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, color);
  FillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, color);
  FillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, color);
}

void Canvas::Ellipse(const Rect& rect, Pixel color) { FillRegion(Region::FromEllipse(rect), color); }

void Canvas::HLine(int x0, int x1, int y, Pixel color) {
  FillRect(ClampRect(x0, y, x1, int64_t{y} + 1).Normalized(), color);
}

void Canvas::VLine(int x, int y0, int y1, Pixel color) {
  FillRect(ClampRect(x, y0, int64_t{x} + 1, y1).Normalized(), color);
}

void Canvas::LineTo(Point to, Pixel color) {
  // Far coordinates are clamped; this changes no pixel inside any bitmap for
  // horizontal and vertical lines, and keeps the arithmetic below in range.
  const Point a{Clamp(pen_.x), Clamp(pen_.y)};
  const Point p{Clamp(to.x), Clamp(to.y)};
  pen_ = to;
  if (a.y == p.y) {  // the end point is left out, on whichever side it lies
    FillRect(a.x <= p.x ? Rect{a.x, a.y, p.x, a.y + 1} : Rect{p.x + 1, a.y, a.x + 1, a.y + 1}, color);
    return;
  }
  if (a.x == p.x) {
    FillRect(a.y <= p.y ? Rect{a.x, a.y, a.x + 1, p.y} : Rect{a.x, p.y + 1, a.x + 1, a.y + 1}, color);
    return;
  }
  // Along the major axis one pixel per step, the minor coordinate rounded to
  // the nearest pixel (halves away from the start), stopping before the end
  // point. Only the steps whose major coordinate lies in the target are visited.
  const int64_t ax = a.x, ay = a.y, bx = p.x, by = p.y;
  const bool xMajor = std::llabs(bx - ax) >= std::llabs(by - ay);
  const int64_t major0 = xMajor ? ax : ay, minor0 = xMajor ? ay : ax;
  const int64_t dMajor = xMajor ? bx - ax : by - ay, dMinor = xMajor ? by - ay : bx - ax;
  const int64_t steps = std::llabs(dMajor), run = std::llabs(dMinor);
  if (steps == 0) return;
  const int sMajor = dMajor > 0 ? 1 : -1, sMinor = dMinor > 0 ? 1 : -1;
  const int64_t limit = xMajor ? target_->Width() : target_->Height();
  // Steps k with 0 <= major0 + sMajor * k < limit.
  int64_t kFrom = sMajor > 0 ? -major0 : major0 - (limit - 1);
  int64_t kTo = sMajor > 0 ? limit - 1 - major0 : major0;
  kFrom = std::max<int64_t>(kFrom, 0);
  kTo = std::min<int64_t>(kTo, steps - 1);
  for (int64_t k = kFrom; k <= kTo; ++k) {
    const int64_t major = major0 + sMajor * k;
    const int64_t minor = minor0 + sMinor * ((2 * k * run + steps) / (2 * steps));
    const int64_t x = xMajor ? major : minor, y = xMajor ? minor : major;
    if (x >= 0 && y >= 0 && x < target_->Width() && y < target_->Height())
      SetPixel(static_cast<int>(x), static_cast<int>(y), color);
  }
}

void Canvas::SetPixel(int x, int y, Pixel color) {
  if (!target_->Bounds().Contains(x, y) || (clip_ && !clip_->Contains(x, y))) return;
  target_->At(x, y) = color;
  Touch({x, y, x + 1, y + 1});
}

std::optional<Pixel> Canvas::GetPixel(int x, int y) const {
  if (!target_->Bounds().Contains(x, y)) return std::nullopt;
  return target_->At(x, y);
}

void Canvas::CopyPixel(Point to, const Bitmap& src, Point from) {
  if (!src.Bounds().Contains(from.x, from.y)) return;
  SetPixel(to.x, to.y, src.At(from.x, from.y));
}

void Canvas::EditRuns(const Rect& rect, const RunEditor& edit) {
  ForEachRun(rect.Normalized(), [&](int y, int x0, int x1) {
    edit(target_->Row(y), y, x0, x1);
    Touch({x0, y, x1, y + 1});
  });
}

void TileBitmap(Bitmap& target, const Bitmap& tile) {
  if (tile.IsEmpty()) return;
  Canvas canvas(target);
  const int w = tile.Width();
  const int h = tile.Height();
  for (int a = 0; a <= target.Width() / w; ++a)
    for (int b = 0; b <= target.Height() / h; ++b) canvas.Draw({a * w, b * h}, tile);
}

}  // namespace raster
