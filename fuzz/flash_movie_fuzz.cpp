// Feeds arbitrary bytes to the Flash movie reader: it must either read a movie
// or raise a MovieError, and never touch memory outside the file or allocate
// from a size it has not checked. A movie that reads is played through its
// frames, jumped about in and drawn, as the stand-in player does.
#include <cstddef>
#include <cstdint>
#include <span>

#include "player/flash_movie.h"
#include "player/flash_stage.h"
#include "player/flash_timeline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace player::flash;
  try {
    const Movie movie = ParseMovie(std::span<const uint8_t>(data, size));
    MovieTimeline timeline(movie);
    raster::Bitmap window(40, 30);
    const int32_t mode = size > 0 ? data[size - 1] % 5 : 0;
    const StageView view = FitStage(movie.stage, window.Width(), window.Height(), mode, mode * 3);
    for (int k = 0; k < 2 * movie.frameCount && k < 64; ++k) {
      DrawStage(window, movie, timeline, view, raster::MakePixel(1, 2, 3));
      if (!timeline.Tick()) timeline.Play();
      if (k % 7 == 3) timeline.GotoFrame(movie.frameCount - 1 - k);
    }
  } catch (const MovieError&) {
  }
  return 0;
}
