// The rule by which a typed password is accepted.
#pragma once

#include <string_view>

namespace settings {

// True when both texts are equal after mapping the ASCII letters a..z to A..Z;
// every other byte (accented letters too) must match exactly.
bool CheckPassword(std::string_view typed, std::string_view stored);

}  // namespace settings
