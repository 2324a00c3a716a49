#include "project/transition_numbers.h"

namespace project {

std::string AllTransitionsList() {
  std::string list;
  for (int i = 0; i < kTransitionCount; ++i) list += std::to_string(i) + ";";
  return list;
}

}  // namespace project
