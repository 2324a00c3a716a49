#include "transitions/numbered_moves.h"

#include <algorithm>
#include <array>

#include "transitions/effect_drawing.h"
#include "transitions/move_drawing.h"

namespace transitions {
namespace {

// Coordinates along the travel as told for T = left: the entry edge at
// `along`, the far half 0..half, the near half half..along.
struct Travel {
  DrawingState& s;
  Direction d;
  int32_t along;
  int32_t half;
  int32_t p;

  void Draw(int32_t srcFrom, int32_t srcTo, int32_t dstFrom, int32_t dstTo) const {
    DrawPictureAt(s, TravelBand(s, d, srcFrom, srcTo), TravelBand(s, d, dstFrom, dstTo));
  }
};

// A phase draws one frame of its part; true when the part reached its place.
using Phase = bool (*)(const Travel&);

// The near half slides in from the entry edge.
bool NearHalfSlidesIn(const Travel& t) {
  t.Draw(t.half, std::min(t.half + t.p, t.along), std::max(t.along - t.p, t.half), t.along);
  return t.along - t.p < t.half;
}

// The near half emerges from the centre line against the travel.
bool NearHalfEmerges(const Travel& t) {
  t.Draw(std::max(t.along - t.p, t.half), t.along, t.half, std::min(t.half + t.p, t.along));
  return t.half + t.p > t.along;
}

// The far half emerges from the centre line along the travel.
bool FarHalfEmerges(const Travel& t) {
  t.Draw(0, std::min(t.half, t.p), std::max(t.half - t.p, 0), t.half);
  return t.half - t.p < 0;
}

// The far half slides in from the far edge against the travel.
bool FarHalfSlidesIn(const Travel& t) {
  t.Draw(std::max(t.half - t.p, 0), t.half, 0, std::min(t.p, t.half));
  return t.half < t.p;
}

// The far half enters at the entry edge until it covers the near half's place.
bool FarHalfEnters(const Travel& t) {
  t.Draw(0, std::min(t.p, t.half), std::max(t.along - t.p, t.along - t.half), t.along);
  return t.along - t.p < t.along - t.half;
}

// The far half travels on to its place, restoring the strip it leaves.
bool FarHalfTravels(const Travel& t) {
  const int32_t left = t.along - t.p;
  RestoreBack(t.s, TravelBand(t.s, t.d, left, std::min(left + t.s.Step, t.along)));
  const int32_t x = t.along - t.half - t.p;
  const int32_t at = std::max(x, 0);
  t.Draw(0, t.half, at, at + t.half);
  return x < 0;
}

struct PhaseList {
  std::array<Phase, 3> phases;
  int32_t count;
};

constexpr std::array<PhaseList, 4> kVariants = {{
    {{NearHalfSlidesIn, FarHalfEmerges, nullptr}, 2},
    {{NearHalfSlidesIn, FarHalfSlidesIn, nullptr}, 2},
    {{FarHalfEnters, FarHalfTravels, NearHalfEmerges}, 3},
    {{FarHalfEnters, FarHalfTravels, NearHalfSlidesIn}, 3},
}};

const PhaseList& PhasesOf(const EffectArgs& args) {
  return kVariants[static_cast<size_t>(std::clamp(args.variant, 1, 4) - 1)];
}

}  // namespace

void PrepareNumberedMove(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  const int32_t half = AlongSize(s, args.direction) / 2;
  (IsVertical(args.direction) ? s.HalfY : s.HalfX) = half;
  s.Phase = 0;
  s.Position = 0;
}

bool StepNumberedMove(DrawingState& s, const EffectArgs& args) {
  const PhaseList& list = PhasesOf(args);
  if (s.Phase < 0 || s.Phase >= list.count) return true;
  const Direction d = args.direction;
  const Travel travel{s, d, AlongSize(s, d), IsVertical(d) ? s.HalfY : s.HalfX, s.Position};
  if (list.phases[static_cast<size_t>(s.Phase)](travel)) {
    ++s.Phase;
    s.Position = -s.Step;
  }
  s.Position += s.Step;
  return false;
}

}  // namespace transitions
