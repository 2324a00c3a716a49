#include "raster/row_gather.h"

#include <algorithm>

#include "base/vector_intrinsics.h"

namespace raster {
namespace {

constexpr int kGroup = 16;

#if defined(BASE_HAS_X86_KERNELS)
// Windows of 32 pixels (two registers, one permutation) or 64 (four
// registers, two permutations and a blend by the index's bit 5).
template <bool kWide>
__attribute__((target("avx512f"))) inline void DrawGroups(Pixel* out, const Pixel* in, int n,
                                                         const RowGather::Group* group, const int32_t* index) {
  for (int k = 0; k < n; k += kGroup, ++group, index += kGroup) {
    const Pixel* const window = in + group->window;
    const uint64_t readable = group->readable;
    const __m512i at = _mm512_loadu_si512(index);
    __m512i picked = _mm512_permutex2var_epi32(_mm512_maskz_loadu_epi32(static_cast<__mmask16>(readable), window), at,
                                               _mm512_maskz_loadu_epi32(static_cast<__mmask16>(readable >> 16),
                                                                        window + kGroup));
    if constexpr (kWide) {
      const __m512i far = _mm512_permutex2var_epi32(
          _mm512_maskz_loadu_epi32(static_cast<__mmask16>(readable >> 32), window + 2 * kGroup), at,
          _mm512_maskz_loadu_epi32(static_cast<__mmask16>(readable >> 48), window + 3 * kGroup));
      picked = _mm512_mask_blend_epi32(_mm512_test_epi32_mask(at, _mm512_set1_epi32(2 * kGroup)), picked, far);
    }
    const int left = n - k;
    if (left >= kGroup) {
      _mm512_storeu_si512(out + k, picked);
    } else {
      _mm512_mask_storeu_epi32(out + k, static_cast<__mmask16>((1u << left) - 1), picked);
    }
  }
}
#endif

}  // namespace

RowGather::RowGather(const int* samples, int n, int srcWidth) : n_(n) {
#if defined(BASE_HAS_X86_KERNELS)
  if (!base::HasAvx512() || n <= 0) return;
  const size_t groups = static_cast<size_t>((n + kGroup - 1) / kGroup);
  groups_.reserve(groups);
  index_.assign(groups * kGroup, 0);
  int spread = 0;
  for (int k = 0; k < n; k += kGroup) {
    const int last = std::min(n, k + kGroup);
    const auto [lowest, highest] = std::minmax_element(samples + k, samples + last);
    spread = std::max(spread, *highest - *lowest + 1);
    if (spread > kWideWindow) return;
    const int32_t window = *lowest;
    const int readable = std::min(kWideWindow, srcWidth - window);
    groups_.push_back({window, readable >= 64 ? ~0ull : (1ull << readable) - 1});
    for (int i = k; i < last; ++i) index_[static_cast<size_t>(i)] = samples[i] - window;
  }
  wide_ = spread > kWindow;
  usable_ = true;
#else
  (void)samples;
  (void)srcWidth;
#endif
}

void RowGather::Draw(Pixel* out, const Pixel* in) const {
#if defined(BASE_HAS_X86_KERNELS)
  if (!usable_) return;
  if (wide_) {
    DrawGroups<true>(out, in, n_, groups_.data(), index_.data());
  } else {
    DrawGroups<false>(out, in, n_, groups_.data(), index_.data());
  }
#else
  (void)out;
  (void)in;
#endif
}

}  // namespace raster
