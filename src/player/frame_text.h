// The caption and the description of a slide: where they go on the show area
// and how the description's lines are laid out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "player/frame_fit.h"
#include "player/text_renderer.h"
#include "project/picture_info.h"
#include "raster/bitmap.h"

namespace player {

// Gap between right-aligned text and the right edge of the show area.
inline constexpr int kRightMargin = 20;

// The top-left corner of a block of `block` size at `position` 0..9 in the show
// area: top, bottom or middle; centred, left or right (20 pixels from the right
// edge); 9 places it at `own`; any other position at (0, 0).
raster::Point TextBlockPosition(int position, Size block, Size area, raster::Point own);

// The lines of a multi-line text: a line ends at CR, LF or CR LF; a break at
// the very end does not start another line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The record's caption in one line, when it is shown.
void DrawCaption(const project::TPictureInfo& record, raster::Bitmap& bitmap, Size area, TextRenderer& text);
// The record's description, line below line at the height of "Afjh", when it is
// shown and not empty.
void DrawDescription(const project::TPictureInfo& record, raster::Bitmap& bitmap, Size area, TextRenderer& text);

}  // namespace player
