#include "project/picture_helpers.h"

#include "project/number_list.h"
#include "project/project_errors.h"

namespace project {

int PickFromList(std::string_view text, base::Random& random) {
  const std::vector<ListEntry> entries = ListEntries(text);
  if (entries.empty()) return 0;
  const ListEntry& entry = entries.at(static_cast<std::size_t>(random.Next(static_cast<int32_t>(entries.size()))));
  if (!entry.value) throw ConversionError(std::string(entry.text));
  return *entry.value;
}

}  // namespace project
