// The stepping shared by the shape reveals. A shape effect runs through one or
// more phases; in each its Position walks from a start value towards an end
// value by a fixed stride, and every tick reveals the picture through the shape
// of the current (phase, position). Earlier frames stay on the canvas, so a
// tick draws only its shape minus the previous frame's shape: the previous
// frame is recomputed from the walk, and the result on screen is the same as
// drawing the whole shape again.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include "raster/region.h"
#include "transitions/effect.h"

namespace transitions {

// One phase: positions start, start + sign * stride, ... as long as they have
// not passed `end` (inclusive).
struct PhaseRun {
  int32_t start = 0;
  int32_t end = 0;
  int32_t sign = 1;
};

// The revealed shape of a frame in picture coordinates, built only inside
// `window` (a part of the picture), so that shapes reaching far past it stay cheap.
using ShapeOp = raster::Region (*)(const DrawingState& s, const EffectArgs& args, int32_t phase, int32_t position,
                                   const raster::Rect& window);
// Where two frames (phase, position) can differ: a rectangle holding every
// pixel one shows and the other does not.
struct Frame {
  int32_t phase;
  int32_t position;
};
using ChangeOp = raster::Rect (*)(const DrawingState& s, const EffectArgs& args, Frame before, Frame now);

struct RevealPlan {
  std::array<PhaseRun, 4> runs{};
  int32_t count = 1;     // phases in use
  int32_t stride = 1;    // Position change per tick: the speed Step
  // How the last phase ends: on a tick of its own that starts past the end
  // (true), or on the tick whose advance passes the end, whose frame the
  // completing draw then replaces (false).
  bool finalOwnTick = true;
  // Limits the work of a tick to where it changes something; without it the
  // shapes are built over the whole picture.
  ChangeOp changed = nullptr;
};

// Puts Phase and Position at the start of the plan's first phase.
void StartPlan(DrawingState& s, const RevealPlan& plan);
// One tick of a planned reveal; true on the tick that completes the picture.
bool StepPlannedReveal(DrawingState& s, const EffectArgs& args, const RevealPlan& plan, ShapeOp shape);

// The region of a closed polygon given as a list of points, cut to `window`.
raster::Region PolygonRegion(const raster::Rect& window, std::initializer_list<raster::Point> points,
                             raster::FillMode mode = raster::FillMode::Winding);
// `window` minus `shape`: what the shrinking "to center" shapes reveal there.
raster::Region WindowWithout(const raster::Rect& window, const raster::Region& shape);

}  // namespace transitions
