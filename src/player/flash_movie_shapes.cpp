#include "player/flash_movie_shapes.h"

#include <algorithm>
#include <cmath>

namespace player::flash {
namespace {

constexpr uint8_t kSolidFill = 0x00;
constexpr uint8_t kLinearGradient = 0x10;
constexpr uint8_t kRadialGradient = 0x12;
constexpr uint8_t kFocalGradient = 0x13;
constexpr uint8_t kFirstBitmapFill = 0x40;
constexpr uint8_t kLastBitmapFill = 0x43;
constexpr float kTwipsPerCurveStep = 80;  // about 4 pixels at the stage's own size
constexpr int kMaxCurveSteps = 16;

int StyleCount(MovieBits& in, int shapeVersion) {
  int count = in.U8();
  if (count == 0xFF && shapeVersion >= 2) count = in.U16();
  return count;
}

// A gradient is drawn in the mean of its colours: the stand-in fills solidly.
raster::Pixel ReadGradientColor(MovieBits& in, bool withAlpha, bool focal) {
  (void)ReadMatrix(in);
  in.Align();
  in.Bits(4);  // spread and interpolation modes
  const int records = static_cast<int>(in.Bits(4));
  uint32_t sum[4] = {};
  for (int k = 0; k < records; ++k) {
    in.U8();  // ratio
    const raster::Pixel c = ReadColor(in, withAlpha);
    sum[0] += raster::PixelR(c), sum[1] += raster::PixelG(c), sum[2] += raster::PixelB(c), sum[3] += raster::PixelA(c);
  }
  if (focal) in.U16();
  if (records == 0) return 0;
  auto mean = [&](int i) { return static_cast<uint8_t>(sum[i] / static_cast<uint32_t>(records)); };
  return raster::MakePixel(mean(0), mean(1), mean(2), mean(3));
}

// Appends one style array's fills to `fills`; returns the global index of each
// (1-based in the file), -1 for fills that are not drawn.
std::vector<int> ReadFillStyles(MovieBits& in, int shapeVersion, std::vector<ShapeFill>& fills) {
  const bool withAlpha = shapeVersion >= 3;
  const int count = StyleCount(in, shapeVersion);
  std::vector<int> indices;
  for (int k = 0; k < count; ++k) {
    const uint8_t type = in.U8();
    raster::Pixel color = 0;
    if (type == kSolidFill) {
      color = ReadColor(in, withAlpha);
    } else if (type == kLinearGradient || type == kRadialGradient || type == kFocalGradient) {
      color = ReadGradientColor(in, withAlpha, type == kFocalGradient);
    } else if (type >= kFirstBitmapFill && type <= kLastBitmapFill) {
      in.U16();  // bitmap id: bitmaps are not drawn
      (void)ReadMatrix(in);
    } else {
      throw MovieError("a shape has an unknown fill style");
    }
    if (raster::PixelA(color) == 0) {
      indices.push_back(-1);
    } else {
      indices.push_back(static_cast<int>(fills.size()));
      fills.push_back({color, {}});
    }
  }
  return indices;
}

void SkipLineStyles(MovieBits& in, int shapeVersion) {
  const int count = StyleCount(in, shapeVersion);
  for (int k = 0; k < count; ++k) {
    in.U16();  // width
    (void)ReadColor(in, shapeVersion >= 3);
  }
}

class EdgeSink {
 public:
  EdgeSink(std::vector<ShapeFill>& fills, size_t& budget) : fills_(fills), budget_(budget) {}

  void SetFills(int fill0, int fill1) {
    fill0_ = fill0;
    fill1_ = fill1;
  }

  // Each edge bounds the fill on either side of it; an edge with the same fill
  // on both sides is added twice and cancels under the even-odd rule.
  void Line(TwipPoint from, TwipPoint to) {
    for (int fill : {fill0_, fill1_}) {
      if (fill < 0) continue;
      if (budget_ == 0) throw MovieError("the movie's shapes hold more detail than the player draws");
      --budget_;
      fills_[static_cast<size_t>(fill)].edges.push_back({from, to});
    }
  }

