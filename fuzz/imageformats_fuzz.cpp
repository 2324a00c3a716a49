// Feeds arbitrary bytes to one picture decoder (FUZZ_FORMAT names it): it must
// decode or raise DecodeError, never read or write out of bounds. The first
// byte, when present, picks a fit hint so the JPEG scaling paths are reached.
#include <cstddef>
#include <cstdint>
#include <span>

#include "imageformats/decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  imageformats::DecodeOptions options;
  options.maxPixels = 4 << 20;  // keeps single inputs fast and within the fuzzer's memory
  if (size > 0 && (data[0] & 0x80) != 0) {
    options.fitWidth = 1 + (data[0] & 0x0F);
    options.fitHeight = 1 + ((data[0] >> 4) & 0x07);
  }
  try {
    imageformats::Decode(imageformats::Format::FUZZ_FORMAT, std::span(data, size), options);
  } catch (const imageformats::DecodeError&) {
  }
  return 0;
}
