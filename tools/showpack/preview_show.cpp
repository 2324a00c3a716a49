#include "preview_show.h"

#include <algorithm>
#include <filesystem>
#include <random>

#include "base/ascii.h"
#include "base/paths.h"
#include "container_writer.h"
#include "manifest.h"
#include "project/picture_decoding.h"
#include "raster/canvas.h"
#include "transitions/transition_names.h"

namespace showpack {
namespace {

// No effect takes this many ticks; one that does has lost its way.
constexpr int kMaxTicks = 1'000'000;
constexpr int32_t kPictureKind = 0;
// A GIF frame is shown for at most 65535 hundredths of a second.
constexpr int64_t kLongestHoldMs = 655'350;

bool IsManifest(const std::string& path) { return base::LowerAscii(path).ends_with(".toml"); }

// A folder of our own for the scratch show and the temporary files of the
// project (where no desktop capture lies, so a desktop background takes a
// random colour as it does when the capture is missing).
std::string MakeScratchFolder() {
  std::random_device entropy;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("showpack-preview-" + std::to_string(entropy()));
    if (std::filesystem::create_directory(folder)) return base::Utf8FromPath(folder) + "/";
  }
  throw std::runtime_error("cannot make a scratch folder in " + base::Utf8FromPath(std::filesystem::temp_directory_path()));
}

}  // namespace

