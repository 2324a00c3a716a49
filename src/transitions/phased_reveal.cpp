#include "transitions/phased_reveal.h"

#include <span>

#include "transitions/effect_drawing.h"

namespace transitions {
namespace {

bool Passed(const PhaseRun& run, int32_t position) {
  return run.sign > 0 ? position > run.end : position < run.end;
}

// The last position a phase draws.
int32_t LastPosition(const PhaseRun& run, int32_t stride) {
  const int32_t span = (run.end - run.start) * run.sign;
  if (span <= 0) return run.start;
  return run.start + run.sign * (span / stride) * stride;
}

}  // namespace

void StartPlan(DrawingState& s, const RevealPlan& plan) {
  s.Phase = 0;
  s.Position = plan.runs[0].start;
}

bool StepPlannedReveal(DrawingState& s, const EffectArgs& args, const RevealPlan& plan, ShapeOp shape) {
  const bool lastPhase = s.Phase == plan.count - 1;
  const PhaseRun& run = plan.runs[static_cast<size_t>(s.Phase)];
  const int32_t next = s.Position + run.sign * plan.stride;
  if (lastPhase && (plan.finalOwnTick ? Passed(run, s.Position) : Passed(run, next))) {
    DrawWholePicture(s);
    return true;
  }
  const Frame now{s.Phase, s.Position};
  if (s.Position == run.start && s.Phase == 0) {
    DrawPictureThrough(s, shape(s, args, now.phase, now.position, s.PictureBounds()));
  } else {
    // The previous frame: one stride back, or the last frame of the phase before.
    const Frame before =
        s.Position != run.start
            ? Frame{s.Phase, s.Position - run.sign * plan.stride}
            : Frame{s.Phase - 1, LastPosition(plan.runs[static_cast<size_t>(s.Phase - 1)], plan.stride)};
    const raster::Rect window =
        plan.changed ? plan.changed(s, args, before, now).Intersect(s.PictureBounds()) : s.PictureBounds();
    if (!window.IsEmpty()) {
      DrawPictureThrough(s, shape(s, args, now.phase, now.position, window)
                                .Subtract(shape(s, args, before.phase, before.position, window)));
    }
  }
  if (Passed(run, next) && !lastPhase) {
    ++s.Phase;
    s.Position = plan.runs[static_cast<size_t>(s.Phase)].start;
  } else {
    s.Position = next;
  }
  return false;
}

raster::Region PolygonRegion(const raster::Rect& window, std::initializer_list<raster::Point> points,
                             raster::FillMode mode) {
  return raster::Region::FromPolygon(std::span<const raster::Point>(points.begin(), points.size()), mode, window);
}

raster::Region WindowWithout(const raster::Rect& window, const raster::Region& shape) {
  return raster::Region::FromRect(window).Subtract(shape);
}

}  // namespace transitions
