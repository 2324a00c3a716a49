// Drawing helpers shared by the effects. All rectangles are in picture
// coordinates and are clipped to the picture before anything is drawn, so an
// effect may compute strips that reach past the picture.
#pragma once

#include <cstdint>

#include "raster/geometry.h"
#include "raster/region.h"
#include "transitions/drawing_state.h"
#include "transitions/effect.h"

namespace transitions {

// Copies `r` of the source 1:1 to PicRect(r).
void CopyPicture(DrawingState& s, const raster::Rect& r);
// Copies the part of `r` outside `skip` (up to four rectangles).
void CopyPictureExcept(DrawingState& s, const raster::Rect& r, const raster::Rect& skip);
// Draws the whole source at the origin.
void DrawWholePicture(DrawingState& s);
// Draws the source at the origin through `clip` (picture coordinates); the clip
// is limited to the picture and removed afterwards.
void DrawPictureThrough(DrawingState& s, const raster::Region& clip);

// Sets PicWidth and PicHeight from the source bitmap.
void ReadPictureSize(DrawingState& s);
// PicHeight / PicWidth, 0 for an empty picture.
float PictureRatio(const DrawingState& s);
// value * Ratio rounded to the nearest integer, halves to the even neighbour.
int32_t ScaleByRatio(const DrawingState& s, int32_t value);

// Geometry along a direction of travel: "along" runs with the front (y for
// down/up, x for right/left), "across" along the front.
bool IsVertical(Direction d);
bool IsReverse(Direction d);
int32_t AlongSize(const DrawingState& s, Direction d);
int32_t AcrossSize(const DrawingState& s, Direction d);
raster::Rect AxisRect(Direction d, int32_t along0, int32_t along1, int32_t across0, int32_t across1);

// The prepare of effects whose front starts at the picture's edge: the size
// read, Position 0.
void PrepareFromEdge(DrawingState& s, const EffectArgs& args);

// The no-transition effect: the whole picture in one tick.
void PrepareNothing(DrawingState& s, const EffectArgs& args);
bool StepWholePicture(DrawingState& s, const EffectArgs& args);
inline constexpr Effect kNoTransitionEffect{PrepareNothing, StepWholePicture};

}  // namespace transitions
