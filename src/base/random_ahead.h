// Numbers of a SeededRandom's sequence made ahead of its draws without moving
// it, for work that can make them while the processor has room to spare (in
// the gaps of a copy that waits on memory). They are the numbers the
// generator's next draws give as long as nothing draws from it in between;
// Continues tells whether that still holds, and Advance then moves the
// generator past the numbers that were used.
//
// The numbers come in blocks: sixteen stretches of 1024 consecutive numbers
// made side by side (the state's step is linear, so each stretch's beginning
// is a jump ahead). A block keeps them step by step, number i of stretch j at
// i * 16 + j, so that one step of the sixteen lanes is one store.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/random.h"

namespace base {

class RandomAhead {
 public:
  static constexpr int kLanes = 16;
  static constexpr int kStretchLength = 1024;
  static constexpr size_t kBlock = size_t{kLanes} * kStretchLength;
  // Where number i of a block's stretch j lies: i * kStride + j.
  static constexpr ptrdiff_t kStride = kLanes;

  // Whether this processor makes them fast enough to be worth it (and has
  // the steps of random_ahead_steps.h); where it does not, callers draw as
  // usual.
  static bool Available();

  // Starts over at `random`'s state, for numbers in 0 .. range - 1 (1 .. 256),
  // with room for about `expected` of them (the room is kept from start to
  // start).
  void Begin(const SeededRandom& random, int32_t range, size_t expected);
  // Whether what was begun still follows the generator's state, for `range`.
  bool Continues(const SeededRandom& random, int32_t range) const;
  // Forgets everything and gives the memory back.
  void Clear();

  // Makes block `b` whole (and every block before it); its numbers.
  const uint8_t* Block(size_t b);
  // Sets the generator where `used` draws from the beginning leave it.
  void Advance(SeededRandom& random, size_t used) const;

  // The lanes of the block being made, for a caller that makes one step at a
  // time between pieces of other work (base/random_ahead_steps.h). While it
  // holds them, nothing else may make numbers.
  struct Lanes {
    std::array<uint64_t, kLanes> states;
    uint8_t* out;  // where the next step's sixteen numbers go
    int step;      // steps made of the block, up to kStretchLength
  };
  Lanes TakeLanes();
  // Takes the lanes back, with the steps made meanwhile; at a block's end it
  // begins the next block, whose lanes the next TakeLanes hands out.
  void ReturnLanes(const Lanes& lanes);
  int32_t Range() const { return range_; }

 private:
  void BeginBlock(uint64_t first);

  uint64_t start_ = 0;
  int32_t range_ = 0;
  bool begun_ = false;
  std::vector<uint8_t> numbers_;  // whole blocks, then the one being made
  // Per block begun, the state each stretch starts from.
  std::vector<std::array<uint64_t, kLanes>> starts_;
  std::array<uint64_t, kLanes> lanes_{};  // the block being made
  int step_ = 0;
};

}  // namespace base
