// TfRun: the show. It owns the project, the user's settings, the item lists
// and the transition engine, and turns timer ticks, input and messages into
// the slide-show loop: choose an item, compose it, bring it on with a
// transition, hold it for the display time plus one second, and again; until
// an input the user chose (or the maximum run time) closes the window.
//
// The platform (a Windows window, or a test fake) creates it, calls
// SetupFullScreen or SetupPreview, then FormShow, and afterwards forwards its
// timers, input and messages to the handlers below.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/random.h"
#include "player/run_platform.h"
#include "player/slide_composer.h"
#include "project/project_info.h"
#include "settings/rw_setting.h"
#include "transitions/ssb_array.h"
#include "transitions/transition_engine.h"

namespace player {

enum class MouseButton { Left, Right, Middle };

class TfRun;
using ComposerFactory = std::function<std::unique_ptr<SlideComposer>(TfRun&)>;

struct RunDependencies {
  std::string programPath;
  project::ProjectServices& projectServices;
  settings::SettingsBackend& settingsBackend;
  RunPlatform& platform;
  base::Random& random;
  ComposerFactory makeComposer;
};

class TfRun {
 public:
  // FormCreate: loads the project and the settings (InitRun). Throws the
  // project's and the settings' errors.
  explicit TfRun(RunDependencies deps);
  ~TfRun();
  TfRun(const TfRun&) = delete;
  TfRun& operator=(const TfRun&) = delete;

  void SetupFullScreen(int screenWidth, int screenHeight);
  void SetupPreview(int hostWidth, int hostHeight);
  void FormShow();
  // FormDestroy's part that must run while the window still exists.
  void FormDestroy();

  // Timers.
  void SelectTimerTimer();
  void ShowTimerTimer();
  void MaxRuntimeTimer();

  // Input (Part of ending the show).
  void pbShowMouseMove(int x, int y);
  void pbShowMouseDown(MouseButton button);
  void pbShowDblClick();
  void FormKeyDown(int virtualKey);
  // The typed character as UTF-8 text.
  void FormKeyPress(std::string_view character);
  void Close1Click();
  void Setting1Click();
  bool FormCloseQuery();
  void FormClose() { FStarted = false; }

  // The private messages; returns false for a message that is not the run window's.
  bool HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);

  int NextItemIndex(int32_t& kind);

  // What the composer and the window read.
  project::TProjectInfo& Project() { return *FProjectInfo; }
  const std::vector<project::TPictureInfo*>& ShowItems() const { return FShowItems; }
  const std::vector<project::TPictureInfo*>& BackgroundItems() const { return FBackgroundItems; }
  const settings::TRWSetting& Setting() const { return FSetting; }
  base::Random& Random() { return random_; }
  RunPlatform& Platform() { return platform_; }
  bool PopupMenuOffered() const { return FProjectInfo->RightClickMenu != 0 && !FPreview; }
  bool SettingEntryVisible() const { return !(FPreview && FProjectInfo->RightClickMenu == 0); }
  const std::string& MenuSettingCaption() const { return FProjectInfo->MenuSettingCaption(); }
  const std::string& MenuStopCaption() const { return FProjectInfo->MenuStopCaption(); }

  // State, named as the run window's fields.
  int32_t FOriginX = 0, FOriginY = 0;
  int32_t FItemKind = 0;
  int32_t FFlashStartFrame = 0;
  bool FStarted = false;
  int32_t FCurrentIndex = -1;
  int32_t FTransitionNo = -1;
  bool FPreview = false;
  int32_t FShowWidth = 0, FShowHeight = 0;
  bool FFlashOpen = false;
  bool FVideoPlaying = false;
  int32_t FMouseRefX = kMouseUnset, FMouseRefY = 0, FMouseMoves = 0;
  bool FInDialog = false;
  bool FClearPending = true;
  bool FCanEnd = false;
  int32_t FRemaining = 0;
  int32_t FItemCount = 0;

  static constexpr int32_t kMouseUnset = -10;

 private:
  void InitRun();
  void BuildItemLists();
  void StartPictureItem();
  void StartMediaItem();
  // Flash movie items (run_flash.cpp).
  void StartFlashItem();
  void CloseFlashWindow();
  void StartTransition(project::TPictureInfo& item, transitions::TSSBArray& list, int32_t speed, bool randomPick);
  bool AskPassword();
  // Ends the show after an error was shown: no password is asked.
  void EndAfterError();
  // SelectTimer keeps its interval between uses; it starts at one second.
  void ArmSelectTimer(uint32_t intervalMs);
  uint32_t DwellIntervalMs() const;
  int32_t MouseThreshold() const;

  base::Random& random_;
  RunPlatform& platform_;
  ComposerFactory makeComposer_;
  std::unique_ptr<project::TProjectInfo> FProjectInfo;
  settings::TRWSetting FSetting;
  std::unique_ptr<SlideComposer> composer_;
  transitions::TransitionEngine engine_;
  transitions::TSSBArray FUserTransitions;
  std::vector<transitions::TSSBArray> FItemTransitions;
  std::vector<project::TPictureInfo*> FShowItems;
  std::vector<project::TPictureInfo*> FBackgroundItems;
  uint32_t selectIntervalMs_ = 1000;
  bool closeWithoutPassword_ = false;
  bool destroyed_ = false;
};

}  // namespace player
