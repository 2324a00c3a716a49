// A scripted random generator for the picture tests: it hands out the given
// numbers in turn and records every range it was asked for.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "base/random.h"

namespace project_test {

class ScriptedRandom final : public base::Random {
 public:
  ScriptedRandom() = default;
  explicit ScriptedRandom(std::vector<int32_t> values) : values_(values.begin(), values.end()) {}

  // Returns the next scripted value, or 0 when the script has run out.
  int32_t Next(int32_t range) override {
    ranges.push_back(range);
    if (values_.empty()) return 0;
    const int32_t value = values_.front();
    values_.pop_front();
    return value;
  }

  std::vector<int32_t> ranges;

 private:
  std::deque<int32_t> values_;
};

}  // namespace project_test
