#include "player/frame_composer.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <stdexcept>

#include "base/paths.h"
#include "imageformats/decode.h"
#include "player/frame_desktop.h"
#include "player/frame_picture.h"
#include "player/frame_text.h"
#include "raster/canvas.h"

namespace player {
namespace {

constexpr int kJpegTypeCode = 2;

}  // namespace

std::string FormatFileMessage(const std::string& format, const std::string& path) {
  std::string message = format;
  if (const auto at = message.find("%s"); at != std::string::npos) message.replace(at, 2, path);
  return message;
}

FrameComposer::FrameComposer(project::TProjectInfo& project, const ItemList& showItems,
                             const ItemList& backgroundItems, base::Random& random, TextRenderer& text,
                             FrameHost& host)
    : project_(project),
      showItems_(showItems),
      backgroundItems_(backgroundItems),
      random_(random),
      text_(text),
      host_(host) {}

void FrameComposer::SetShowArea(int width, int height, bool preview) {
  FShowWidth = std::max(width, 0);
  FShowHeight = std::max(height, 0);
  FPreview = preview;
  if (FFrame.Width() != FShowWidth || FFrame.Height() != FShowHeight) FFrame.Reset(FShowWidth, FShowHeight);
}

void FrameComposer::PrepareItem(int index, raster::Bitmap& display) {
  if (index < 0 || index >= static_cast<int>(showItems_.size())) return;
  project::TPictureInfo& record = *showItems_[static_cast<std::size_t>(index)];
  const bool composite = project_.ComposeMode == 1;
  DrawBackground(record);
  if (!composite) {
    DrawCaption(record, FFrame);
    DrawDescription(record, FFrame);
  }
  FitPicture(record);
  if (composite) {
    if (FComposite.Width() != FShowWidth || FComposite.Height() != FShowHeight)
      FComposite.Reset(FShowWidth, FShowHeight);
    raster::Canvas(FComposite).Draw({0, 0}, FFrame);
  } else {
    raster::Canvas(display).Draw({0, 0}, FFrame);
  }
}

void FrameComposer::PrepareBackdrop(int index, raster::Bitmap& display) {
  if (index < 0 || index >= static_cast<int>(showItems_.size())) return;
  ComposeBackdrop(index);
  raster::Canvas(display).Draw({0, 0}, FFrame);
}

void FrameComposer::ComposeBackdrop(int index) {
  if (index < 0 || index >= static_cast<int>(showItems_.size())) return;
  project::TPictureInfo& record = *showItems_[static_cast<std::size_t>(index)];
  DrawBackground(record);
  DrawCaption(record, FFrame);
  DrawDescription(record, FFrame);
}

void FrameComposer::FitPicture(const project::TPictureInfo& record) {
  std::vector<uint8_t> bytes;
  int typeCode = record.TypeCode;
  if (!project_.GetPictureStream(record.Number, bytes, typeCode) && !project_.PicturesEmbedded) {
    const std::string path = project_.FilesBesideProgram
                                 ? base::FolderOf(project_.ProgramPath()) + base::FileNameOf(record.FileName)
                                 : record.FileName;
    host_.ShowMessage("File not found : " + path);
    host_.PostQuit();
    return;
  }
  const Size area = Area();
  if (!PlanFit(project_.FitMode, FPreview, area, area).keepPrevious) {
    // A JPEG that will be shrunk is decoded at the smallest DCT scale that
    // still covers the part of it that is shown.
    Size box;
    if (const std::optional<Size> declared = typeCode == kJpegTypeCode ? JpegFrameSize(bytes) : std::nullopt)
      box = CoverBox(PlanFit(project_.FitMode, FPreview, *declared, area), *declared);
    DecodedPicture picture;
    try {
      DecodeForBox(bytes, typeCode, box, picture);
    } catch (const std::exception& error) {
      ShowDecodeError(record, error);
      picture = {};
    }
    const FitPlan plan = PlanFit(project_.FitMode, FPreview, picture.own, area);
    FPicture = Resample(picture, plan.crop, plan.size, record.Transparent);
  }
  const Size size{FPicture.Width(), FPicture.Height()};
  const raster::Point origin =
      project_.RandomPlacement ? RandomOrigin(size, area, random_) : CentredOrigin(size, area);
  FOriginX = origin.x;
  FOriginY = origin.y;
  if (record.Transparent) DrawTransparent(FPicture, FFrame, origin);
}

void FrameComposer::DrawCaption(const project::TPictureInfo& record, raster::Bitmap& bitmap) {
  player::DrawCaption(record, bitmap, Area(), text_);
}

void FrameComposer::DrawDescription(const project::TPictureInfo& record, raster::Bitmap& bitmap) {
  player::DrawDescription(record, bitmap, Area(), text_);
}

std::string FrameComposer::DesktopCapturePath() const { return player::DesktopCapturePath(project_.TempFolder); }

void FrameComposer::ShowDecodeError(const project::TPictureInfo& record, const std::exception& error) {
  host_.ShowMessage(record.FileName + ": " + error.what());
}

}  // namespace player
