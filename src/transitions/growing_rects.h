// Rectangles that grow over the picture, or shrink into it:
// - edge stretches: the whole picture squeezed into a band that grows from
//   the edge args.direction starts at;
// - corner grows: a rectangle in the picture's proportions grows from the
//   corner in args.variant (kGrowRight, kGrowBottom); the smaller picture
//   side drives it, the other extent follows by integer scaling;
// - centre grows: a rectangle in the picture's proportions grows round the
//   centre;
// - centre envelop: the old image shrinks into the centre while the picture
//   closes in around it.
// Corner and centre grows stretch the whole picture into the rectangle, or
// with kGrowInPlace show the picture under it 1:1. All advance Step pixels per
// tick and end with a tick that draws the whole picture.
#pragma once

#include "transitions/effect.h"

namespace transitions {

inline constexpr int32_t kGrowRight = 1;
inline constexpr int32_t kGrowBottom = 2;
inline constexpr int32_t kGrowInPlace = 4;

void PrepareEdgeStretch(DrawingState& s, const EffectArgs& args);
bool StepEdgeStretch(DrawingState& s, const EffectArgs& args);
void PrepareCornerGrow(DrawingState& s, const EffectArgs& args);
bool StepCornerGrow(DrawingState& s, const EffectArgs& args);
void PrepareCenterGrow(DrawingState& s, const EffectArgs& args);
bool StepCenterGrow(DrawingState& s, const EffectArgs& args);
void PrepareCenterEnvelop(DrawingState& s, const EffectArgs& args);
bool StepCenterEnvelop(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kEdgeStretchEffect{PrepareEdgeStretch, StepEdgeStretch};
inline constexpr Effect kCornerGrowEffect{PrepareCornerGrow, StepCornerGrow};
inline constexpr Effect kCenterGrowEffect{PrepareCenterGrow, StepCenterGrow};
inline constexpr Effect kCenterEnvelopEffect{PrepareCenterEnvelop, StepCenterEnvelop};

}  // namespace transitions
