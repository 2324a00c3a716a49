// The one table from transition number to effect: its pair of operations, the
// ShowTimer interval and the arguments the start hands to the effect.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "transitions/effect.h"

namespace transitions {

// Arguments the start computes from the picture size (W, H) before preparing.
enum class StartParam : uint8_t {
  kNone,
  kPivotLeftBottom,   // (0, H)
  kPivotLeftTop,      // (0, 0)
  kPivotRightBottom,  // (W, H)
  kPivotRightTop,     // (W, 0)
  kPivotCenter,       // (W div 2, H div 2)
  kPivotRandom,       // (Random(W), Random(H))
  kCentreRandom,      // (Random(W), Random(H))
  kBarsAcrossWidth,   // W div 10
  kBarsAcrossHeight,  // H div 10
};

struct TransitionEntry {
  int32_t number;
  Effect effect;
  int32_t intervalMs;
  EffectArgs args;
  StartParam param;
};

// Composite mode runs the nine stretch effects as the number plus this offset.
inline constexpr int32_t kFirstStretch = 120;
inline constexpr int32_t kLastStretch = 128;
inline constexpr int32_t kCompositeStretchOffset = 10;

// All entries, -1 first, then 0 .. 160.
std::span<const TransitionEntry> TransitionTable();
// The entry of `number`; a number outside -1..160 gets the entry of -1.
const TransitionEntry& TransitionEntryFor(int32_t number);
bool IsTransitionNumber(int32_t number);

}  // namespace transitions
