// Lengths at the resolution of a screen. Fonts are given in points (1/72 inch)
// and layouts in pixels at 96 dots per inch; a monitor with more pixels per
// inch gets proportionally more pixels for both, so text and dialogs keep
// their physical size. Pictures are not scaled: they keep their pixel sizes.
#pragma once

namespace base {

inline constexpr int kBaseDpi = 96;

// value × numerator / denominator, rounded half away from zero, as Windows'
// MulDiv; clamped to the int range, and 0 when the denominator is 0.
int MulDivRounded(int value, int numerator, int denominator);

// A length given in pixels at 96 dpi, at `dpi` (a DPI below 1 counts as 96).
int ScaleToDpi(int pixelsAt96, int dpi);

// The Windows font height of a point size at `dpi`: the negative character
// height in pixels, -MulDiv(points, dpi, 72).
int FontHeightForPoints(int points, int dpi);

}  // namespace base
