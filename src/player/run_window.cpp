// TfRun: creation, set-up, the item loop and the tear-down.
#include "player/run_window.h"

#include <algorithm>

#include "player/frame_desktop.h"
#include "player/run_messages.h"

namespace player {
namespace {

std::unique_ptr<project::TProjectInfo> LoadProject(const std::string& programPath, project::ProjectServices& services) {
  auto info = std::make_unique<project::TProjectInfo>(programPath, services);
  info->ReadHeader();
  return info;
}

}  // namespace

TfRun::TfRun(RunDependencies deps)
    : random_(deps.random),
      platform_(deps.platform),
      messages_(deps.projectServices, [this](const std::function<void()>& box) { Modal(box); }),
      FProjectInfo(LoadProject(deps.programPath, messages_)),
      FSetting(FProjectInfo->ProjectName, deps.settingsBackend),
      composer_(*FProjectInfo, FShowItems, FBackgroundItems, deps.random, deps.platform.text),
      engine_(deps.random),
      desktopCapturePath_(DesktopCapturePath(FProjectInfo->TempFolder)),
      mpmusic_(deps.platform.media.MusicDevice(), /*autoRewind=*/true),
      mp_(deps.platform.media.VideoDevice(), /*autoRewind=*/false),
      music_(mpmusic_, *FProjectInfo, FSetting, MediaServices()),
      video_(mp_, deps.platform.media, MediaServices()) {
  InitRun();
  if (ShowMayDrawDesktop(*FProjectInfo)) platform_.desktop.CaptureDesktop(desktopCapturePath_);
}

TfRun::~TfRun() { DeleteDesktopCapture(desktopCapturePath_); }

void TfRun::InitRun() {
  FCanEnd = false;
  ReadSettingReported();
  // The user's own list is read once, here; a later change of the settings
  // does not parse it again.
  if (FSetting.NewTransition) FUserTransitions.LoadFromText(FSetting.Transition);
  // The timer itself starts with the window (SetUp).
  if (FSetting.UseMaxRunTime) FRemaining = FSetting.MaxRunTime == 0 ? 60 : FSetting.MaxRunTime * 60;
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

void TfRun::SetupFullScreen(int screenWidth, int screenHeight) { SetUp(screenWidth, screenHeight, false); }

void TfRun::SetupPreview(int hostWidth, int hostHeight) { SetUp(hostWidth, hostHeight, true); }

void TfRun::SetUp(int width, int height, bool preview) {
  // The first music file is opened, not played, before the show is set up.
  music_.StartMusic(false);
  FShowWidth = width;
  FShowHeight = height;
  FPreview = preview;
  BuildItemLists();
  composer_.SetShowArea(FShowWidth, FShowHeight, FPreview);
  if (FSetting.UseMaxRunTime) platform_.window.SetTimer(RunTimer::MaxRuntime, true, 1000);
  FCanEnd = true;
}

void TfRun::FormShow() {
  if (!FStarted) {
    SelectTimerTimer();
    FStarted = true;
  }
  if (!FPreview && FClearPending && FProjectInfo->CompositeMode()) {
    FClearPending = false;
    raster::Bitmap& image = platform_.window.ShowImage();
    image.Fill(raster::MakePixel(0, 0, 0));
    platform_.window.Present(image.Bounds());
  }
  messages_.Release();
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
  platform_.window.SetTimer(RunTimer::Select, false, 0);
  // A project without show items is a black show that can still be ended.
  if (FItemCount == 0 || destroyed_) return;
  // The show comes to the front with the keyboard (another window may have
  // taken it); not in the preview, and not while a dialog of the show is open.
  if (FProjectInfo->RightClickMenu == 0 && !FPreview && !FInDialog && modalDepth_ == 0)
    platform_.window.BringToFront();
  if (FFlashOpen) CloseFlashWindow();
  if (video_.Playing()) video_.StopVideo();
  // Pictures that cannot be decoded are passed over.
  for (int tries = 0; tries < FItemCount; ++tries) {
    FCurrentIndex = NextItemIndex(FItemKind);
    if (!Broken(FCurrentIndex)) break;
  }
  if (Broken(FCurrentIndex)) {
    ArmSelectTimer(DwellIntervalMs());
    return;
  }
  switch (FItemKind) {
    case project::kPictureItem: StartPictureItem(); break;
    case project::kFlashItem: StartFlashItem(); break;
    case project::kVideoItem: StartVideoItem(); break;
    default: break;  // an unknown kind starts nothing
  }
}

bool TfRun::Broken(int index) const {
  return index >= 0 && index < FItemCount && brokenPictures_.count(FShowItems[static_cast<size_t>(index)]->Number);
}

bool TfRun::ReportPictureErrors(const PictureErrors& errors) {
  bool shown = true;
  for (const PictureError& error : errors) {
    if (error.missing) {
      ShowMessage(error.message);
      // A slide whose picture file is missing ends the show.
      if (error.slide) {
        EndAfterError();
        return false;
      }
      continue;
    }
    // The show runs unattended: the message comes once, then the picture is
    // passed over.
    if (brokenPictures_.insert(error.number).second) ShowMessage(error.message);
    if (error.slide) shown = false;
  }
  return shown;
}

void TfRun::StartPictureItem() {
  raster::Bitmap& image = platform_.window.ShowImage();
  if (!ReportPictureErrors(composer_.PrepareItem(FCurrentIndex, image))) {
    if (!closeWithoutPassword_) SelectTimerTimer();  // straight on to the next item
    return;
  }
  // Outside composite mode the frame replaced the whole show image.
  if (!FProjectInfo->CompositeMode()) platform_.window.Present(image.Bounds());
  project::TPictureInfo& item = *FShowItems[static_cast<size_t>(FCurrentIndex)];
  if (FSetting.NewTransition)
    StartTransition(item, FUserTransitions, FSetting.TransitionSpeed, FSetting.RandomTransition);
  else
    StartTransition(item, FItemTransitions[static_cast<size_t>(FCurrentIndex)], item.TransitionSpeed,
                    item.RandomTransition);
}

void TfRun::ShowBackdrop() {
  platform_.window.PostToWindow(UM_PAUSEMUSIC);
  raster::Bitmap& image = platform_.window.ShowImage();
  const PictureErrors errors = composer_.PrepareBackdrop(FCurrentIndex, image);
  platform_.window.Present(image.Bounds());
  // The background pictures' problems are told with the backdrop on screen.
  ReportPictureErrors(errors);
}

void TfRun::StartTransition(project::TPictureInfo& item, transitions::TSSBArray& list, int32_t speed,
                            bool randomPick) {
  platform_.window.PostToWindow(item.PlayMusic ? UM_RESUMEMUSIC : UM_PAUSEMUSIC);
  const transitions::ShowSurfaces surfaces = composer_.StartSurfaces(FCurrentIndex, platform_.window.ShowImage());
  FOriginX = surfaces.origin.x;
  FOriginY = surfaces.origin.y;
  const transitions::StartedTransition started = engine_.StartTransition(list, speed, randomPick, surfaces);
  FTransitionNo = started.number;
  platform_.window.SetTimer(RunTimer::Show, true, static_cast<uint32_t>(started.intervalMs));
}

void TfRun::ShowTimerTimer() {
  if (!engine_.Running()) {
    platform_.window.SetTimer(RunTimer::Show, false, 0);
    return;
  }
  const bool done = engine_.ShowTimerTimer();
  // Only what the step drew goes to the screen.
  if (auto& canvas = engine_.State().TargetCanvas) {
    const raster::Rect drawn = canvas->TakeTouched();
    if (!drawn.IsEmpty()) platform_.window.Present(drawn);
  }
  if (!done) return;
  if (!FPreview && !platform_.window.CursorHidden() && !FInDialog) platform_.window.SetCursorHidden(true);
  platform_.window.SetTimer(RunTimer::Show, false, 0);
  ArmSelectTimer(DwellIntervalMs());
}

uint32_t TfRun::DwellIntervalMs() const {
  return static_cast<uint32_t>(std::max(0, FProjectInfo->SlideSeconds)) * 1000 + 1000;
}

void TfRun::ArmSelectTimer(uint32_t intervalMs) {
  selectIntervalMs_ = intervalMs;
  platform_.window.SetTimer(RunTimer::Select, true, selectIntervalMs_);
}

void TfRun::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  for (RunTimer timer : {RunTimer::Show, RunTimer::Select, RunTimer::Video, RunTimer::MusicPlay, RunTimer::MaxRuntime})
    platform_.window.SetTimer(timer, false, 0);
  platform_.window.SetCursorHidden(false);
  if (FFlashOpen) CloseFlashWindow();
  if (FCanEnd) music_.StopMusic();
  FCanEnd = false;
  CloseMedia();
  DeleteDesktopCapture(desktopCapturePath_);
}

void TfRun::HandlerFailed(const std::string& what) {
  if (destroyed_) return;
  ShowMessage(what);
  EndAfterError();
}

}  // namespace player
