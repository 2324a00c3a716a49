#include "player/win32/show_composer.h"

#include "player/frame_slide_composer.h"
#include "player/run_window.h"

namespace player {

std::unique_ptr<SlideComposer> MakeShowComposer(TfRun& run, TextRenderer& text) {
  return std::make_unique<FrameSlideComposer>(
      run.Project(), run.ShowItems(), run.BackgroundItems(), run.Random(), text,
      [&run]() -> raster::Bitmap& { return run.Platform().ShowImage(); },
      [&run](const std::string& message) { run.Platform().ShowMessage(message); });
}

}  // namespace player
