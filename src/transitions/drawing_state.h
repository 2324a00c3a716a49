// The drawing state shared by the transition engine and every effect. Only one
// transition runs at a time, and every start overwrites the whole set. The
// bitmaps are borrowed from the run window; the state owns only the lists that
// an effect builds (freed by that effect's final step).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/random.h"
#include "raster/bitmap.h"
#include "raster/canvas.h"
#include "raster/geometry.h"

namespace transitions {

struct DrawingState {
  // Where the picture's top-left corner lies on the target.
  int32_t OriginX = 0;
  int32_t OriginY = 0;
  // Drawing surface on the show image; every effect draws here.
  std::optional<raster::Canvas> TargetCanvas;
  // The incoming picture and the outgoing image (read only).
  const raster::Bitmap* SourceBitmap = nullptr;
  const raster::Bitmap* BackBitmap = nullptr;
  // The program's random generator.
  base::Random* Rng = nullptr;

  int32_t Step = 0;      // speed: pixels per tick for the pixel-moving effects
  int32_t Position = 0;  // progress: pixel offset, index, row or column
  int32_t Phase = 0;
  int32_t Counter = 0;
  int32_t PicWidth = 0;
  int32_t PicHeight = 0;
  int32_t HalfX = 0;
  int32_t HalfY = 0;
  int32_t Limit = 0;
  float Ratio = 0.0f;  // PicHeight / PicWidth
  int32_t CellW = 0;
  int32_t CellH = 0;
  std::array<raster::Point, 7> Points{};
  std::vector<raster::Point> CellList;
  std::vector<int32_t> LineList;
  std::array<uint8_t, 65> SpiralX{};  // used 1..64
  std::array<uint8_t, 65> SpiralY{};
  int32_t BarCount = 0;
  int32_t BarSize = 0;
  int32_t GrowW = 0;
  int32_t GrowH = 0;
  int32_t GridX = 0;
  int32_t GridY = 0;
  // Bookkeeping that lets an effect skip redrawing what a frame would copy
  // again unchanged: a picture rectangle that already shows the picture, and
  // the bounds outside of which nothing of the old image is left.
  raster::Rect ShownRect{};
  raster::Rect OldBounds{};

  // A rectangle in picture coordinates moved onto the target.
  raster::Rect PicRect(int32_t left, int32_t top, int32_t right, int32_t bottom) const {
    return {left + OriginX, top + OriginY, right + OriginX, bottom + OriginY};
  }
  raster::Rect PicRect(const raster::Rect& r) const { return PicRect(r.left, r.top, r.right, r.bottom); }
  raster::Rect PictureBounds() const { return {0, 0, PicWidth, PicHeight}; }
  raster::Canvas& Canvas() { return *TargetCanvas; }
  // Random(n): 0 .. n - 1.
  int32_t Random(int32_t n) { return Rng->Next(n); }
};

}  // namespace transitions
