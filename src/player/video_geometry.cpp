#include "player/video_geometry.h"

#include <algorithm>
#include <limits>

namespace player {
namespace {

constexpr int32_t kPreviewVideoWidth = 300;

constexpr double kLargest = std::numeric_limits<int32_t>::max();

int32_t Clamp(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, 0, std::numeric_limits<int32_t>::max()));
}

// Halves to even, kept inside the range of a size.
int64_t Rounded(double value) { return RoundHalfEven(std::clamp(value, 0.0, kLargest)); }

// A shown width and the height that keeps the native aspect, one pixel less.
// A video without a width has no aspect: it gets no height.
VideoSize KeepAspect(int64_t width, VideoSize native) {
  if (native.width <= 0) return {Clamp(width), 0};
  const double height = static_cast<double>(width * native.height) / native.width;
  return {Clamp(width), Clamp(Rounded(height) - 1)};
}

}  // namespace

VideoSize VideoShownSize(int32_t sizeMode, bool preview, VideoSize native, int32_t screenWidth, VideoSize previous) {
  if (preview) return KeepAspect(kPreviewVideoWidth, native);
  const int64_t screen = screenWidth;
  switch (sizeMode) {
    case 0: return native;
    case 1: return {Clamp(int64_t{2} * native.width), Clamp(int64_t{2} * native.height)};
    case 2: return KeepAspect(screen / 4, native);
    case 3: return KeepAspect(screen / 2, native);
    case 4: return KeepAspect(Rounded(static_cast<double>(screen) / 1.4142), native);
    case 5: return KeepAspect(screen, native);
    default: return previous;
  }
}

raster::Point VideoOrigin(bool randomPlacement, VideoSize area, VideoSize shown, base::Random& random) {
  const auto place = [&](int32_t room, int32_t size) {
    const int64_t free = int64_t{room} - size;
    if (randomPlacement && free > 0) return random.Next(static_cast<int32_t>(free));
    return static_cast<int32_t>(free / 2);  // towards zero, also when the video is larger
  };
  const int32_t x = place(area.width, shown.width);
  const int32_t y = place(area.height, shown.height);
  return {x, y};
}

}  // namespace player
