// Feeds arbitrary bytes to one picture decoder (FUZZ_FORMAT names it): it must
// decode or raise DecodeError, never read or write out of bounds. The first
// byte, when present, picks a fit hint so the JPEG scaling paths are reached.
// For CUT pictures, the bytes from the last "AH" on are the palette file.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "imageformats/decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr imageformats::Format kFormat = imageformats::Format::FUZZ_FORMAT;
  imageformats::DecodeOptions options;
  options.maxPixels = 4 << 20;  // keeps single inputs fast and within the fuzzer's memory
  if (size > 0 && (data[0] & 0x80) != 0) {
    options.fitWidth = 1 + (data[0] & 0x0F);
    options.fitHeight = 1 + ((data[0] >> 4) & 0x07);
  }
  std::span<const uint8_t> picture(data, size);
  if (kFormat == imageformats::Format::Cut) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const size_t at = text.rfind("AH"); at != std::string_view::npos) {
      options.palette = picture.subspan(at);
      picture = picture.first(at);
    }
  }
  try {
    imageformats::Decode(kFormat, picture, options);
  } catch (const imageformats::DecodeError&) {
  }
  return 0;
}
