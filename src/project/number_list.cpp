#include "project/number_list.h"

#include "base/ascii.h"

namespace project {

std::vector<ListEntry> ListEntries(std::string_view text) {
  std::vector<ListEntry> entries;
  for (auto end = text.find(';'); end != std::string_view::npos; end = text.find(';')) {
    const std::string_view entry = base::TrimControls(text.substr(0, end));
    entries.push_back({entry, base::ParseInt32(entry)});
    text.remove_prefix(end + 1);
  }
  return entries;
}

}  // namespace project