  void Curve(TwipPoint from, TwipPoint control, TwipPoint to) {
    if (fill0_ < 0 && fill1_ < 0) return;
    const float length = std::hypot(control.x - from.x, control.y - from.y) + std::hypot(to.x - control.x, to.y - control.y);
    const int steps = std::clamp(static_cast<int>(length / kTwipsPerCurveStep), 2, kMaxCurveSteps);
    TwipPoint previous = from;
    for (int k = 1; k <= steps; ++k) {
      const float t = static_cast<float>(k) / static_cast<float>(steps), u = 1 - t;
      const TwipPoint p{u * u * from.x + 2 * u * t * control.x + t * t * to.x,
                        u * u * from.y + 2 * u * t * control.y + t * t * to.y};
      Line(previous, p);
      previous = p;
    }
  }

 private:
  std::vector<ShapeFill>& fills_;
  size_t& budget_;
  int fill0_ = -1;
  int fill1_ = -1;
};

int StyleIndex(const std::vector<int>& styles, uint32_t index) {
  return index == 0 || index > styles.size() ? -1 : styles[index - 1];
}

}  // namespace

raster::Pixel ReadColor(MovieBits& in, bool withAlpha) {
  const uint8_t r = in.U8(), g = in.U8(), b = in.U8();
  return raster::MakePixel(r, g, b, withAlpha ? in.U8() : 0xFF);
}

Matrix ReadMatrix(MovieBits& in) {
  in.Align();
  Matrix m;
  if (in.Flag()) {
    const int bits = static_cast<int>(in.Bits(5));
    m.a = in.SignedBits(bits) / 65536.0;
    m.d = in.SignedBits(bits) / 65536.0;
  }
  if (in.Flag()) {
    const int bits = static_cast<int>(in.Bits(5));
    m.b = in.SignedBits(bits) / 65536.0;
    m.c = in.SignedBits(bits) / 65536.0;
  }
  const int bits = static_cast<int>(in.Bits(5));
  m.tx = in.SignedBits(bits);
  m.ty = in.SignedBits(bits);
  in.Align();
  return m;
}

Shape ReadShape(MovieBits& in, int shapeVersion, size_t& segmentBudget) {
  Shape shape;
  std::vector<int> styles = ReadFillStyles(in, shapeVersion, shape.fills);
  SkipLineStyles(in, shapeVersion);
  int fillBits = static_cast<int>(in.Bits(4));
  int lineBits = static_cast<int>(in.Bits(4));
  EdgeSink sink(shape.fills, segmentBudget);
  int64_t x = 0, y = 0;
  int fill0 = -1, fill1 = -1;
  auto at = [&] { return TwipPoint{static_cast<float>(x), static_cast<float>(y)}; };
  for (;;) {
    if (in.Flag()) {
      const bool straight = in.Flag();
      const int bits = static_cast<int>(in.Bits(4)) + 2;
      const TwipPoint from = at();
      if (straight) {
        const bool general = in.Flag();
        const bool vertical = !general && in.Flag();
        if (general || !vertical) x += in.SignedBits(bits);
        if (general || vertical) y += in.SignedBits(bits);
        sink.Line(from, at());
      } else {
        x += in.SignedBits(bits);
        y += in.SignedBits(bits);
        const TwipPoint control = at();
        x += in.SignedBits(bits);
        y += in.SignedBits(bits);
        sink.Curve(from, control, at());
      }
      continue;
    }
    const uint32_t flags = in.Bits(5);
    if (flags == 0) break;  // the end of the shape
    if (flags & 1u) {
      const int bits = static_cast<int>(in.Bits(5));
      x = in.SignedBits(bits);
      y = in.SignedBits(bits);
    }
    if (flags & 2u) fill0 = StyleIndex(styles, in.Bits(fillBits));
    if (flags & 4u) fill1 = StyleIndex(styles, in.Bits(fillBits));
    if (flags & 8u) in.Bits(lineBits);
    if (flags & 16u) {
      styles = ReadFillStyles(in, shapeVersion, shape.fills);
      SkipLineStyles(in, shapeVersion);
      fillBits = static_cast<int>(in.Bits(4));
      lineBits = static_cast<int>(in.Bits(4));
      fill0 = fill1 = -1;
    }
    sink.SetFills(fill0, fill1);
  }
  std::erase_if(shape.fills, [](const ShapeFill& fill) { return fill.edges.empty(); });
  return shape;
}

}  // namespace player::flash
