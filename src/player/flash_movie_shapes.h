// The records inside a movie's tags that the stand-in player draws: shapes
// (DefineShape, DefineShape2, DefineShape3), matrices and colours.
#pragma once

#include <cstddef>
#include <cstdint>

#include "player/flash_movie.h"
#include "player/flash_movie_bits.h"

namespace player::flash {

raster::Pixel ReadColor(MovieBits& in, bool withAlpha);
Matrix ReadMatrix(MovieBits& in);

// Reads the styles and edges of a shape tag, after its id and bounds.
// `shapeVersion` is 1, 2 or 3. Each edge segment is taken from
// `segmentBudget`; MovieError when the budget or the tag runs out.
Shape ReadShape(MovieBits& in, int shapeVersion, size_t& segmentBudget);

}  // namespace player::flash
