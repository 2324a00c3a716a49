#include "base/random.h"

#include <algorithm>
#include <array>
#include <cstddef>

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
  // Less than a block but at least this much is made as a whole block of
  // which the rest is dropped: still cheaper than one number at a time.
  constexpr size_t kWorthABlock = kBlock / 8;
  size_t done = 0;
  while (out.size() - done >= kWorthABlock) {
    std::array<uint64_t, kStretches> lanes;
    lanes[0] = state_;
    for (size_t j = 1; j < lanes.size(); ++j) lanes[j] = JumpOneStretch(lanes[j - 1]);
    const size_t n = std::min(kBlock, out.size() - done);
    if (n == kBlock) {
      MakeStretches(lanes, static_cast<uint32_t>(range), out.data() + done);
      state_ = lanes.back();
    } else {
      // The state after n numbers: where stretch n / kStretchLength begins,
      // n % kStretchLength steps on.
      state_ = lanes[n / kStretchLength];
      for (size_t k = 0; k < n % kStretchLength; ++k) state_ = XorshiftStep(state_);
      std::array<int32_t, kBlock> whole;
      MakeStretches(lanes, static_cast<uint32_t>(range), whole.data());
      std::copy_n(whole.begin(), n, out.begin() + static_cast<ptrdiff_t>(done));
    }
    done += n;
  }
  for (; done < out.size(); ++done) out[done] = Next(range);
}

}  // namespace base
