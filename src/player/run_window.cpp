#include "player/run_window.h"

#include <algorithm>
#include <cstdlib>

#include "player/run_messages.h"
#include "settings/check_password.h"

namespace player {
namespace {

constexpr int kVkReturn = 13;
constexpr int kVkEscape = 27;
constexpr int32_t kComposite = 1;

std::unique_ptr<project::TProjectInfo> LoadProject(const RunDependencies& deps) {
  auto info = std::make_unique<project::TProjectInfo>(deps.programPath, deps.projectServices);
  info->ReadHeader();
  return info;
}

}  // namespace

TfRun::TfRun(RunDependencies deps)
    : random_(deps.random),
      platform_(deps.platform),
      makeComposer_(std::move(deps.makeComposer)),
      FProjectInfo(LoadProject(deps)),
      FSetting(FProjectInfo->ProjectName, deps.settingsBackend),
      engine_(deps.random) {
  InitRun();
  platform_.CaptureDesktop();
}

TfRun::~TfRun() { FormDestroy(); }

void TfRun::InitRun() {
  FCanEnd = false;
  FSetting.ReadSetting();
  // The user's own list is read once, here; a later change of the settings
  // does not parse it again.
  if (FSetting.NewTransition) FUserTransitions.LoadFromText(FSetting.Transition);
  if (FSetting.UseMaxRunTime) {
    FRemaining = FSetting.MaxRunTime == 0 ? 60 : FSetting.MaxRunTime * 60;
    platform_.SetTimer(RunTimer::MaxRuntime, true, 1000);
  }
  FProjectInfo->ReadPictures(random_);
}

void TfRun::BuildItemLists() {
  FShowItems.clear();
  FBackgroundItems.clear();
  FItemTransitions.clear();
  for (const auto& record : FProjectInfo->Pictures)
    (record->BackgroundOnly ? FBackgroundItems : FShowItems).push_back(record.get());
  FItemCount = static_cast<int32_t>(FShowItems.size());
  FItemTransitions.resize(FShowItems.size());
  for (size_t k = 0; k < FShowItems.size(); ++k) FItemTransitions[k].LoadFromText(FShowItems[k]->Transitions);
}

void TfRun::SetupFullScreen(int screenWidth, int screenHeight) {
  FShowWidth = screenWidth;
  FShowHeight = screenHeight;
  FPreview = false;
  BuildItemLists();
  composer_ = makeComposer_(*this);
  composer_->Resize(FShowWidth, FShowHeight, FPreview);
  FCanEnd = true;
}

void TfRun::SetupPreview(int hostWidth, int hostHeight) {
  FShowWidth = hostWidth;
  FShowHeight = hostHeight;
  FPreview = true;
  BuildItemLists();
  composer_ = makeComposer_(*this);
  composer_->Resize(FShowWidth, FShowHeight, FPreview);
  FCanEnd = true;
}

void TfRun::FormShow() {
  if (!FStarted) {
    SelectTimerTimer();
    FStarted = true;
  }
  if (!FPreview && FClearPending && FProjectInfo->ComposeMode == kComposite) {
    FClearPending = false;
    platform_.ShowImage().Fill(raster::MakePixel(0, 0, 0));
    platform_.Present(platform_.ShowImage().Bounds());
  }
}

int TfRun::NextItemIndex(int32_t& kind) {
  int index = 0;
  if (FProjectInfo->RandomOrder) {
    index = random_.Next(FItemCount);
  } else {
    index = FCurrentIndex + 1;
    if (index > FItemCount - 1) index = 0;
  }
  kind = FShowItems[static_cast<size_t>(index)]->Kind;
  return index;
}

void TfRun::SelectTimerTimer() {
  platform_.SetTimer(RunTimer::Select, false, 0);
  // A project without show items is a black show that can still be ended.
  if (FItemCount == 0 || destroyed_) return;
  // Not while a prompt or the settings dialog is open: it must keep the keyboard.
  if (FProjectInfo->RightClickMenu == 0 && !FInDialog) platform_.BringToFront();
  if (FFlashOpen) CloseFlashWindow();
  FCurrentIndex = NextItemIndex(FItemKind);
  if (FItemKind == 0) {
    StartPictureItem();
  } else if (FItemKind == 1 && platform_.Flash()) {
    StartFlashItem();
  } else if (FItemKind == 1 || FItemKind == 2) {
    StartMediaItem();
  }
}

void TfRun::StartPictureItem() {
  try {
    composer_->PrepareItem(FCurrentIndex);
  } catch (const std::exception& error) {
    // A picture that cannot be read ends the show after saying why.
    platform_.ShowMessage(error.what());
    EndAfterError();
    return;
  }
  if (closeWithoutPassword_) return;
  const raster::Point origin = composer_->Origin();
  FOriginX = origin.x;
  FOriginY = origin.y;
  project::TPictureInfo& item = *FShowItems[static_cast<size_t>(FCurrentIndex)];
  if (FSetting.NewTransition)
    StartTransition(item, FUserTransitions, FSetting.TransitionSpeed, FSetting.RandomTransition);
  else
    StartTransition(item, FItemTransitions[static_cast<size_t>(FCurrentIndex)], item.TransitionSpeed,
                    item.RandomTransition);
}

void TfRun::StartMediaItem() {
  // Flash movies and video clips show their background and texts; the show
  // goes on to the next item after the display time.
  platform_.PostToWindow(UM_PAUSEMUSIC);
  composer_->PrepareBackgroundAndTexts(FCurrentIndex);
  platform_.Present(platform_.ShowImage().Bounds());
  ArmSelectTimer(DwellIntervalMs());
}

void TfRun::StartTransition(project::TPictureInfo& item, transitions::TSSBArray& list, int32_t speed,
                            bool randomPick) {
  platform_.PostToWindow(item.PlayMusic ? UM_RESUMEMUSIC : UM_PAUSEMUSIC);
  transitions::ShowSurfaces surfaces;
  surfaces.target = &platform_.ShowImage();
  if (FProjectInfo->ComposeMode == kComposite) {
    raster::Bitmap& composite = composer_->Composite();
    raster::Canvas(composite).Draw({FOriginX, FOriginY}, composer_->Picture());
    composer_->DrawTexts(FCurrentIndex, composite);
    raster::Canvas(composer_->Frame()).Draw({0, 0}, platform_.ShowImage());
    FOriginX = FOriginY = 0;
    composer_->SetOrigin({0, 0});
    surfaces.source = &composite;
    surfaces.compositeMode = true;
  } else {
    surfaces.source = &composer_->Picture();
  }
  surfaces.back = &composer_->Frame();
  surfaces.origin = {FOriginX, FOriginY};
  const transitions::StartedTransition started = engine_.StartTransition(list, speed, randomPick, surfaces);
  FTransitionNo = started.number;
  platform_.SetTimer(RunTimer::Show, true, static_cast<uint32_t>(started.intervalMs));
}

void TfRun::ShowTimerTimer() {
  if (!engine_.Running()) {
    platform_.SetTimer(RunTimer::Show, false, 0);
    return;
  }
  const bool done = engine_.ShowTimerTimer();
  // Only what the step drew goes to the screen.
  if (auto& canvas = engine_.State().TargetCanvas) {
    const raster::Rect drawn = canvas->TakeTouched();
    if (!drawn.IsEmpty()) platform_.Present(drawn);
  }
  if (!done) return;
  if (!FPreview && !platform_.CursorHidden() && !FInDialog) platform_.SetCursorHidden(true);
  platform_.SetTimer(RunTimer::Show, false, 0);
  ArmSelectTimer(DwellIntervalMs());
}

uint32_t TfRun::DwellIntervalMs() const {
  return static_cast<uint32_t>(std::max(0, FProjectInfo->SlideSeconds)) * 1000 + 1000;
}

void TfRun::ArmSelectTimer(uint32_t intervalMs) {
  selectIntervalMs_ = intervalMs;
  platform_.SetTimer(RunTimer::Select, true, selectIntervalMs_);
}

// Ending the show ------------------------------------------------------------

int32_t TfRun::MouseThreshold() const { return FSetting.MouseSensitivity == 0 ? 10 : FSetting.MouseSensitivity * 10; }

void TfRun::pbShowMouseMove(int x, int y) {
  if (platform_.CursorHidden()) platform_.SetCursorHidden(false);
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
  const int32_t threshold = MouseThreshold();
  if (std::abs(x - FMouseRefX) < threshold && std::abs(y - FMouseRefY) < threshold) return;
  ++FMouseMoves;
  if (FMouseMoves <= FSetting.MouseSensitivity) return;
  FMouseRefX = x;
  FMouseRefY = y;
  FMouseMoves = 0;
  platform_.RequestClose();
}

void TfRun::pbShowMouseDown(MouseButton button) {
  if (FPreview || FInDialog) return;
  if (button == MouseButton::Left && FSetting.MouseLeftClick) platform_.RequestClose();
  if (button == MouseButton::Right && FProjectInfo->RightClickMenu == 0 && FSetting.MouseRightClick)
    platform_.RequestClose();
}

void TfRun::pbShowDblClick() {
  if (!FPreview && FSetting.MouseDoubleClick) platform_.RequestClose();
}

void TfRun::FormKeyDown(int virtualKey) {
  if (FPreview) return;
  if ((FSetting.EscKey && virtualKey == kVkEscape) || (FSetting.EnterKey && virtualKey == kVkReturn))
    platform_.RequestClose();
}

void TfRun::FormKeyPress(std::string_view character) {
  if (!FPreview && FSetting.SpecifiedKey && FSetting.KeyValue == character) platform_.RequestClose();
}

void TfRun::Close1Click() { platform_.RequestClose(); }

bool TfRun::AskPassword() {
  std::string typed;
  return platform_.InputPassword(typed) && settings::CheckPassword(typed, FSetting.Password);
}

bool TfRun::FormCloseQuery() {
  if (!FSetting.EnabledPassword || FPreview || closeWithoutPassword_) return true;
  // A close request while the password is being asked already waits for that answer.
  if (FInDialog) return false;
  FInDialog = true;
  const bool allowed = AskPassword();
  FInDialog = false;
  return allowed;
}

void TfRun::EndAfterError() {
  closeWithoutPassword_ = true;
  platform_.RequestClose();
}

void TfRun::Setting1Click() {
  FInDialog = true;
  platform_.ProcessMessages();
  if (!FSetting.EnabledPassword || AskPassword()) {
    platform_.ShowSettingDialog();
    FSetting.ReadSetting();
    HandleMessage(UM_SETTINGSCHANGED, 0, 0);
    if (FItemKind == 0 && FSetting.EnabledMusic && FCurrentIndex >= 0 &&
        FShowItems[static_cast<size_t>(FCurrentIndex)]->PlayMusic)
      platform_.PostToWindow(UM_RESUMEMUSIC);
  }
  FInDialog = false;
}

void TfRun::MaxRuntimeTimer() {
  if (--FRemaining > 0) return;
  platform_.SetTimer(RunTimer::MaxRuntime, false, 0);
  platform_.PostToWindow(UM_STOPMUSIC);
  platform_.RequestClose();
  FCanEnd = false;
}

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
        platform_.PostToWindow(UM_STOPMUSIC);
        FCanEnd = false;
        platform_.RequestClose();
      }
      return true;
    case UM_SETTINGSCHANGED:
      FSetting.ReadSetting();
      FRemaining = FSetting.MaxRunTime * 60;
      platform_.SetTimer(RunTimer::MaxRuntime, FSetting.UseMaxRunTime, 1000);
      if (!FSetting.EnabledMusic) platform_.PostToWindow(UM_PAUSEMUSIC);
      return true;
    case UM_STARTMUSIC:
    case UM_STOPMUSIC:
    case UM_PAUSEMUSIC:
    case UM_RESUMEMUSIC:
      return true;  // music plays once its player exists
    default:
      return false;
  }
}

void TfRun::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  for (RunTimer timer : {RunTimer::Show, RunTimer::Select, RunTimer::Video, RunTimer::MusicPlay, RunTimer::MaxRuntime})
    platform_.SetTimer(timer, false, 0);
  platform_.SetCursorHidden(false);
  if (FFlashOpen) CloseFlashWindow();
  if (FCanEnd) platform_.PostToWindow(UM_STOPMUSIC);
  FCanEnd = false;
  platform_.DeleteDesktopCapture();
}

}  // namespace player
