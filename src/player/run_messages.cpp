// TfRun: the private window messages of the run window.
#include "player/run_messages.h"

#include "player/run_window.h"

namespace player {

bool TfRun::HandleMessage(uint32_t message, uintptr_t wParam, intptr_t) {
  switch (message) {
    case UM_FLASHENDED:
      if (wParam == 1) {
        FFlashStartFrame = 0;
        FFlashOpen = false;
        CloseFlashWindow();
      }
      ArmSelectTimer(selectIntervalMs_);  // whatever interval the timer has now
      return true;
    case UM_FLASHFRAME:
      FFlashStartFrame = static_cast<int32_t>(wParam);
      return true;
    case UM_ENDSHOW:
      if (FCanEnd) {
        music_.StopMusic();
        FCanEnd = false;
        platform_.window.RequestClose();
      }
      return true;
    case UM_SETTINGSCHANGED:
      ReadSettingReported();
      FRemaining = FSetting.MaxRunTime * 60;
      platform_.window.SetTimer(RunTimer::MaxRuntime, FSetting.UseMaxRunTime, 1000);
      if (!FSetting.EnabledMusic) music_.PauseMusic();
      return true;
    default:
      return HandleMusicMessage(message);
  }
}

}  // namespace player
