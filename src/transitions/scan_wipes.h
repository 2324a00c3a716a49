// Scan wipes: clean-edged bands of Step pixels copied per tick, from an edge,
// towards the centre from both edges, or from the centre to both edges.
#pragma once

#include "transitions/effect.h"
#include "transitions/effect_drawing.h"

namespace transitions {

// From one edge; args.direction is the travel.
bool StepScan(DrawingState& s, const EffectArgs& args);
// args.direction kDown works on rows ("Horizontal"), kRight on columns ("Vertical").
void PrepareScanCenter(DrawingState& s, const EffectArgs& args);
bool StepScanToCenter(DrawingState& s, const EffectArgs& args);
bool StepScanToEdge(DrawingState& s, const EffectArgs& args);

inline constexpr Effect kScanEffect{PrepareFromEdge, StepScan};
inline constexpr Effect kScanToCenterEffect{PrepareScanCenter, StepScanToCenter};
inline constexpr Effect kScanToEdgeEffect{PrepareScanCenter, StepScanToEdge};

}  // namespace transitions
