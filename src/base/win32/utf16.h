// Conversions at the boundary between the program's UTF-8 text and the wide
// strings of the Windows API.
#pragma once

#include <string>
#include <string_view>

namespace base {

std::wstring Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::wstring_view text);

}  // namespace base
