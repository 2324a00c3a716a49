// The full path of the running program file.
#pragma once

#include <string>

namespace base {

// The program's path as UTF-8, however long; empty when Windows cannot say.
std::string ProgramPath();

}  // namespace base
