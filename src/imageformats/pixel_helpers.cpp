#include "imageformats/decoders.h"

namespace imageformats {

Palette Palette::GreyRamp(uint32_t count) {
  Palette ramp;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t v = count > 1 ? ScaleToByte(i, count - 1) : 0;
    ramp.push_back(raster::MakePixel(v, v, v));
  }
  return ramp;
}

ChannelRole StandardRole(int channel, int count) {
  if (count <= 2) return channel == 0 ? ChannelRole::Grey : ChannelRole::Alpha;
  switch (channel) {
    case 0: return ChannelRole::Red;
    case 1: return ChannelRole::Green;
    case 2: return ChannelRole::Blue;
    case 3: return ChannelRole::Alpha;
    default: return ChannelRole::Ignored;
  }
}

}  // namespace imageformats
