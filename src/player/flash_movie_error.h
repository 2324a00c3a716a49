// A movie file that cannot be played: not a movie, damaged, or beyond what the
// player accepts. The message says which, in words for the person watching.
#pragma once

#include <stdexcept>
#include <string>

namespace player::flash {

class MovieError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace player::flash
