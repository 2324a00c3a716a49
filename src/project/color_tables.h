// The two shared colour tables: the standard colours of plain backgrounds and
// of the random font colours, and the colour pairs of random gradients. Values
// are Windows colour values 0x00BBGGRR. They never change, so they are constant
// tables rather than process-wide variables filled at start-up.
#pragma once

#include <array>

#include "raster/color.h"

namespace project {

using raster::ColorRef;

struct TColorPair {
  ColorRef First;
  ColorRef Second;
};

constexpr int kStandardColorCount = 13;
constexpr int kGradientPairCount = 13;

inline constexpr std::array<ColorRef, kStandardColorCount> StandardColors = {
    0x000000, 0x008000, 0x008080, 0x808000, 0x0000FF, 0x00FF00, 0x00FFFF,
    0xFF00FF, 0xFFFF00, 0x8000FF, 0xC0DCC0, 0xF0CAA6, 0x000080,
};

inline constexpr std::array<TColorPair, kGradientPairCount> GradientColorPairs = {{
    {0xFFFFFF, 0xFFFF00},
    {0x00FFFF, 0x8000FF},
    {0x80FFFF, 0xFFFF00},
    {0x0080FF, 0xFF80FF},
    {0xFFFF00, 0xFF0080},
    {0x00FF00, 0x000000},
    {0x0080FF, 0x00FFFF},
    {0xFF8000, 0xFF00FF},
    {0x40FF00, 0x00FFFF},
    {0xFF8000, 0x80FF80},
    {0x8000FF, 0x40FF00},
    {0x008000, 0xFFFF00},
    {0x0080FF, 0x000000},
}};

}  // namespace project
