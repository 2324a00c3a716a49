// The run window's side of Flash movie items: opening the Flash window for an
// item and destroying it when the movie has ended, the next item is chosen or
// the show closes.
#include "player/flash_host.h"
#include "player/run_messages.h"
#include "player/run_window.h"

namespace player {

void TfRun::StartFlashItem() {
  FlashHost& host = *platform_.Flash();
  platform_.PostToWindow(UM_PAUSEMUSIC);
  host.CloseFlashWindow();
  composer_->PrepareBackgroundAndTexts(FCurrentIndex);
  platform_.Present(platform_.ShowImage().Bounds());
  const project::TPictureInfo& item = *FShowItems[static_cast<size_t>(FCurrentIndex)];
  FlashWindowArgs args{FSetting, FProjectInfo->RightClickMenu == 0, true, MakeFlashParams(item, FFlashStartFrame), {}};
  FFlashOpen = true;
  // A missing file has been reported by GetPictureFile.
  args.movie = FProjectInfo->GetPictureFile(item.Number);
  std::string error;
  if (!args.movie.empty()) {
    error = FPreview ? host.OpenFlashInPanel(args) : host.OpenFlashFullScreen(args);
    if (error.empty()) return;
    platform_.ShowMessage(error);
  }
  // A movie that cannot play: the show goes on to the next item.
  FFlashOpen = false;
  ArmSelectTimer(selectIntervalMs_);
}

void TfRun::CloseFlashWindow() {
  if (FlashHost* host = platform_.Flash()) host->CloseFlashWindow();
}

}  // namespace player
