// Drawing operations on a target bitmap, in place of a GDI device context.
//
// Every operation clips to the target bitmap, to the source bitmap and to the
// clip region if one is selected: rectangles may reach past either bitmap or be
// reversed, and nothing is ever read or written outside a bitmap. Destination
// pixels whose source pixel lies outside the source bitmap are left unchanged.
// Source and target may be the same bitmap (or wrap the same memory); overlapping
// copies behave as if the source were read completely first.
#pragma once

#include <functional>
#include <optional>

#include "raster/bitmap.h"
#include "raster/region.h"

namespace raster {

class Canvas {
 public:
  explicit Canvas(Bitmap& target) : target_(&target) {}
  Canvas(Bitmap& target, const Region& clip) : target_(&target) { SetClip(clip); }

  Bitmap& Target() const { return *target_; }

  // SelectClipRgn: the canvas keeps its own copy, in target coordinates.
  void SetClip(const Region& clip) { clip_ = clip; }
  void SetClip(Region&& clip) { clip_ = std::move(clip); }
  void ClearClip() { clip_.reset(); }
  const Region* Clip() const { return clip_ ? &*clip_ : nullptr; }

  // The bounds of everything drawn since the last call (inside the target;
  // empty when nothing was): what has to be brought onto the screen.
  Rect TakeTouched() {
    const Rect touched = touched_;
    touched_ = {};
    return touched;
  }

  // BitBlt SRCCOPY: copies `srcRect` of `src` 1:1 with its top-left corner at
  // `dst`. A reversed `srcRect` is put in order.
  void Blit(Point dst, const Bitmap& src, const Rect& srcRect);
  // Draws the whole of `src` with its top-left corner at `at`.
  void Draw(Point at, const Bitmap& src) { Blit(at, src, src.Bounds()); }

  // StretchBlt with COLORONCOLOR (nearest neighbour): maps `srcRect` onto
  // `dstRect`. When exactly one of the two rectangles is reversed in x (or in
  // y), the picture is mirrored on that axis, as GDI does. Equal sizes copy
  // 1:1 at memcpy speed. Destination pixel i (counted from the rectangle's
  // ordered left edge) samples source pixel floor((i + 0.5) * sw / dw).
  void CopyRect(const Rect& dstRect, const Bitmap& src, const Rect& srcRect);
  // Stretches the whole of `src` onto `dstRect`.
  void StretchDraw(const Rect& dstRect, const Bitmap& src) { CopyRect(dstRect, src, src.Bounds()); }

  // A quality resampling for fitting a picture once: area averaging on an axis
  // that shrinks, bilinear on an axis that grows. Both rectangles are put in
  // order (no mirroring). Filter taps stay inside the part of `srcRect` that
  // lies in `src`.
  void ResampleHighQuality(const Rect& dstRect, const Bitmap& src, const Rect& srcRect);

  // FillRect: a reversed rectangle is put in order first, as PatBlt does.
  void FillRect(const Rect& rect, Pixel color);
  // Fills the pixels of `region` (further clipped by the canvas clip).
  void FillRegion(const Region& region, Pixel color);
  // FrameRect: the one-pixel border just inside `rect`; nothing when empty.
  void FrameRect(const Rect& rect, Pixel color);
  // Ellipse with pen and brush of one colour: fills exactly
  // Region::FromEllipse(rect).
  void Ellipse(const Rect& rect, Pixel color);

  // Lines in GDI's manner: from the current position up to, not including, the
  // end point, which becomes the current position.
  void MoveTo(Point p) { pen_ = p; }
  void LineTo(Point p, Pixel color);
  Point PenPosition() const { return pen_; }
  // One-pixel horizontal line on row y: pixels min(x0, x1) .. max(x0, x1) - 1.
  void HLine(int x0, int x1, int y, Pixel color);
  // One-pixel vertical line in column x: pixels min(y0, y1) .. max(y0, y1) - 1.
  void VLine(int x, int y0, int y1, Pixel color);

  // Pixels[x, y] := color; outside the target or the clip does nothing.
  void SetPixel(int x, int y, Pixel color);
  // Pixels[x, y]; nothing outside the target (the clip does not limit reading).
  std::optional<Pixel> GetPixel(int x, int y) const;
  // Copies one pixel of `src` at `from` to `to` when both are inside their
  // bitmaps and `to` is inside the clip.
  void CopyPixel(Point to, const Bitmap& src, Point from);

  // Direct pixel work for patterns no copy above covers (interleaved lines,
  // scattered pixels): calls edit(row, y, x0, x1) for every run x0..x1 - 1 of
  // row y of `rect` inside the target and the clip, with `row` pointing at the
  // row's pixel 0, and counts the runs as drawn. `edit` may change only the
  // pixels of its run.
  using RunEditor = std::function<void(Pixel* row, int y, int x0, int x1)>;
  void EditRuns(const Rect& rect, const RunEditor& edit);

 private:
  // Calls f(piece) for every part of `dst` inside the target and the clip.
  template <class F>
  void ForEachPiece(const Rect& dst, F&& f) const;
  // Calls f(y, x0, x1) for every run of pixels of `dst` inside the target and
  // the clip, row by row (memory order, for streaming copies and fills).
  template <class F>
  void ForEachRun(const Rect& dst, F&& f) const;

  // Adds a drawn rectangle (already inside the target) to the touched bounds.
  void Touch(const Rect& drawn);

  Bitmap* target_;
  std::optional<Region> clip_;
  Point pen_;
  Rect touched_;
};

// Repeats `tile` over `target` from its top-left corner; the last column and
// row are cut by the target's edges. An empty tile draws nothing.
void TileBitmap(Bitmap& target, const Bitmap& tile);

}  // namespace raster
