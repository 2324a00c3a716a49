// Drawing the stand-in player's stage into its window: the whole window in the
// background colour, then the shapes on the stage at the current frame, with
// the stage fitted to the window by the control's scale and align modes.
#pragma once

#include <cstdint>
#include <span>

#include "player/flash_movie.h"
#include "player/flash_timeline.h"
#include "raster/bitmap.h"
#include "raster/region.h"

namespace player::flash {

// The control's ScaleMode values.
enum ScaleMode : int32_t { kShowAll = 0, kNoBorder = 1, kExactFit = 2, kNoScale = 3 };
// AlignMode is a set of these; an axis without either flag is centred.
enum AlignFlag : int32_t { kAlignLeft = 1, kAlignRight = 2, kAlignTop = 4, kAlignBottom = 8 };

// Window pixel = offset + (twips - stage corner) / 20 * scale, per axis.
struct StageView {
  double scaleX = 1, scaleY = 1;
  double offsetX = 0, offsetY = 0;
  int stageLeft = 0, stageTop = 0;  // twips

  TwipPoint ToWindow(TwipPoint twips) const {
    return {static_cast<float>(offsetX + (twips.x - stageLeft) / kTwipsPerPixel * scaleX),
            static_cast<float>(offsetY + (twips.y - stageTop) / kTwipsPerPixel * scaleY)};
  }
};

// An unknown scale mode shows all of the stage, as mode 0.
StageView FitStage(const raster::Rect& stageTwips, int windowWidth, int windowHeight, int32_t scaleMode,
                   int32_t alignMode);

// The pixels inside the closed loops of `edges` (window pixels) by the
// even-odd rule: those whose centres have an odd number of edges to their left.
raster::Region EvenOddRegion(std::span<const Segment> edges, const raster::Rect& window);

void DrawStage(raster::Bitmap& target, const Movie& movie, const MovieTimeline& timeline, const StageView& view,
               raster::Pixel background);

}  // namespace player::flash
