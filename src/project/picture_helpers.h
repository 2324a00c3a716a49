// The random pick from a list of numbers that slide composition draws its
// background kind, source and gradient style with.
#pragma once

#include <string_view>

#include "base/random.h"

namespace project {

// A random entry of a list of integers, each followed by ";" (text after the
// last ";" is not an entry; blanks around a number are allowed). An empty list
// gives 0 without drawing. Throws ConversionError when the drawn entry is not
// an integer.
int PickFromList(std::string_view text, base::Random& random);

}  // namespace project
