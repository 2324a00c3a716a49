#include "gif_palette.h"

#include <algorithm>
#include <array>
#include <limits>
#include <unordered_set>

namespace showpack {
namespace {

constexpr raster::Pixel kRgb = 0x00FFFFFFu;
constexpr int kBinBits = 5;  // median cut works on colours at 5 bits per channel
constexpr int kBins = 1 << (3 * kBinBits);

struct Bin {
  uint64_t count = 0;
  std::array<uint64_t, 3> sum{};  // red, green, blue of the pixels in the bin
};

int Channel(int bin, int channel) { return (bin >> (kBinBits * (2 - channel))) & ((1 << kBinBits) - 1); }

int BinOf(raster::Pixel p) {
  return ((raster::PixelR(p) >> (8 - kBinBits)) << (2 * kBinBits)) | ((raster::PixelG(p) >> (8 - kBinBits)) << kBinBits) |
         (raster::PixelB(p) >> (8 - kBinBits));
}

// Splits the bins into at most `limit` boxes, each time cutting the box with
// the widest channel range at the median of its pixel count along it.
std::vector<raster::Pixel> MedianCut(const std::vector<Bin>& bins, std::size_t limit) {
  std::vector<std::vector<int>> boxes(1);
  for (int b = 0; b < kBins; ++b)
    if (bins[static_cast<std::size_t>(b)].count) boxes[0].push_back(b);
  const auto widest = [](const std::vector<int>& box) {
    int channel = 0, range = -1;
    for (int c = 0; c < 3; ++c) {
      const auto [lo, hi] = std::minmax_element(box.begin(), box.end(),
                                                [c](int a, int b) { return Channel(a, c) < Channel(b, c); });
      if (Channel(*hi, c) - Channel(*lo, c) > range) {
        range = Channel(*hi, c) - Channel(*lo, c);
        channel = c;
      }
    }
    return std::pair{channel, range};
  };
  while (boxes.size() < limit) {
    std::size_t pick = boxes.size();
    int bestRange = 0, channel = 0;
    for (std::size_t k = 0; k < boxes.size(); ++k)
      if (const auto [c, range] = widest(boxes[k]); boxes[k].size() > 1 && range > bestRange) {
        bestRange = range;
        channel = c;
        pick = k;
      }
    if (pick == boxes.size()) break;
    std::vector<int>& box = boxes[pick];
    std::sort(box.begin(), box.end(), [channel](int a, int b) { return Channel(a, channel) < Channel(b, channel); });
    uint64_t total = 0, running = 0;
    for (int b : box) total += bins[static_cast<std::size_t>(b)].count;
    std::size_t cut = 1;
    for (; cut + 1 < box.size(); ++cut) {
      running += bins[static_cast<std::size_t>(box[cut - 1])].count;
      if (running * 2 >= total) break;
    }
    std::vector<int> upper(box.begin() + static_cast<std::ptrdiff_t>(cut), box.end());
    box.resize(cut);
    boxes.push_back(std::move(upper));  // last: it moves the boxes
  }
  std::vector<raster::Pixel> colors;
  for (const auto& box : boxes) {
    uint64_t count = 0;
    std::array<uint64_t, 3> sum{};
    for (int b : box) {
      count += bins[static_cast<std::size_t>(b)].count;
      for (int c = 0; c < 3; ++c) sum[static_cast<std::size_t>(c)] += bins[static_cast<std::size_t>(b)].sum[static_cast<std::size_t>(c)];
    }
    if (count == 0) continue;
    const auto mean = [&](int c) { return static_cast<uint8_t>((sum[static_cast<std::size_t>(c)] + count / 2) / count); };
    colors.push_back(raster::MakePixel(mean(0), mean(1), mean(2)));
  }
  return colors;
}

}  // namespace

GifPalette::GifPalette(std::span<const raster::Bitmap* const> pictures) : nearest_(1u << 18, 0) {
  std::unordered_set<raster::Pixel> distinct;
  std::vector<Bin> bins;  // once there are more than 256 colours
  const auto count = [&bins](raster::Pixel p) {
    Bin& bin = bins[static_cast<std::size_t>(BinOf(p))];
    ++bin.count;
    bin.sum[0] += raster::PixelR(p);
    bin.sum[1] += raster::PixelG(p);
    bin.sum[2] += raster::PixelB(p);
  };
  for (const raster::Bitmap* picture : pictures)
    for (int y = 0; y < picture->Height(); ++y)
      for (int x = 0; x < picture->Width(); ++x) {
        const raster::Pixel p = picture->At(x, y) & kRgb;
        if (!bins.empty()) {
          count(p);
        } else if (distinct.insert(p).second && distinct.size() > kMaxColors) {
          // The colours seen so far count once each: enough to keep them in the cut.
          bins.resize(kBins);
          for (const raster::Pixel seen : distinct) count(seen);
        }
      }
  if (bins.empty()) {
    colors_.assign(distinct.begin(), distinct.end());
    std::sort(colors_.begin(), colors_.end());
  } else {
    colors_ = MedianCut(bins, kMaxColors);
  }
  if (colors_.empty()) colors_.push_back(0);
  for (auto& color : colors_) color |= 0xFF000000u;
  for (std::size_t k = 0; k < colors_.size(); ++k) exact_.emplace(colors_[k] & kRgb, static_cast<uint8_t>(k));
}

uint8_t GifPalette::IndexOf(raster::Pixel color) {
  color &= kRgb;
  if (const auto found = exact_.find(color); found != exact_.end()) return found->second;
  const std::size_t key = (std::size_t{raster::PixelR(color)} >> 2 << 12) | (std::size_t{raster::PixelG(color)} >> 2 << 6) |
                          (std::size_t{raster::PixelB(color)} >> 2);
  if (nearest_[key] == 0) nearest_[key] = static_cast<uint16_t>(Nearest(color) + 1);
  return static_cast<uint8_t>(nearest_[key] - 1);
}

uint8_t GifPalette::Nearest(raster::Pixel color) const {
  int best = 0;
  int bestDistance = std::numeric_limits<int>::max();
  for (std::size_t k = 0; k < colors_.size(); ++k) {
    const int dr = raster::PixelR(colors_[k]) - raster::PixelR(color);
    const int dg = raster::PixelG(colors_[k]) - raster::PixelG(color);
    const int db = raster::PixelB(colors_[k]) - raster::PixelB(color);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(k);
    }
  }
  return static_cast<uint8_t>(best);
}

}  // namespace showpack
