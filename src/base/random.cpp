#include "base/random.h"

#include <algorithm>

#include "base/random_stretches.h"

namespace base {

void Random::Fill(int32_t range, std::span<int32_t> out) {
  for (int32_t& value : out) value = Next(range);
}

SeededRandom::SeededRandom(uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}

int32_t SeededRandom::Next(int32_t range) {
  if (range <= 0) return 0;
  state_ = XorshiftStep(state_);
  return XorshiftNumber(state_, static_cast<uint32_t>(range));
}

void SeededRandom::Fill(int32_t range, std::span<int32_t> out) {
  if (range <= 0) {
    std::fill(out.begin(), out.end(), 0);  // as Next: no draw
    return;
  }
  constexpr size_t kBlock = size_t{kStretches} * kStretchLength;
  size_t done = 0;
  for (; out.size() - done >= kBlock; done += kBlock) {
    std::array<uint64_t, kStretches> lanes;
    lanes[0] = state_;
    for (size_t j = 1; j < lanes.size(); ++j) lanes[j] = JumpOneStretch(lanes[j - 1]);
    MakeStretches(lanes, static_cast<uint32_t>(range), out.data() + done);
    state_ = lanes.back();
  }
  for (; done < out.size(); ++done) out[done] = Next(range);
}

}  // namespace base
