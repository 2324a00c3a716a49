// Drawing helpers of the effects that slide the picture, or parts of it, onto
// the target: a source rectangle is copied 1:1 to a destination rectangle of
// the same size at another place, and the trail left behind is restored from
// the back bitmap. Both are clipped so that nothing is read outside the
// picture and nothing is drawn outside the picture rectangle.
#pragma once

#include <cstdint>

#include "raster/geometry.h"
#include "transitions/drawing_state.h"
#include "transitions/effect.h"

namespace transitions {

// Copies `src` of the source to PicRect(dst); a part of either that lies
// outside the picture is left out on both sides.
void DrawPictureAt(DrawingState& s, const raster::Rect& src, const raster::Rect& dst);
// Copies PicRect(r) of the back bitmap to the same place on the target.
void RestoreBack(DrawingState& s, const raster::Rect& r);

// A band across the whole picture between `from` and `to` along the travel
// `d`, measured so that the entry edge (where moving content comes in) lies at
// AlongSize: left and up run as they are, right and down are mirrored.
raster::Rect TravelBand(const DrawingState& s, Direction d, int32_t from, int32_t to);
// The same with a part `across0`..`across1` across the travel.
raster::Rect TravelRect(const DrawingState& s, Direction d, int32_t from, int32_t to, int32_t across0,
                        int32_t across1);

}  // namespace transitions
