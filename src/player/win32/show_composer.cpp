#include "player/win32/show_composer.h"

#include "player/frame_box_text.h"
#include "player/show_composer.h"

namespace player {

std::unique_ptr<SlideComposer> MakeShowComposer(TfRun& run) {
  return std::make_unique<ShowComposer>(run, std::make_unique<BoxTextRenderer>(8, 16));
}

}  // namespace player
