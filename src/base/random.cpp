#include "base/random.h"

namespace base {

SeededRandom::SeededRandom(uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}

int32_t SeededRandom::Next(int32_t range) {
  if (range <= 0) return 0;
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  const uint64_t bits = (state_ * 0x2545F4914F6CDD1Dull) >> 32;
  return static_cast<int32_t>((bits * static_cast<uint64_t>(range)) >> 32);
}

}  // namespace base
