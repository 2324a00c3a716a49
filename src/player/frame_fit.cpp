#include "player/frame_fit.h"

#include <algorithm>
#include <cmath>

namespace player {
namespace {

// Sizes computed from project data and screen sizes stay small; clamp anyway
// so a degenerate ratio cannot overflow the conversion.
int RoundedSide(double value) { return RoundHalfEven(std::clamp(value, 0.0, 1e9)); }

}  // namespace

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

Size FitWithin(Size picture, Size area) {
  const auto w = static_cast<double>(picture.width);
  const auto h = static_cast<double>(picture.height);
  if (picture.IsEmpty()) return picture;
  const auto byWidth = [&] { return Size{area.width, RoundedSide(h / w * area.width)}; };
  const auto byHeight = [&] { return Size{RoundedSide(w / h * area.height), area.height}; };
  if (picture.width > area.width) {
    const Size s = byWidth();
    return s.height > area.height ? byHeight() : s;
  }
  if (picture.height > area.height) {
    const Size s = byHeight();
    return s.width > area.width ? byWidth() : s;
  }
  return picture;
}

raster::Rect FitByHeight(Size picture, Size area) {
  if (picture.IsEmpty() || area.IsEmpty()) return {0, 0, std::max(picture.width, 0), std::max(picture.height, 0)};
  const auto w = static_cast<double>(picture.width);
  const auto h = static_cast<double>(picture.height);
  // Full width when the picture is no wider, in proportion, than the area; the
  // cut then always lies inside the picture.
  if (int64_t{picture.width} * area.height <= int64_t{picture.height} * area.width) {
    const int cut = std::clamp(RoundedSide(static_cast<double>(area.height) / area.width * w), 1, picture.height);
    return {0, 0, picture.width, cut};
  }
  const int cut = std::clamp(RoundedSide(static_cast<double>(area.width) / area.height * h), 1, picture.width);
  return {0, 0, cut, picture.height};
}

FitPlan PlanFit(int fitMode, bool preview, Size picture, Size area) {
  const raster::Rect whole{0, 0, std::max(picture.width, 0), std::max(picture.height, 0)};
  if (preview && (fitMode == 0 || fitMode == 2)) fitMode = 1;
  switch (fitMode) {
    case 0: return {false, whole, picture};
    case 1: return {false, whole, FitWithin(picture, area)};
    case 2: return {false, FitByHeight(picture, area), area};
    case 3: return {false, whole, area};
    default: return {true, whole, picture};
  }
}

Size CoverBox(const FitPlan& plan, Size picture) {
  if (plan.crop.IsEmpty() || plan.size.IsEmpty()) return {};
  const auto side = [](int64_t want, int64_t whole, int64_t part) {
    return static_cast<int>(std::min<int64_t>((want * whole + part - 1) / part, whole));
  };
  return {side(plan.size.width, picture.width, plan.crop.Width()),
          side(plan.size.height, picture.height, plan.crop.Height())};
}

raster::Point CentredOrigin(Size picture, Size area) {
  return {(area.width - picture.width) / 2, (area.height - picture.height) / 2};
}

raster::Point RandomOrigin(Size picture, Size area, base::Random& random) {
  const raster::Point centred = CentredOrigin(picture, area);
  const auto axis = [&](int room, int centre) {
    if (room < 0) return centre;
    return room == 0 ? 0 : static_cast<int>(random.Next(room));
  };
  const int x = axis(area.width - picture.width, centred.x);
  const int y = axis(area.height - picture.height, centred.y);
  return {x, y};
}

int TileWidth(bool randomCount, int drawnCount, int count, int showWidth, int pictureWidth) {
  const double across = randomCount ? static_cast<double>(showWidth) / std::max(drawnCount, 1)
                                    : static_cast<double>(pictureWidth) / std::max(count, 1);
  return std::max(RoundedSide(across) + 1, kMinTileWidth);
}

int TileHeight(int tileWidth, Size picture) {
  if (picture.IsEmpty()) return 1;
  return std::max(RoundedSide(static_cast<double>(picture.height) * tileWidth / picture.width), 1);
}

}  // namespace player
