// The program's one random generator. It is created once by the program and
// handed to everything that draws random numbers, so tests can seed it.
#pragma once

#include <cstdint>
#include <span>

namespace base {

class Random {
 public:
  virtual ~Random() = default;
  // A number in 0 .. range - 1; 0 when range <= 0.
  virtual int32_t Next(int32_t range) = 0;
  // The numbers that out.size() calls of Next(range) would give, in their
  // order; the generator ends where those calls would leave it.
  virtual void Fill(int32_t range, std::span<int32_t> out);
};

// A small, fast generator (xorshift64*) with a fixed seed for reproducible runs.
class SeededRandom final : public Random {
 public:
  explicit SeededRandom(uint64_t seed);
  int32_t Next(int32_t range) override;
  // Works on several stretches of the sequence side by side: the state's step
  // is linear, so the generator can jump ahead to where each stretch begins.
  void Fill(int32_t range, std::span<int32_t> out) override;

 private:
  friend class RandomAhead;  // makes the numbers that follow the state
  uint64_t state_;
};

}  // namespace base
