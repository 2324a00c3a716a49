// TSSBArray: an ordered list of transition numbers with a sequential, wrapping
// pick and an indexed pick that share one position.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace transitions {

class TSSBArray {
 public:
  // Appends the numbers of a list text ("0;5;17;": each number ends with ";",
  // blanks around it are ignored, text after the last ";" is not read) and sets
  // the position to 0. A token that is not a decimal integer throws
  // std::invalid_argument; the numbers before it stay in the list.
  void LoadFromText(std::string_view text);

  int32_t Count() const { return static_cast<int32_t>(Items.size()); }

  // The entry at the position, which then moves on and wraps to 0 after the
  // last entry; -1 for an empty list.
  int32_t Next();

  // The entry at `index`, which becomes the position; -1 for an empty list or an
  // index outside 0 .. Count() - 1 (the position is then left as it was).
  int32_t Pick(int32_t index);

  int32_t Index() const { return FIndex; }
  const std::vector<int32_t>& Entries() const { return Items; }

 private:
  std::vector<int32_t> Items;
  int32_t FIndex = 0;
};

}  // namespace transitions
