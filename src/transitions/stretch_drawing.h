// Drawing helpers of the effects that change the geometry of what is shown:
// the whole picture stretched into a rectangle, a strip mirrored in place, and
// rectangles that grow from an edge. All rectangles are in picture
// coordinates and are cut to the picture before anything is drawn.
#pragma once

#include <cstdint>

#include "raster/geometry.h"
#include "transitions/drawing_state.h"
#include "transitions/effect.h"

namespace transitions {

// The band between the distances `from` and `to` from the edge that the
// travel `d` starts at (the left edge for kRight, the bottom edge for kUp...).
raster::Rect BandFromStart(const DrawingState& s, Direction d, int32_t from, int32_t to);
// How far the travel `d` has come when Position counts from that edge
// (kDown, kRight) or from the far side down to 0 (kUp, kLeft).
int32_t Reached(const DrawingState& s, Direction d);
// Advances Position by `by` pixels in the travel `d`.
void Advance(DrawingState& s, Direction d, int32_t by);

// Stretches the whole source (nearest neighbour) into PicRect(r).
void StretchPictureInto(DrawingState& s, const raster::Rect& r);
// Copies `r` of the source in place, mirrored across the travel `d` (the
// last line of `r` along d lands on the first).
void DrawPictureMirrored(DrawingState& s, const raster::Rect& r, Direction d);

// One frame of a growing rectangle: the whole picture stretched into `r`, or
// with `inPlace` the picture under `r` copied 1:1 (only what ShownRect does
// not show yet). FinishGrown draws the final frame: the whole picture.
void DrawGrownRect(DrawingState& s, const raster::Rect& r, bool inPlace);
void FinishGrown(DrawingState& s, bool inPlace);

}  // namespace transitions
