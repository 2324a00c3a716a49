#include "player/frame_slide_composer.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace player {

FrameSlideComposer::FrameSlideComposer(project::TProjectInfo& project, const FrameComposer::ItemList& showItems,
                                       const FrameComposer::ItemList& backgroundItems, base::Random& random,
                                       TextRenderer& text, ShowImageFn showImage, ShowMessageFn showMessage)
    : showItems_(showItems),
      showImage_(std::move(showImage)),
      showMessage_(std::move(showMessage)),
      composer_(project, showItems, backgroundItems, random, text, host_) {}

void FrameSlideComposer::Resize(int width, int height, bool preview) {
  composer_.SetShowArea(width, height, preview);
  if (composer_.FComposite.Width() != width || composer_.FComposite.Height() != height)
    composer_.FComposite.Reset(std::max(width, 0), std::max(height, 0));
}

void FrameSlideComposer::PrepareItem(int index) {
  composer_.PrepareItem(index, showImage_());
  Flush();
}

void FrameSlideComposer::PrepareBackgroundAndTexts(int index) {
  composer_.ComposeBackdrop(index);
  Flush();
}

void FrameSlideComposer::DrawTexts(int index, raster::Bitmap& target) {
  if (index < 0 || index >= static_cast<int>(showItems_.size())) return;
  const project::TPictureInfo& record = *showItems_[static_cast<std::size_t>(index)];
  composer_.DrawCaption(record, target);
  composer_.DrawDescription(record, target);
}

void FrameSlideComposer::Flush() {
  std::vector<std::string> messages = std::move(host_.messages);
  host_.messages.clear();
  const bool quit = host_.quit;
  host_.quit = false;
  if (quit && !messages.empty()) {
    const std::string last = messages.back();
    messages.pop_back();
    for (const std::string& text : messages) showMessage_(text);
    throw std::runtime_error(last);
  }
  for (const std::string& text : messages) showMessage_(text);
}

}  // namespace player
