// The run window's composer on Windows: frame composition with GDI text.
#pragma once

#include <memory>

#include "player/slide_composer.h"

namespace player {

class TfRun;

std::unique_ptr<SlideComposer> MakeShowComposer(TfRun& run);

}  // namespace player
