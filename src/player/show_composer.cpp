#include "player/show_composer.h"

#include "player/run_window.h"

namespace player {

ShowComposer::ShowComposer(TfRun& run, std::unique_ptr<TextRenderer> text)
    : run_(run),
      text_(std::move(text)),
      composer_(run.Project(), run.ShowItems(), run.BackgroundItems(), run.Random(), *text_, *this) {}

void ShowComposer::Resize(int width, int height, bool preview) { composer_.SetShowArea(width, height, preview); }

void ShowComposer::PrepareItem(int index) { composer_.PrepareItem(index, run_.Platform().ShowImage()); }

void ShowComposer::PrepareBackgroundAndTexts(int index) {
  composer_.PrepareBackdrop(index, run_.Platform().ShowImage());
}

void ShowComposer::DrawTexts(int index, raster::Bitmap& target) {
  const project::TPictureInfo& record = *run_.ShowItems().at(static_cast<size_t>(index));
  composer_.DrawCaption(record, target);
  composer_.DrawDescription(record, target);
}

void ShowComposer::SetOrigin(raster::Point origin) {
  composer_.FOriginX = origin.x;
  composer_.FOriginY = origin.y;
}

void ShowComposer::ShowMessage(const std::string& text) { run_.Platform().ShowMessage(text); }

void ShowComposer::PostQuit() { run_.EndAfterError(); }

}  // namespace player
