#include "raster/marked_copy.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "base/cpu_features.h"

namespace {

std::vector<raster::MarkedCopy> Kernels() {
  std::vector<raster::MarkedCopy> kernels = {raster::CopyMarkedPortable};
#if defined(BASE_HAS_X86_KERNELS)
  if (base::HasAvx2()) kernels.push_back(raster::CopyMarkedAvx2);
  if (base::HasAvx512()) kernels.push_back(raster::CopyMarkedAvx512);
#endif
  return kernels;
}

// Every kernel the processor runs copies exactly the marked pixels of the
// span, at spans that begin and end inside words, on word edges, and inside
// one word, with marks of every density; the pixels before the span stay as
// they were, and the rows end where the span ends (so that the address
// sanitizer sees a vector reaching past it).
TEST(MarkedCopy, EveryKernelCopiesExactlyTheMarkedPixelsOfTheSpan) {
  constexpr int32_t kWidth = 300;  // five words, the last one partly used
  constexpr size_t kStride = 3;    // the marks of other rows lie between
  std::mt19937_64 random(7);
  const raster::Pixel before = 0x11111111u;
  const std::pair<int32_t, int32_t> spans[] = {{0, kWidth}, {0, 64}, {64, 128}, {3, 61}, {1, 299}, {63, 65},
                                               {130, 131}, {200, 257}, {17, 17}, {250, 300}, {0, 60}, {128, 191}};
  const uint64_t densities[] = {0, ~0ull, 0x5555555555555555ull};
  for (const raster::MarkedCopy copy : Kernels())
    for (int draw = 0; draw < 40; ++draw) {
      std::vector<uint64_t> words(5 * kStride);
      for (uint64_t& word : words) word = draw < 3 ? densities[draw] : random() & random();
      for (const auto& [begin, end] : spans) {
        SCOPED_TRACE(::testing::Message() << "draw " << draw << " span " << begin << ".." << end);
        std::vector<raster::Pixel> from(static_cast<size_t>(end)), to(from.size(), before);
        for (int32_t x = 0; x < end; ++x) from[static_cast<size_t>(x)] = 0xFF000000u | static_cast<uint32_t>(x);
        copy(from.data(), to.data(), raster::RowMarks{words.data(), kStride}, begin, end);
        for (int32_t x = 0; x < end; ++x) {
          const bool marked = (words[static_cast<size_t>(x / 64) * kStride] >> (x % 64)) & 1;
          const bool copied = marked && x >= begin;
          ASSERT_EQ(to[static_cast<size_t>(x)], copied ? from[static_cast<size_t>(x)] : before) << "pixel " << x;
        }
      }
    }
}

}  // namespace
