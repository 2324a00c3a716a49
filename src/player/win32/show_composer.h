// The run window's composer on Windows: frame composition with GDI text.
#pragma once

#include <memory>

#include "player/slide_composer.h"
#include "player/text_renderer.h"

namespace player {

class TfRun;

// `text` must outlive the composer.
std::unique_ptr<SlideComposer> MakeShowComposer(TfRun& run, TextRenderer& text);

}  // namespace player
