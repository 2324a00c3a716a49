// The sizing and placement rules of slide pictures: fit inside the show area,
// the area-proportioned crop of fit mode 2, centred and random placement, and
// the tile size of tiled backgrounds. Pure arithmetic on sizes.
#pragma once

#include <cstdint>

#include "base/random.h"
#include "raster/geometry.h"

namespace player {

struct Size {
  int width = 0;
  int height = 0;
  bool IsEmpty() const { return width <= 0 || height <= 0; }
  friend bool operator==(const Size&, const Size&) = default;
};

// Round to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

// The fit-inside rule: a picture wider or higher than the area shrinks, keeping
// its proportions, until it fits; a picture that fits is never enlarged.
Size FitWithin(Size picture, Size area);

// Fit mode 2: the largest rectangle with the area's proportions cut from the
// picture's top-left corner: the full width when the picture is (relatively)
// taller than the area, else the full height.
raster::Rect FitByHeight(Size picture, Size area);

// What a fit mode makes of a picture of its own size `picture` in the show area.
struct FitPlan {
  bool keepPrevious = false;  // an unknown mode: the previous picture stays
  raster::Rect crop;          // the part of the picture that is used
  Size size;                  // the fitted picture's size
};
// Modes: 0 actual size, 1 fit inside, 2 area-proportioned crop stretched over
// the area, 3 stretched over the area. In preview, modes 0 and 2 act as 1.
FitPlan PlanFit(int fitMode, bool preview, Size picture, Size area);

// The size the whole picture must at least have, after a reduced-scale
// decode, for its part `plan.crop` to still cover `plan.size`.
Size CoverBox(const FitPlan& plan, Size picture);

// (W - width) div 2 and (H - height) div 2: negative, centring a crop, when the
// picture is larger than the area.
raster::Point CentredOrigin(Size picture, Size area);
// A random position that keeps the picture inside the area on each axis where
// it fits (0 .. W - width - 1; 0 without drawing when it fills the axis
// exactly); an axis where the picture is larger is centred instead.
raster::Point RandomOrigin(Size picture, Size area, base::Random& random);

// Tile width of a tiled background: round(W / n) + 1 when the count is random
// (n drawn by the caller from 1 .. count), else round(picture width / count) + 1,
// never below 16. A count below 1 counts as 1.
int TileWidth(bool randomCount, int drawnCount, int count, int showWidth, int pictureWidth);
// round(picture height * tile width / picture width), at least 1.
int TileHeight(int tileWidth, Size picture);

inline constexpr int kMinTileWidth = 16;

}  // namespace player
