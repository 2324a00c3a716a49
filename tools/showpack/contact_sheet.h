// The contact sheet: every item of a show as a thumbnail in a grid, with its
// number and caption, what kind of item it is, and its transitions.
#pragma once

#include <string>
#include <vector>

#include "player/frame_fit.h"
#include "player/text_renderer.h"
#include "project/picture_info.h"
#include "raster/bitmap.h"

namespace showpack {

struct SheetEntry {
  raster::Bitmap thumbnail;  // at most ThumbnailBox(); may be empty
  std::vector<std::string> lines;
};

// Thumbnails fit inside this box.
inline constexpr player::Size kThumbnailBox{320, 240};
inline constexpr int kSheetColumns = 4;

// The thumbnail of a picture: shrunk (never enlarged) to fit kThumbnailBox.
raster::Bitmap Thumbnail(const raster::Bitmap& picture);

// The three label lines of an item: "N  caption"; its kind, picture format
// and speed; its transitions, in turn or at random.
std::vector<std::string> ItemLabel(const project::TPictureInfo& record);

// The grid: `title` on top, then up to kSheetColumns cells a row, each a
// thumbnail (centred in a cell of the largest thumbnail's size) above its
// lines; lines too wide for the cell end in "…".
raster::Bitmap LayContactSheet(const std::string& title, const std::vector<SheetEntry>& entries,
                               player::TextRenderer& text);

}  // namespace showpack
