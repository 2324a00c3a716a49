#include "player/screen_layout.h"

#include <algorithm>
#include <array>

#include "base/ascii.h"

namespace player {
namespace {

// `area` minus `hole`: the bands above and below the hole, and the parts left
// and right of it between them.
void AddOutside(const raster::Rect& area, const raster::Rect& hole, std::vector<raster::Rect>& out) {
  const raster::Rect overlap = area.Intersect(hole);
  if (overlap.IsEmpty()) {
    out.push_back(area);
    return;
  }
  const raster::Rect parts[] = {
      {area.left, area.top, area.right, overlap.top},
      {area.left, overlap.bottom, area.right, area.bottom},
      {area.left, overlap.top, overlap.left, overlap.bottom},
      {overlap.right, overlap.top, area.right, overlap.bottom},
  };
  for (const raster::Rect& part : parts)
    if (!part.IsEmpty()) out.push_back(part);
}

std::optional<Monitor> ParseMonitor(std::string_view text) {
  Monitor monitor;
  if (!text.empty() && text.back() == '*') {
    monitor.primary = true;
    text.remove_suffix(1);
  }
  std::array<int, 4> edges{};
  for (size_t i = 0; i < edges.size(); ++i) {
    const size_t comma = i + 1 < edges.size() ? text.find(',') : text.size();
    if (comma == std::string_view::npos) return std::nullopt;
    const auto value = base::ParseInt32(text.substr(0, comma));
    if (!value) return std::nullopt;
    edges[i] = *value;
    text.remove_prefix(std::min(comma + 1, text.size()));
  }
  monitor.bounds = {edges[0], edges[1], edges[2], edges[3]};
  return monitor;
}

}  // namespace

raster::Point ScreenLayout::ToShow(raster::Point screen) const {
  return {screen.x - show.left, screen.y - show.top};
}

raster::Point ScreenLayout::ToScreen(raster::Point inShow) const {
  return {inShow.x + show.left, inShow.y + show.top};
}

ScreenLayout LayOutScreens(const std::vector<Monitor>& monitors, const raster::Rect& fallback) {
  std::vector<const Monitor*> usable;
  for (const Monitor& monitor : monitors)
    if (!monitor.bounds.IsEmpty()) usable.push_back(&monitor);
  if (usable.empty()) return {fallback, {}};

  const auto marked = std::find_if(usable.begin(), usable.end(), [](const Monitor* m) { return m->primary; });
  const auto atOrigin =
      std::find_if(usable.begin(), usable.end(), [](const Monitor* m) { return m->bounds.Contains(0, 0); });
  const Monitor* primary = marked != usable.end() ? *marked : atOrigin != usable.end() ? *atOrigin : usable.front();

  ScreenLayout layout{primary->bounds, {}};
  std::vector<raster::Rect> parts;
  for (const Monitor* monitor : usable)
    if (monitor != primary) AddOutside(monitor->bounds, layout.show, parts);
  for (const raster::Rect& part : parts)
    if (std::find(layout.covers.begin(), layout.covers.end(), part) == layout.covers.end())
      layout.covers.push_back(part);
  return layout;
}

std::optional<std::vector<Monitor>> ParseMonitorList(std::string_view text) {
  std::vector<Monitor> monitors;
  while (!text.empty()) {
    const size_t end = std::min(text.find(';'), text.size());
    const auto monitor = ParseMonitor(text.substr(0, end));
    if (!monitor) return std::nullopt;
    monitors.push_back(*monitor);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  if (monitors.empty()) return std::nullopt;
  return monitors;
}

}  // namespace player
