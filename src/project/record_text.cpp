#include "project/record_text.h"

#include "base/ascii.h"
#include "project/project_errors.h"

namespace project {

void ForEachRecord(std::string_view text, const std::function<void(uint8_t, std::string_view)>& apply) {
  for (auto end = text.find(kValueEnd); end != std::string_view::npos; end = text.find(kValueEnd)) {
    const std::string_view record = text.substr(0, end);
    const uint8_t tag = record.empty() ? 0 : static_cast<uint8_t>(record.front());
    apply(tag, record.empty() ? record : record.substr(1));
    text.remove_prefix(end + 1);
  }
}

std::string RecordText(uint8_t tag, std::string_view value) {
  std::string record(1, static_cast<char>(tag));
  record += value;
  record += kValueEnd;
  return record;
}

int32_t IntegerValue(std::string_view value) {
  // Leading and trailing blanks are tolerated, as the conversion always did.
  const auto number = base::ParseInt32(base::TrimControls(value));
  if (!number) throw ConversionError(std::string(value));
  return *number;
}

}  // namespace project
