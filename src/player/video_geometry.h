// Where a video appears: its size on screen from the project's size mode, and
// its place inside the show area.
#pragma once

#include <cstdint>

#include "base/random.h"
#include "player/frame_fit.h"
#include "raster/geometry.h"

namespace player {

using VideoSize = Size;

// The shown size of a video of `native` size. The preview always shows it 300
// pixels wide. Otherwise by size mode: 0 native, 1 doubled, 2 a quarter of
// the screen width, 3 half of it, 4 the width over 1.4142, 5 the whole width;
// the modes 2 to 5 keep the aspect and take one pixel off the height. Any
// other mode keeps `previous`, the size of the video before.
VideoSize VideoShownSize(int32_t sizeMode, bool preview, VideoSize native, int32_t screenWidth, VideoSize previous);

// The top-left corner of the shown video in an area of `area` size: centred,
// or anywhere it fits when `randomPlacement` is set. A video that does not fit
// the area in a direction is centred in that direction (cut at both sides).
raster::Point VideoOrigin(bool randomPlacement, VideoSize area, VideoSize shown, base::Random& random);

}  // namespace player
