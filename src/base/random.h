// The program's one random generator. It is created once by the program and
// handed to everything that draws random numbers, so tests can seed it.
#pragma once

#include <cstdint>

namespace base {

class Random {
 public:
  virtual ~Random() = default;
  // A number in 0 .. range - 1; 0 when range <= 0.
  virtual int32_t Next(int32_t range) = 0;
};

// A small, fast generator (xorshift64*) with a fixed seed for reproducible runs.
class SeededRandom final : public Random {
 public:
  explicit SeededRandom(uint64_t seed);
  int32_t Next(int32_t range) override;

 private:
  uint64_t state_;
};

}  // namespace base
