#include "player/frame_composer.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "player/frame_picture.h"
#include "player/frame_text.h"
#include "project/picture_type.h"
#include "raster/canvas.h"

namespace player {

FrameComposer::FrameComposer(project::TProjectInfo& project, const ItemList& showItems,
                             const ItemList& backgroundItems, base::Random& random, TextRenderer& text)
    : project_(project), showItems_(showItems), backgroundItems_(backgroundItems), random_(random), text_(text) {}

void FrameComposer::SetShowArea(int width, int height, bool preview) {
  FShowWidth = std::max(width, 0);
  FShowHeight = std::max(height, 0);
  FPreview = preview;
  if (FFrame.Width() != FShowWidth || FFrame.Height() != FShowHeight) FFrame.Reset(FShowWidth, FShowHeight);
  FComposite = raster::Bitmap();  // made by each composite-mode item
}

project::TPictureInfo* FrameComposer::ShowItem(int index) const {
  if (index < 0 || index >= static_cast<int>(showItems_.size())) return nullptr;
  return showItems_[static_cast<std::size_t>(index)];
}

PictureErrors FrameComposer::PrepareItem(int index, raster::Bitmap& display) {
  PictureErrors errors;
  project::TPictureInfo* record = ShowItem(index);
  if (!record) return errors;
  const bool composite = project_.CompositeMode();
  // The composite of the last item is done with (its transition has ended):
  // its memory is free while this item's picture is decoded.
  FComposite = raster::Bitmap();
  if (auto error = DrawBackground(*record)) errors.push_back(std::move(*error));
  if (!composite) {
    DrawCaption(*record, FFrame);
    DrawDescription(*record, FFrame);
  }
  if (auto error = FitPicture(*record)) errors.push_back(std::move(*error));
  if (composite)
    FComposite = FFrame;
  else
    raster::Canvas(display).Draw({0, 0}, FFrame);
  return errors;
}

PictureErrors FrameComposer::PrepareBackdrop(int index, raster::Bitmap& display) {
  PictureErrors errors;
  project::TPictureInfo* record = ShowItem(index);
  if (!record) return errors;
  if (auto error = DrawBackground(*record)) errors.push_back(std::move(*error));
  DrawCaption(*record, FFrame);
  DrawDescription(*record, FFrame);
  raster::Canvas(display).Draw({0, 0}, FFrame);
  return errors;
}

transitions::ShowSurfaces FrameComposer::StartSurfaces(int index, raster::Bitmap& display) {
  transitions::ShowSurfaces surfaces;
  surfaces.target = &display;
  surfaces.back = &FFrame;
  surfaces.source = &FPicture;
  if (project_.CompositeMode()) {
    raster::Canvas(FComposite).Draw({FOriginX, FOriginY}, FPicture);
    if (const project::TPictureInfo* record = ShowItem(index)) {
      DrawCaption(*record, FComposite);
      DrawDescription(*record, FComposite);
    }
    raster::Canvas(FFrame).Draw({0, 0}, display);
    FOriginX = FOriginY = 0;
    surfaces.source = &FComposite;
    surfaces.compositeMode = true;
  }
  surfaces.origin = {FOriginX, FOriginY};
  return surfaces;
}

std::optional<PictureError> FrameComposer::FitPicture(const project::TPictureInfo& record) {
  std::vector<uint8_t> bytes;
  int typeCode = record.TypeCode;
  if (!project_.GetPictureStream(record.Number, bytes, typeCode) && !project_.PicturesEmbedded)
    return PictureError{record.Number, true, true,
                        project::FileNotFoundMessage(project_.ExternalPath(record.FileName))};
  std::optional<PictureError> error;
  const Size area = Area();
  if (!PlanFit(project_.FitMode, FPreview, area, area).keepPrevious) {
    FPicture = raster::Bitmap();  // replaced below: not held beside the decoded picture
    // A JPEG that will be shrunk is decoded at the smallest DCT scale that
    // still covers the part of it that is shown.
    Size box;
    if (const std::optional<Size> declared =
            typeCode == project::PictureType::Jpeg ? JpegFrameSize(bytes) : std::nullopt)
      box = CoverBox(PlanFit(project_.FitMode, FPreview, *declared, area), *declared);
    DecodedPicture picture;
    try {
      if (!DecodeForBox(bytes, typeCode, box, picture, project_.GetPicturePalette(record.Number)))
        error = Undecodable(record, true, "no decoder for this kind of picture");
    } catch (const std::exception& failure) {
      error = Undecodable(record, true, failure.what());
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
  return error;
}

void FrameComposer::DrawCaption(const project::TPictureInfo& record, raster::Bitmap& bitmap) {
  player::DrawCaption(record, bitmap, Area(), text_);
}

void FrameComposer::DrawDescription(const project::TPictureInfo& record, raster::Bitmap& bitmap) {
  player::DrawDescription(record, bitmap, Area(), text_);
}

PictureError FrameComposer::Undecodable(const project::TPictureInfo& record, bool slide, const std::string& why) {
  return PictureError{record.Number, false, slide, record.FileName + ": " + why};
}

}  // namespace player
