// The run window's side of Flash movie items: opening the Flash window for an
// item and destroying it when the movie has ended, the next item is chosen or
// the show closes.
#include "player/flash_host.h"
#include "player/run_window.h"

namespace player {

void TfRun::StartFlashItem() {
  // A missing movie (GetPictureFile says so) is reported once SelectTimer is set.
  messages_.Hold();
  FlashHost& host = platform_.flash;
  host.CloseFlashWindow();
  ShowBackdrop();
  const project::TPictureInfo& item = *FShowItems[static_cast<size_t>(FCurrentIndex)];
  FlashWindowArgs args{FSetting, FProjectInfo->RightClickMenu == 0, true, MakeFlashParams(item, FFlashStartFrame), {}};
  FFlashOpen = true;
  args.movie = FProjectInfo->GetPictureFile(item.Number);
  std::string error;
  if (!args.movie.empty()) error = FPreview ? host.OpenFlashInPanel(args) : host.OpenFlashFullScreen(args);
  if (args.movie.empty() || !error.empty()) {
    // A movie that cannot play: the show goes on to the next item once the
    // reason has been read.
    if (!error.empty()) ShowMessage(error);
    FFlashOpen = false;
    ArmSelectTimer(selectIntervalMs_);
  }
  messages_.Release();
}

void TfRun::CloseFlashWindow() { platform_.flash.CloseFlashWindow(); }

}  // namespace player
