#include "transitions/ssb_array.h"

#include <stdexcept>
#include <string>

#include "project/number_list.h"

namespace transitions {

void TSSBArray::LoadFromText(std::string_view text) {
  FIndex = 0;
  for (const project::ListEntry& entry : project::ListEntries(text)) {
    if (entry.text.empty()) continue;
    if (!entry.value) throw std::invalid_argument("'" + std::string(entry.text) + "' is not a valid transition number");
    Items.push_back(*entry.value);
  }
}

int32_t TSSBArray::Next() {
  if (Items.empty()) return -1;
  if (FIndex < 0 || FIndex >= Count()) FIndex = 0;
  const int32_t entry = Items[static_cast<size_t>(FIndex)];
  ++FIndex;
  if (FIndex > Count() - 1) FIndex = 0;
  return entry;
}

int32_t TSSBArray::Pick(int32_t index) {
  if (Items.empty() || index < 0 || index >= Count()) return -1;
  FIndex = index;
  return Items[static_cast<size_t>(index)];
}

}  // namespace transitions
