#include "base/random_ahead.h"

#include "base/random_ahead_steps.h"
#include "base/random_stretches.h"

namespace base {

bool RandomAhead::Available() { return HasAvx512(); }

void RandomAhead::Begin(const SeededRandom& random, int32_t range, size_t expected) {
  start_ = random.state_;
  range_ = range;
  begun_ = true;
  numbers_.clear();
  starts_.clear();
  // Room is only ever added, and then half as much again as asked: a later
  // start that asks a little more finds it, instead of new memory that the
  // system must map in page by page (which costs more than making numbers).
  const size_t blocks = expected / kBlock + 2;
  if (numbers_.capacity() < blocks * kBlock) numbers_.reserve((blocks + blocks / 2) * kBlock);
  if (starts_.capacity() < blocks) starts_.reserve(blocks + blocks / 2);
  BeginBlock(start_);
}

bool RandomAhead::Continues(const SeededRandom& random, int32_t range) const {
  return begun_ && range == range_ && random.state_ == start_;
}

void RandomAhead::Clear() {
  std::vector<uint8_t>().swap(numbers_);
  std::vector<std::array<uint64_t, kLanes>>().swap(starts_);
  begun_ = false;
}

void RandomAhead::BeginBlock(uint64_t first) {
  std::array<uint64_t, kLanes>& starts = starts_.emplace_back();
  starts[0] = first;
  // JumpOneStretch jumps the shorter stretches of Fill (random_stretches.h).
  constexpr int kJumps = kStretchLength / base::kStretchLength;
  static_assert(kStretchLength % base::kStretchLength == 0);
  for (size_t j = 1; j < starts.size(); ++j) {
    starts[j] = starts[j - 1];
    for (int k = 0; k < kJumps; ++k) starts[j] = JumpOneStretch(starts[j]);
  }
  lanes_ = starts;
  step_ = 0;
  numbers_.resize(numbers_.size() + kBlock);
}

RandomAhead::Lanes RandomAhead::TakeLanes() {
  return {lanes_, numbers_.data() + numbers_.size() - kBlock + static_cast<size_t>(step_) * kLanes, step_};
}

void RandomAhead::ReturnLanes(const Lanes& lanes) {
  lanes_ = lanes.states;
  step_ = lanes.step;
  // The last lane ends where the next block's first stretch begins.
  if (step_ == kStretchLength) BeginBlock(lanes_[kLanes - 1]);
}

namespace {

// Makes the rest of the block the lanes are at.
void MakeRestPortable(RandomAhead::Lanes& lanes, int32_t range) {
  for (; lanes.step < RandomAhead::kStretchLength; ++lanes.step, lanes.out += RandomAhead::kLanes)
    for (size_t j = 0; j < lanes.states.size(); ++j) {
      lanes.states[j] = XorshiftStep(lanes.states[j]);
      lanes.out[j] = static_cast<uint8_t>(XorshiftNumber(lanes.states[j], static_cast<uint32_t>(range)));
    }
}

#if defined(BASE_HAS_X86_KERNELS)
__attribute__((target("avx512f,avx512dq"))) void MakeRestAvx512(RandomAhead::Lanes& lanes, int32_t range) {
  AheadRegisters r = LoadAhead(lanes, range);
  while (r.step < RandomAhead::kStretchLength) StepAhead(r);
  StoreAhead(r, lanes);
}
#endif

void MakeRest(RandomAhead::Lanes& lanes, int32_t range) {
#if defined(BASE_HAS_X86_KERNELS)
  if (HasAvx512()) {
    MakeRestAvx512(lanes, range);
    return;
  }
#endif
  MakeRestPortable(lanes, range);
}

}  // namespace

const uint8_t* RandomAhead::Block(size_t b) {
  // Blocks before the last one begun are whole.
  while (starts_.size() <= b + 1) {
    Lanes lanes = TakeLanes();
    MakeRest(lanes, range_);
    ReturnLanes(lanes);
  }
  return numbers_.data() + b * kBlock;
}

void RandomAhead::Advance(SeededRandom& random, size_t used) const {
  const size_t b = used / kBlock, inBlock = used % kBlock;
  uint64_t state = b < starts_.size() ? starts_[b][inBlock / kStretchLength] : start_;
  if (b >= starts_.size()) {  // past the blocks begun: from the beginning
    for (size_t k = 0; k < used; ++k) state = XorshiftStep(state);
  } else {
    for (size_t k = 0; k < inBlock % kStretchLength; ++k) state = XorshiftStep(state);
  }
  random.state_ = state;
}

}  // namespace base
