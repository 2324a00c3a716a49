// The full-screen show across every monitor. The slides play on the primary
// monitor, whose size is the show area (W by H); every other monitor is covered
// in black; input anywhere on them is read in the show area's coordinates, so
// that a mouse moved on any monitor counts as moved over the show.
//
// Monitors are rectangles in virtual-screen coordinates: a monitor left of or
// above the primary has negative ones.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "raster/geometry.h"

namespace player {

struct Monitor {
  raster::Rect bounds;
  bool primary = false;
};

struct ScreenLayout {
  raster::Rect show;                 // the primary monitor: the slides
  std::vector<raster::Rect> covers;  // the rest of every other monitor: black

  // A point of the virtual screen in the show area's coordinates (the show's
  // top-left corner is (0, 0)), and back.
  raster::Point ToShow(raster::Point screen) const;
  raster::Point ToScreen(raster::Point inShow) const;
};

// The show goes on the monitor marked primary; when none is marked, on the one
// holding the origin (where Windows puts the primary's top-left corner), else on
// the first. Empty monitors are left out; without any usable monitor the show
// takes `fallback` and nothing is covered. Where another monitor overlaps the
// show (a mirrored display), only its part outside the show is covered, in at
// most four rectangles.
ScreenLayout LayOutScreens(const std::vector<Monitor>& monitors, const raster::Rect& fallback);

// A monitor list written as text, for tests of the Windows program on a single
// screen: "LEFT,TOP,RIGHT,BOTTOM" per monitor, separated by ";", the primary
// marked with a trailing "*". Nothing for a text that is not such a list.
std::optional<std::vector<Monitor>> ParseMonitorList(std::string_view text);

}  // namespace player
