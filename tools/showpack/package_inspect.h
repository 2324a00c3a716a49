// Prints what a setup package carries: its index, then the show inside it.
#pragma once

#include <ostream>
#include <string>

namespace showpack {

// A setup package or a built screensaver, whichever the file is; throws for
// a damaged one with what is wrong.
void InspectFile(const std::string& path, std::ostream& out);

}  // namespace showpack
