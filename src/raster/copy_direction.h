// Which way to copy pixels between two rows so that the copy's loads do not
// wait for its own stores.
#pragma once

#include <cstdint>

#include "raster/bitmap.h"

namespace raster {

// Whether loads from `from` onwards would wait for the stores to `to` just
// before them in a forward loop: the processor tells loads and earlier stores
// apart by the low 12 address bits first, so a source just below its
// destination modulo 4 KiB stalls every load. Such a copy runs from its end.
inline bool StallsForward(const Pixel* from, const Pixel* to) {
  return ((reinterpret_cast<uintptr_t>(from) - reinterpret_cast<uintptr_t>(to)) & 4095) >= 4096 - 256;
}

}  // namespace raster
