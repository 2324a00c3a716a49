// The ragged bands: a front of teeth whose ends overshoot by a fresh random
// 0..49 pixels every tick. Straight bands travel from one edge, corner bands
// grow from a corner in the picture's proportions, centre bands grow from or
// shrink to the middle.
#pragma once

#include "transitions/effect.h"

namespace transitions {

// Every tooth overshoots the front by Random(kOvershoot), drawn anew each tick.
inline constexpr int32_t kOvershoot = 50;
inline int32_t Overshoot(DrawingState& s) { return s.Random(kOvershoot); }

// Straight bands; args.tooth is the tooth width (5 large, 1 small) and
// args.direction the travel.
void PrepareStraightBand(DrawingState& s, const EffectArgs& args);
bool StepStraightBand(DrawingState& s, const EffectArgs& args);

// Corner bands; args.tooth is 15 or 5, args.variant holds kCornerRight and
// kCornerBottom for the corner the band grows from.
inline constexpr int32_t kCornerRight = 1;
inline constexpr int32_t kCornerBottom = 2;
void PrepareCornerBand(DrawingState& s, const EffectArgs& args);
bool StepCornerBand(DrawingState& s, const EffectArgs& args);

// "from center" and "to center" bands; args.tooth is 15 or 5.
void PrepareBandFromCenter(DrawingState& s, const EffectArgs& args);
bool StepBandFromCenter(DrawingState& s, const EffectArgs& args);
void PrepareBandToCenter(DrawingState& s, const EffectArgs& args);
bool StepBandToCenter(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kStraightBandEffect{PrepareStraightBand, StepStraightBand};
inline constexpr Effect kCornerBandEffect{PrepareCornerBand, StepCornerBand};
inline constexpr Effect kBandFromCenterEffect{PrepareBandFromCenter, StepBandFromCenter};
inline constexpr Effect kBandToCenterEffect{PrepareBandToCenter, StepBandToCenter};

}  // namespace transitions
