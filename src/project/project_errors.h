// Errors raised while reading a project out of a program file.
#pragma once

#include <stdexcept>
#include <string>

namespace project {

// A value that must be a decimal integer is not one.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(const std::string& value)
      : std::runtime_error("'" + value + "' is not a valid integer value") {}
};

// The container at the end of the program file is damaged or absent.
class ContainerError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace project
