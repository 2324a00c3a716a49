// The run window's side of Flash movie items: opening the Flash window for an
// item and destroying it when the movie has ended, the next item is chosen or
// the show closes.
#include "player/flash_host.h"
#include "player/run_window.h"

namespace player {

void TfRun::StartFlashItem() {
  // Whatever is said about the movie is said once the show knows how it goes on.
  messages_.Hold();
  FlashHost& host = platform_.flash;
  host.CloseFlashWindow();
  ShowBackdrop();
  const project::TPictureInfo& item = *FShowItems[static_cast<size_t>(FCurrentIndex)];
  FlashWindowArgs args{FSetting, FProjectInfo->RightClickMenu == 0, true, MakeFlashParams(item, FFlashStartFrame), {}};
  FFlashOpen = true;
  // A missing file has been reported by GetPictureFile.
  args.movie = FProjectInfo->GetPictureFile(item.Number);
  bool opened = false;
  if (!args.movie.empty()) {
    const std::string error = FPreview ? host.OpenFlashInPanel(args) : host.OpenFlashFullScreen(args);
    opened = error.empty();
    if (!opened) messages_.ShowMessage(error);
  }
  if (!opened) {
    // A movie that cannot play: the show goes on to the next item.
    FFlashOpen = false;
    ArmSelectTimer(selectIntervalMs_);
  }
  messages_.Release();
}

void TfRun::CloseFlashWindow() { platform_.flash.CloseFlashWindow(); }

}  // namespace player
