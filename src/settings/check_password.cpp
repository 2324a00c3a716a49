#include "settings/check_password.h"

#include "base/ascii.h"

namespace settings {

bool CheckPassword(std::string_view typed, std::string_view stored) {
  return base::UpperAscii(typed) == base::UpperAscii(stored);
}

}  // namespace settings
