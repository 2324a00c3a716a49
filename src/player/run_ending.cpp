// TfRun: the inputs that end the show, the close check with its password, the
// pop-up menu and the maximum run time.
#include <cstdlib>

#include "player/ending_inputs.h"
#include "player/run_messages.h"
#include "player/run_window.h"
#include "settings/check_password.h"

namespace player {
namespace {

constexpr int kVkApps = 0x5D;  // the Menu key
constexpr int kVkF10 = 0x79;

}  // namespace

void TfRun::pbShowMouseMove(int x, int y) {
  if (platform_.window.CursorHidden()) platform_.window.SetCursorHidden(false);
  if (FPreview || FInDialog) {
    FMouseRefX = x;
    FMouseRefY = y;
    return;
  }
  if (FProjectInfo->RightClickMenu != 0 || !FSetting.MouseMove) return;
  if (FMouseRefX == kMouseUnset) {
    FMouseRefX = x;
    FMouseRefY = y;
    return;
  }
  const int32_t threshold = MouseThreshold(FSetting);
  if (std::abs(x - FMouseRefX) < threshold && std::abs(y - FMouseRefY) < threshold) return;
  ++FMouseMoves;
  if (FMouseMoves <= FSetting.MouseSensitivity) return;
  FMouseRefX = x;
  FMouseRefY = y;
  FMouseMoves = 0;
  platform_.window.RequestClose();
}

void TfRun::pbShowMouseDown(MouseButton button) {
  if (FPreview || FInDialog) return;
  if (button == MouseButton::Left && FSetting.MouseLeftClick) platform_.window.RequestClose();
  if (button == MouseButton::Right && FProjectInfo->RightClickMenu == 0 && FSetting.MouseRightClick)
    platform_.window.RequestClose();
}

void TfRun::pbShowDblClick() {
  if (!FPreview && FSetting.MouseDoubleClick) platform_.window.RequestClose();
}

void TfRun::FormKeyDown(int virtualKey, bool shift) {
  if (FPreview) return;
  if (virtualKey == kVkApps || (virtualKey == kVkF10 && shift)) {
    ContextMenu(std::nullopt);
    return;
  }
  if (KeyEndsShow(FSetting, virtualKey)) platform_.window.RequestClose();
}

void TfRun::FormKeyPress(std::string_view character) {
  if (!FPreview && CharacterEndsShow(FSetting, character)) platform_.window.RequestClose();
}

bool TfRun::PopupMenuOffered() const { return FProjectInfo->RightClickMenu != 0 && !FPreview; }

void TfRun::ContextMenu(std::optional<raster::Point> at) {
  if (!PopupMenuOffered() || FInDialog || modalDepth_ > 0) return;
  platform_.window.SetCursorHidden(false);
  const MenuChoice choice = Modal([&] {
    return platform_.dialogs.PopupMenu(at, FProjectInfo->MenuSettingCaption(), FProjectInfo->MenuStopCaption());
  });
  switch (choice) {
    case MenuChoice::Setting: Setting1Click(); break;
    case MenuChoice::Stop: Close1Click(); break;
    case MenuChoice::None: break;
  }
}

void TfRun::Close1Click() { platform_.window.RequestClose(); }

void TfRun::LeaveModal() {
  if (--modalDepth_ > 0 || !closeDeferred_ || destroyed_) return;
  closeDeferred_ = false;
  platform_.window.RequestClose();
}

void TfRun::ShowMessage(const std::string& text) {
  Modal([&] { platform_.dialogs.ShowMessage(text); });
}

void TfRun::ReadSettingReported() {
  try {
    FSetting.ReadSetting();
  } catch (const settings::SettingsError& error) {
    ShowMessage(error.what());
  }
}

bool TfRun::AskPassword() {
  std::string typed;
  const bool confirmed = Modal([&] { return platform_.dialogs.InputPassword(typed); });
  return confirmed && settings::CheckPassword(typed, FSetting.Password);
}

bool TfRun::FormCloseQuery() {
  // A request that arrives while a dialog of the show is open (the maximum
  // run time behind the password prompt, say) is not lost: it is made again
  // when the dialog has returned.
  if (modalDepth_ > 0 || FInDialog) {
    closeDeferred_ = true;
    return false;
  }
  if (!FSetting.EnabledPassword || FPreview || closeWithoutPassword_) return true;
  FInDialog = true;
  const bool allowed = AskPassword();
  FInDialog = false;
  return allowed;
}

void TfRun::EndAfterError() {
  closeWithoutPassword_ = true;
  platform_.window.RequestClose();
}

void TfRun::Setting1Click() {
  FInDialog = true;
  Modal([&] {
    platform_.window.ProcessMessages();
    if (FSetting.EnabledPassword && !AskPassword()) return;
    Modal([&] { platform_.dialogs.ShowSettingDialog(); });
    HandleMessage(UM_SETTINGSCHANGED, 0, 0);  // reads the settings again
    if (FItemKind == project::kPictureItem && FSetting.EnabledMusic && FCurrentIndex >= 0 &&
        FShowItems[static_cast<size_t>(FCurrentIndex)]->PlayMusic)
      platform_.window.PostToWindow(UM_RESUMEMUSIC);
  });
  FInDialog = false;
}

void TfRun::MaxRuntimeTimer() {
  if (--FRemaining > 0) return;
  platform_.window.SetTimer(RunTimer::MaxRuntime, false, 0);
  music_.StopMusic();
  platform_.window.RequestClose();
  FCanEnd = false;
}

}  // namespace player
