#include "transitions/ssb_array.h"

#include <stdexcept>
#include <string>

#include "base/ascii.h"

namespace transitions {

void TSSBArray::LoadFromText(std::string_view text) {
  for (;;) {
    const size_t end = text.find(';');
    if (end == std::string_view::npos) break;
    const std::string_view token = base::TrimControls(text.substr(0, end));
    text.remove_prefix(end + 1);
    if (token.empty()) continue;
    const std::optional<int32_t> value = base::ParseInt32(token);
    if (!value) {
      FIndex = 0;
      throw std::invalid_argument("'" + std::string(token) + "' is not a valid transition number");
    }
    Items.push_back(*value);
  }
  FIndex = 0;
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