// The program file of the show, which for a manifest is the scratch build,
// while external items are still looked up beside the manifest.
class PreviewShow::Services final : public project::StdProjectServices {
 public:
  Services(std::string programPath, std::string containerPath, std::string tempFolder)
      : programPath_(std::move(programPath)), containerPath_(std::move(containerPath)), temp_(std::move(tempFolder)) {}
  std::unique_ptr<project::ProgramFile> OpenForReading(const std::string& path) override {
    return StdProjectServices::OpenForReading(path == programPath_ ? containerPath_ : path);
  }
  std::string TempFolder() override { return temp_; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;

 private:
  std::string programPath_, containerPath_, temp_;
};

PreviewShow::PreviewShow(const std::string& path, uint64_t seed, int width, int height)
    : width_(width), height_(height), random_(seed), scratch_(MakeScratchFolder()), engine_(random_) {
  std::string programPath = path, containerPath = path;
  try {
    if (IsManifest(path)) {
      const Manifest manifest = ReadManifest(path);
      const std::string player = scratch_ + "bare-player";
      if (!base::WriteWholeFile(player, "", 0)) throw std::runtime_error("cannot write " + player);
      containerPath = scratch_ + "show.scr";
      WriteScreensaver(manifest, {player, containerPath, {}});
      programPath = base::FolderOf(path) + "show.scr";
    } else if (!base::FileExists(path)) {
      throw std::runtime_error("no such file");
    }
    services_ = std::make_unique<Services>(programPath, containerPath, scratch_);
    project_ = std::make_unique<project::TProjectInfo>(programPath, *services_);
    if (!project_->HasProgramFile()) throw std::runtime_error("cannot open the file");
    project_->ReadHeader();
    project_->ReadPictures(random_);
    for (const auto& record : project_->Pictures) {
      (record->BackgroundOnly ? backgroundItems_ : showItems_).push_back(record.get());
      if (record->BackgroundOnly) continue;
      itemTransitions_.emplace_back();
      itemTransitions_.back().LoadFromText(record->Transitions);
    }
  } catch (const std::exception& error) {
    std::error_code ignored;
    std::filesystem::remove_all(base::PathFromUtf8(scratch_), ignored);
    throw PreviewError("cannot read the show " + path + ": " + error.what());
  }
  composer_ = std::make_unique<player::FrameComposer>(*project_, showItems_, backgroundItems_, random_, text_);
  composer_->SetShowArea(width_, height_, false);
  screen_.Reset(width_, height_);
}

PreviewShow::~PreviewShow() {
  composer_.reset();
  project_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(base::PathFromUtf8(scratch_), ignored);
}

std::vector<std::string> PreviewShow::TakeWarnings() {
  std::vector<std::string> taken = std::move(warnings_);
  warnings_.clear();
  for (std::string& message : services_->messages) taken.push_back(std::move(message));
  services_->messages.clear();
  return taken;
}

int PreviewShow::ShowIndex(int number) const {
  const int count = static_cast<int>(Items().size());
  if (number < 0 || number >= count)
    throw PreviewError("item " + std::to_string(number) + " does not exist: the show has " +
                       (count == 0 ? std::string("no items") : "items 0 to " + std::to_string(count - 1)));
  const project::TPictureInfo* record = Items()[static_cast<std::size_t>(number)].get();
  if (record->BackgroundOnly)
    throw PreviewError("item " + std::to_string(number) + " is a background-only picture; the show never shows it");
  for (std::size_t index = 0; index < showItems_.size(); ++index)
    if (showItems_[index] == record) return static_cast<int>(index);
  throw std::logic_error("an item missing from the show's list");
}

void PreviewShow::Report(const player::PictureErrors& errors) {
  for (const player::PictureError& error : errors) {
    // The show ends when a slide's own picture file is missing.
    if (error.slide && error.missing) throw std::runtime_error(error.message);
    warnings_.push_back(error.message);
  }
}

void PreviewShow::ShowAtOnce(int index) {
  if (showItems_[static_cast<std::size_t>(index)]->Kind != kPictureKind) {
    Report(composer_->PrepareBackdrop(index, screen_));
    return;
  }
  Report(composer_->PrepareItem(index, screen_));
  engine_.StartNumber(transitions::kNoTransition, 1, composer_->StartSurfaces(index, screen_));
  engine_.ShowTimerTimer();  // no transition: the whole picture in one tick
}

raster::Bitmap PreviewShow::Slide(int number) {
  ShowAtOnce(ShowIndex(number));
  return screen_;
}

TransitionRun PreviewShow::Transition(int number, std::optional<int> transition, FrameSink& sink) {
  const int index = ShowIndex(number);
  project::TPictureInfo& record = *showItems_[static_cast<std::size_t>(index)];
  if (record.Kind != kPictureKind)
    throw PreviewError("item " + std::to_string(number) + " is a " + (record.Kind == 1 ? "Flash movie" : "video clip") +
                       ": it appears without a transition");
  if (transition && (*transition < transitions::kNoTransition || *transition >= transitions::kTransitionCount))
    throw PreviewError("transition " + std::to_string(*transition) + " does not exist: the transitions are -1 (none) to " +
                       std::to_string(transitions::kTransitionCount - 1));
  const int count = static_cast<int>(showItems_.size());
  ShowAtOnce((index + count - 1) % count);

  Report(composer_->PrepareItem(index, screen_));
  const transitions::ShowSurfaces surfaces = composer_->StartSurfaces(index, screen_);
  raster::Bitmap after = screen_;
  raster::Canvas(after).Draw(surfaces.origin, *surfaces.source);
  const transitions::StartedTransition started =
      transition ? engine_.StartNumber(*transition, record.TransitionSpeed, surfaces)
                 : engine_.StartTransition(itemTransitions_[static_cast<std::size_t>(index)], record.TransitionSpeed,
                                           record.RandomTransition, surfaces);
  sink.Begin(screen_, after, started.intervalMs);
  TransitionRun run{started.number, started.intervalMs, 0};
  for (bool done = false; !done;) {
    if (++run.frames > kMaxTicks) throw std::logic_error("transition " + std::to_string(run.number) + " does not finish");
    done = engine_.ShowTimerTimer();
    sink.Frame(screen_);
  }
  sink.End(static_cast<int>(std::clamp<int64_t>((int64_t{project_->SlideSeconds} + 1) * 1000, 0, kLongestHoldMs)));
  return run;
}

std::optional<raster::Bitmap> PreviewShow::OwnPicture(int number) {
  const project::TPictureInfo& record = *Items().at(static_cast<std::size_t>(number));
  std::vector<uint8_t> bytes;
  int typeCode = record.TypeCode;
  raster::Bitmap picture;
  try {
    if (project_->GetPictureStream(record.Number, bytes, typeCode) &&
        project::DecodePictureStream(bytes, picture, typeCode) && !picture.IsEmpty())
      return picture;
    warnings_.push_back(record.FileName + ": cannot be read");
  } catch (const std::exception& error) {
    warnings_.push_back(record.FileName + ": " + error.what());
  }
  return std::nullopt;
}

}  // namespace showpack
