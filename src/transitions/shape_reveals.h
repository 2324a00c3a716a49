// Shape reveals: the picture appears through a growing (or, "to center", a
// shrinking) shape built as a clip region each tick: radial sweeps round a
// pivot, ellipses, a cross, a diamond, a four-bladed fan, wedges, corner and
// diagonal triangles and a grid of small triangles. Every tick draws only what
// its frame adds to the previous one (phased_reveal, and multi_wipes per cell).
#pragma once

#include "transitions/effect.h"

namespace transitions {

// args.variant bits of the shape reveals.
inline constexpr int32_t kShapeRight = 1;         // corner effects: the right-hand corner
inline constexpr int32_t kShapeBottom = 2;        // corner effects: the bottom corner
inline constexpr int32_t kShapeToCenter = 4;      // the shape shrinks; the rest of the picture shows
inline constexpr int32_t kShapeAnticlockwise = 8; // the fan turns the other way

// Radial sweep round args.point (the pivot).
void PrepareRadialSweep(DrawingState& s, const EffectArgs& args);
bool StepRadialSweep(DrawingState& s, const EffectArgs& args);
// Ellipse growing from or shrinking to the centre (kShapeToCenter).
void PrepareCenterEllipse(DrawingState& s, const EffectArgs& args);
bool StepCenterEllipse(DrawingState& s, const EffectArgs& args);
// Circle growing round args.point (the centre).
void PrepareRandomCircle(DrawingState& s, const EffectArgs& args);
bool StepRandomCircle(DrawingState& s, const EffectArgs& args);
// Cross and diamond from or to the centre (kShapeToCenter).
void PrepareCross(DrawingState& s, const EffectArgs& args);
bool StepCross(DrawingState& s, const EffectArgs& args);
void PrepareDiamond(DrawingState& s, const EffectArgs& args);
bool StepDiamond(DrawingState& s, const EffectArgs& args);
// Four blades turning round the centre (kShapeAnticlockwise).
void PrepareFan(DrawingState& s, const EffectArgs& args);
bool StepFan(DrawingState& s, const EffectArgs& args);
// A wedge opening from the edge args.direction travels away from.
void PrepareWedge(DrawingState& s, const EffectArgs& args);
bool StepWedge(DrawingState& s, const EffectArgs& args);
// A triangle growing from one corner (kShapeRight, kShapeBottom).
void PrepareCornerWipe(DrawingState& s, const EffectArgs& args);
bool StepCornerWipe(DrawingState& s, const EffectArgs& args);
// Triangles at two opposite corners: left-top/right-bottom, or with
// kShapeRight right-top/left-bottom; growing, or shrinking with kShapeToCenter.
void PrepareDiagonalWipe(DrawingState& s, const EffectArgs& args);
bool StepDiagonalWipe(DrawingState& s, const EffectArgs& args);
// The corner wipe in every cell of a 10 x 10 grid, one pixel per tick.
void PrepareMultiWipe(DrawingState& s, const EffectArgs& args);
bool StepMultiWipe(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kRadialSweepEffect{PrepareRadialSweep, StepRadialSweep};
inline constexpr Effect kCenterEllipseEffect{PrepareCenterEllipse, StepCenterEllipse};
inline constexpr Effect kRandomCircleEffect{PrepareRandomCircle, StepRandomCircle};
inline constexpr Effect kCrossEffect{PrepareCross, StepCross};
inline constexpr Effect kDiamondEffect{PrepareDiamond, StepDiamond};
inline constexpr Effect kFanEffect{PrepareFan, StepFan};
inline constexpr Effect kWedgeEffect{PrepareWedge, StepWedge};
inline constexpr Effect kCornerWipeEffect{PrepareCornerWipe, StepCornerWipe};
inline constexpr Effect kDiagonalWipeEffect{PrepareDiagonalWipe, StepDiagonalWipe};
inline constexpr Effect kMultiWipeEffect{PrepareMultiWipe, StepMultiWipe};

}  // namespace transitions
