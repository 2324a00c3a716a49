// The benchmarks' 24-megapixel test photograph, encoded with libjpeg at
// start-up: smooth shapes with fine texture and a little noise.
#pragma once

#include <cstdint>
#include <vector>

namespace bench {

constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;

std::vector<uint8_t> EncodeTestPhoto();

}  // namespace bench
