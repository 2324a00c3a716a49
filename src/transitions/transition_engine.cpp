#include "transitions/transition_engine.h"

#include <algorithm>

#include "transitions/transition_names.h"
#include "transitions/transition_table.h"

namespace transitions {
namespace {

EffectArgs ArgsForStart(const TransitionEntry& entry, int32_t w, int32_t h, base::Random& random) {
  EffectArgs args = entry.args;
  switch (entry.param) {
    case StartParam::kNone: break;
    case StartParam::kPivotLeftBottom: args.point = {0, h}; break;
    case StartParam::kPivotLeftTop: args.point = {0, 0}; break;
    case StartParam::kPivotRightBottom: args.point = {w, h}; break;
    case StartParam::kPivotRightTop: args.point = {w, 0}; break;
    case StartParam::kPivotCenter: args.point = {w / 2, h / 2}; break;
    case StartParam::kPivotRandom:
    case StartParam::kCentreRandom: {
      const int32_t x = random.Next(w);
      args.point = {x, random.Next(h)};
      break;
    }
    case StartParam::kBarsAcrossWidth: args.barCount = w / 10; break;
    case StartParam::kBarsAcrossHeight: args.barCount = h / 10; break;
  }
  return args;
}

}  // namespace

StartedTransition TransitionEngine::StartTransition(TSSBArray& list, int32_t speed, bool randomPick,
                                                    const ShowSurfaces& surfaces) {
  int32_t number = kNoTransition;
  if (randomPick) {
    if (list.Count() > 0) number = list.Pick(random_.Next(list.Count()));
  } else {
    number = list.Next();
  }
  return StartNumber(number, speed, surfaces);
}

StartedTransition TransitionEngine::StartNumber(int32_t number, int32_t speed, const ShowSurfaces& surfaces) {
  DrawingState& s = state_;
  s = DrawingState{};  // every start overwrites the whole set
  s.OriginX = surfaces.origin.x;
  s.OriginY = surfaces.origin.y;
  s.Step = std::clamp(speed, kMinSpeed, kMaxSpeed);
  s.TargetCanvas.emplace(*surfaces.target);
  s.SourceBitmap = surfaces.source;
  s.BackBitmap = surfaces.back;
  s.Rng = &random_;
  s.PicWidth = surfaces.source->Width();
  s.PicHeight = surfaces.source->Height();

  if (surfaces.compositeMode && number >= kFirstStretch && number <= kLastStretch) {
    number += kCompositeStretchOffset;
  }
  // Nothing to animate for a picture without pixels: it is "shown" at once.
  if (!IsTransitionNumber(number) || surfaces.source->IsEmpty()) number = kNoTransition;

  const TransitionEntry& entry = TransitionEntryFor(number);
  current_ = number;
  args_ = ArgsForStart(entry, s.PicWidth, s.PicHeight, random_);
  entry.effect.prepare(s, args_);
  running_ = true;
  return {current_, entry.intervalMs};
}

bool TransitionEngine::StepTransition(int32_t number) {
  if (!state_.TargetCanvas || state_.SourceBitmap == nullptr) return true;
  return TransitionEntryFor(number).effect.step(state_, args_);
}

bool TransitionEngine::ShowTimerTimer() {
  if (!running_) return false;
  if (!StepTransition(current_)) return false;
  running_ = false;
  return true;
}

}  // namespace transitions
