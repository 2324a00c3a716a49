// Prints what the screensaver program itself reads out of a built show.
#pragma once

#include <ostream>
#include <string>

namespace showpack {

// Throws what the program's reader throws for a damaged show.
void InspectScreensaver(const std::string& path, std::ostream& out);

}  // namespace showpack
