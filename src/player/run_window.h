// TfRun: the show. It owns the project, the user's settings, the item lists,
// the frame composer and the transition engine, and turns timer ticks, input
// and messages into the slide-show loop: choose an item, compose it, bring it
// on with a transition, hold it for the display time plus one second, and
// again; until an input the user chose (or the maximum run time) closes the
// window.
//
// The platform (the Windows show window, or a test fake) creates it, creates
// its window, calls SetupFullScreen or SetupPreview, then FormShow, and
// afterwards forwards its timers, input and messages to the handlers below.
// The implementation is split by concern: run_window.cpp (creation and the
// item loop), run_ending.cpp (input, closing, the maximum run time),
// run_messages.cpp (the private messages), run_flash.cpp (Flash movie items),
// run_media_items.cpp (music and video items).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/random.h"
#include "player/ending_inputs.h"
#include "player/frame_composer.h"
#include "player/held_messages.h"
#include "player/media_player.h"
#include "player/music_playback.h"
#include "player/run_platform.h"
#include "player/video_playback.h"
#include "project/project_info.h"
#include "settings/rw_setting.h"
#include "transitions/ssb_array.h"
#include "transitions/transition_engine.h"

namespace player {

enum class MouseButton { Left, Right, Middle };

struct RunDependencies {
  std::string programPath;
  project::ProjectServices& projectServices;
  settings::SettingsBackend& settingsBackend;
  RunPlatform platform;
  base::Random& random;
};

// What the window shell reads of the show.
struct RunView {
  bool preview = false;
  // A prompt, the settings dialog, a message box or the pop-up menu is open.
  bool inDialog = false;
};

class TfRun {
 public:
  // Loads the project and the settings (InitRun) and captures the desktop.
  // Throws the project's errors.
  explicit TfRun(RunDependencies deps);
  // Deletes the desktop capture; calls nothing of the platform, which may be
  // gone by then (FormDestroy is the window's farewell).
  ~TfRun();
  TfRun(const TfRun&) = delete;
  TfRun& operator=(const TfRun&) = delete;

  // Once the window exists: the show area, the item lists and the timers.
  void SetupFullScreen(int screenWidth, int screenHeight);
  void SetupPreview(int hostWidth, int hostHeight);
  // The window is shown: the first item starts at once.
  void FormShow();
  // The window is being destroyed: timers off, cursor back, music stopped.
  void FormDestroy();
  // A window message handler failed (memory exhaustion, an unforeseen error):
  // says so and ends the show without asking for the password.
  void HandlerFailed(const std::string& what);

  // Timers.
  void SelectTimerTimer();
  void ShowTimerTimer();
  void MaxRuntimeTimer();
  void MusicPlayTimerTimer() { music_.MusicPlayTimerTimer(); }
  void VidioTimerTimer();

  // Input.
  void pbShowMouseMove(int x, int y);
  void pbShowMouseDown(MouseButton button);
  void pbShowDblClick();
  // A press on the video panel counts as a press on the show.
  void displaypanelMouseDown(MouseButton button) { pbShowMouseDown(button); }
  // A key went down; `shift` tells whether Shift was held.
  void FormKeyDown(int virtualKey, bool shift = false);
  // The typed character as UTF-8 text.
  void FormKeyPress(std::string_view character);
  // The pop-up menu was asked for: the right button released over the show, at
  // `at`; or from the keyboard, without a point.
  void ContextMenu(std::optional<raster::Point> at);
  void Close1Click();
  void Setting1Click();
  bool FormCloseQuery();
  void FormClose() { FStarted = false; }

  // The private messages; false for a message that is not the run window's.
  bool HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);

  RunView View() const { return {FPreview, FInDialog || modalDepth_ > 0}; }

 private:
  // Creation and the item loop (run_window.cpp).
  void InitRun();
  void SetUp(int width, int height, bool preview);
  void BuildItemLists();
  int NextItemIndex(int32_t& kind);
  void StartPictureItem();
  // The background and texts of a Flash or video item, with the music paused.
  void ShowBackdrop();
  void StartTransition(project::TPictureInfo& item, transitions::TSSBArray& list, int32_t speed, bool randomPick);
  // Shows what went wrong (a picture that cannot be decoded once per show);
  // false when the item cannot be shown.
  bool ReportPictureErrors(const PictureErrors& errors);
  bool Broken(int index) const;
  // SelectTimer keeps its interval between uses; it starts at one second.
  void ArmSelectTimer(uint32_t intervalMs);
  uint32_t DwellIntervalMs() const;

  // Ending the show (run_ending.cpp).
  // Runs a modal dialog. Timers and posted messages are handled while it is
  // open; a close request that arrives meanwhile waits until the outermost
  // dialog has returned, so the window is never destroyed under it.
  template <class Dialog>
  auto Modal(Dialog&& dialog) {
    struct Scope {
      TfRun& run;
      explicit Scope(TfRun& r) : run(r) { ++run.modalDepth_; }
      ~Scope() { run.LeaveModal(); }
    } scope(*this);
    return dialog();
  }
  void LeaveModal();
  void ShowMessage(const std::string& text);
  // ReadSetting; a value that cannot be read is reported and the values read
  // so far stay.
  void ReadSettingReported();
  bool AskPassword();
  // Ends the show after an error was shown: no password is asked.
  void EndAfterError();
  bool PopupMenuOffered() const;

  // Flash movie items (run_flash.cpp).
  void StartFlashItem();
  void CloseFlashWindow();

  // Music and video (run_media_items.cpp).
  MediaContext MediaServices();
  bool HandleMusicMessage(uint32_t message);
  void StartVideoItem();
  // The devices close before the project deletes the files they play.
  void CloseMedia();

  base::Random& random_;
  RunPlatform platform_;
  // The project's services; messages wait until the show runs, and each is one
  // of the show's dialogs.
  HeldMessages messages_;
  std::unique_ptr<project::TProjectInfo> FProjectInfo;
  settings::TRWSetting FSetting;
  std::vector<project::TPictureInfo*> FShowItems;
  std::vector<project::TPictureInfo*> FBackgroundItems;
  FrameComposer composer_;
  transitions::TransitionEngine engine_;
  transitions::TSSBArray FUserTransitions;
  std::vector<transitions::TSSBArray> FItemTransitions;

  int32_t FOriginX = 0, FOriginY = 0;
  int32_t FItemKind = project::kPictureItem;
  int32_t FFlashStartFrame = 0;
  bool FStarted = false;
  int32_t FCurrentIndex = -1;
  int32_t FTransitionNo = -1;
  bool FPreview = false;
  int32_t FShowWidth = 0, FShowHeight = 0;
  bool FFlashOpen = false;
  int32_t FMouseRefX = kMouseUnset, FMouseRefY = 0, FMouseMoves = 0;
  bool FInDialog = false;
  bool FClearPending = true;
  bool FCanEnd = false;
  int32_t FRemaining = 0;
  int32_t FItemCount = 0;

  uint32_t selectIntervalMs_ = 1000;
  bool closeWithoutPassword_ = false;
  bool destroyed_ = false;
  int modalDepth_ = 0;
  bool closeDeferred_ = false;
  std::set<int32_t> brokenPictures_;  // records whose picture cannot be decoded
  std::string desktopCapturePath_;
  MediaPlayer mpmusic_;
  MediaPlayer mp_;
  MusicPlayback music_;
  VideoPlayback video_;
};

}  // namespace player
