// The drawing state shared by the transition engine and every effect. Only one
// transition runs at a time, and every start overwrites the whole set. The
// bitmaps are borrowed from the run window; the state owns only the lists that
// an effect builds (freed by that effect's final step).
//
// The start sets the first group for every effect. Beyond it, each effect uses
// only the fields listed for it here (families in the order of their files):
//
//   straight bands                  Position, ShownRect
//   corner bands                    Position, Ratio, ShownRect
//   bands from / to center          Position, HalfX, HalfY, Ratio, ShownRect / OldBounds
//   scans                           Position; to center and to edge: HalfX or HalfY
//   shutters                        Position, BarCount, BarSize
//   sweeps, window blinds           Position
//   interlaced lines                Position, Phase
//   random lines                    LineList
//   plain and corner moves          Position, Limit; corner: Ratio
//   split moves, two bars           Position, HalfX or HalfY; split: Limit
//   numbered moves                  Position, Phase, HalfX or HalfY
//   sliced moves                    Position, Counter (Step is capped by prepare)
//   radial sweeps                   Position, Phase, Points[0] (pivot), Points[1]
//   ellipses                        Position, Phase, HalfX, HalfY, Limit
//   cross, diamond, fan             Position, Phase, HalfX, HalfY, Ratio
//   wedges                          Position, Phase, HalfX, HalfY
//   corner and diagonal wipes       Position, Phase, Ratio; corner: Points[0]
//   multi-wipes                     Position, CellW, CellH, Ratio
//   edge stretches, rains           Position
//   corner stretches and grows      GrowW, GrowH; "Show from": ShownRect
//   centre stretch and grows        Position, HalfX, HalfY, Limit; "Center(Diffuse)":
//                                   ShownRect; "Center(Envelop)": OldBounds
//   rolls                           Position, ShownRect
//   combs                           Position, HalfX or HalfY
//   mosaic                          CellW, CellH, CellList
//   checkerboards                   Position, Phase, CellW, CellH
//   block spiral                    Position, CellW, CellH, SpiralX, SpiralY
//   zig-zags                        CellW, CellH, GridX, GridY
//   multi-boxes                     Position, CellW, CellH, Ratio
//   dissolve                        Position, Counter, PixelMarks, NumbersAhead
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/random.h"
#include "base/random_ahead.h"
#include "raster/bitmap.h"
#include "raster/canvas.h"
#include "raster/geometry.h"

namespace transitions {

struct DrawingState {
  // Set by the start for every effect. -----------------------------------
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
  int32_t Step = 0;  // speed: pixels per tick for the pixel-moving effects
  int32_t PicWidth = 0;
  int32_t PicHeight = 0;

  // Progress. -------------------------------------------------------------
  int32_t Position = 0;  // pixel offset, index, row or column, per effect
  int32_t Phase = 0;     // the phase of a multi-phase effect
  int32_t Counter = 0;   // a second counter: the moving slice, the dissolve's row round

  // Geometry fixed by prepare. --------------------------------------------
  int32_t HalfX = 0;     // centre, or where a picture is cut in two
  int32_t HalfY = 0;
  int32_t Limit = 0;     // end value of Position
  float Ratio = 0.0f;    // PicHeight / PicWidth
  int32_t CellW = 0;     // grid cell size
  int32_t CellH = 0;

  // Fields of one family each. -------------------------------------------
  std::array<raster::Point, 7> Points{};  // shape reveals: polygon buffer
  std::vector<raster::Point> CellList;    // mosaic: cells not yet shown
  std::vector<int32_t> LineList;          // random lines: lines not yet shown
  std::array<uint8_t, 65> SpiralX{};      // block spiral: cell order, used 1..64
  std::array<uint8_t, 65> SpiralY{};
  int32_t BarCount = 0;                   // shutters
  int32_t BarSize = 0;
  int32_t GrowW = 0;                      // corner stretches and grows: current extents
  int32_t GrowH = 0;
  int32_t GridX = 0;                      // zig-zags: current cell
  int32_t GridY = 0;
  std::vector<uint64_t> PixelMarks;       // dissolve: the pixels a tick copies
  base::RandomAhead NumbersAhead;         // dissolve: the next tick's random numbers

  // Bookkeeping that lets an effect skip redrawing what a frame would copy
  // again unchanged: a picture rectangle that already shows the picture, and
  // the bounds outside of which nothing of the old image is left. Reset by
  // ReadPictureSize.
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
