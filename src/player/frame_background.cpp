// FrameComposer: the slide backgrounds (colour, picture, gradient) and the
// choice of background pictures.
#include <algorithm>
#include <exception>
#include <string_view>
#include <vector>

#include "base/ascii.h"
#include "player/frame_composer.h"
#include "player/frame_desktop.h"
#include "player/frame_picture.h"
#include "project/color_tables.h"
#include "project/number_list.h"
#include "project/picture_helpers.h"
#include "project/picture_type.h"
#include "project/project_errors.h"
#include "project/project_info.h"
#include "raster/canvas.h"
#include "raster/gradient.h"

namespace player {
namespace {

constexpr int kColorBackground = 0;
constexpr int kPictureBackground = 1;
constexpr int kGradientBackground = 2;

constexpr int kDesktopSource = 0;
constexpr int kShowPictureSource = 1;
constexpr int kListedPictureSource = 2;

constexpr int kStretchMode = 0;
constexpr int kCentreMode = 1;
constexpr int kTileMode = 2;
constexpr int kRandomMode = 3;

constexpr raster::Pixel kBlack = raster::MakePixel(0, 0, 0);

// Whether PickEntry can give `value` from `list`: an empty list, or an entry
// that is not a number, gives 0.
bool ListMayGive(std::string_view list, int value) {
  const std::vector<project::ListEntry> entries = project::ListEntries(list);
  if (entries.empty()) return value == 0;
  return std::any_of(entries.begin(), entries.end(), [&](const project::ListEntry& entry) {
    return entry.value ? *entry.value == value : value == 0;
  });
}

}  // namespace

bool ShowMayDrawDesktop(const project::TProjectInfo& project) {
  return std::any_of(project.Pictures.begin(), project.Pictures.end(), [](const auto& record) {
    return ListMayGive(record->BackgroundKinds, kPictureBackground) &&
           ListMayGive(record->BackgroundSources, kDesktopSource);
  });
}

int FrameComposer::RandomIndex(int count) {
  return std::clamp(static_cast<int>(random_.Next(count)), 0, std::max(count - 1, 0));
}

int FrameComposer::PickEntry(const std::string& list) {
  try {
    return project::PickFromList(list, random_);
  } catch (const project::ConversionError&) {
    return 0;
  }
}

void FrameComposer::FillFrame(raster::ColorRef color) { FFrame.Fill(raster::PixelFromColorRef(color)); }

std::optional<PictureError> FrameComposer::DrawBackground(project::TPictureInfo& record) {
  switch (PickEntry(record.BackgroundKinds)) {
    case kColorBackground:
      FillFrame(record.RandomBackgroundColor ? project::StandardColors[RandomIndex(project::kStandardColorCount)]
                                             : record.BackgroundColor);
      break;
    case kPictureBackground:
      switch (PickEntry(record.BackgroundSources)) {
        case kDesktopSource: DrawDesktopBackground(); break;
        case kShowPictureSource:
          return DrawBackgroundPicture(PickShowPicture(), record.BackgroundPictureMode, record.RandomTileCount,
                                       record.TileCount);
        case kListedPictureSource:
          return DrawBackgroundPicture(PickListedBackground(record), record.BackgroundPictureMode,
                                       record.RandomTileCount, record.TileCount);
        default: break;
      }
      break;
    case kGradientBackground: {
      const int style = PickEntry(record.GradientStyles);
      record.ChosenGradientStyle = style;
      raster::ColorRef first = record.GradientColor1;
      raster::ColorRef second = record.GradientColor2;
      if (record.RandomGradientColors) {
        const project::TColorPair& pair = project::GradientColorPairs[RandomIndex(project::kGradientPairCount)];
        first = pair.First;
        second = pair.Second;
      }
      raster::FillGradient(first, second, style, FFrame);
      break;
    }
    default: break;
  }
  return std::nullopt;
}

void FrameComposer::DrawDesktopBackground() {
  raster::Bitmap desktop;
  if (!LoadDesktopCapture(DesktopCapturePath(project_.TempFolder), desktop)) {
    FillFrame(project::StandardColors[RandomIndex(project::kStandardColorCount)]);
    return;
  }
  raster::Canvas canvas(FFrame);
  if (FPreview) {
    // The whole screen shrunk into the preview: averaged, so it stays legible.
    canvas.ResampleHighQuality(FFrame.Bounds(), desktop, desktop.Bounds());
    MakeOpaque(FFrame);
  } else {
    canvas.Draw({0, 0}, desktop);
  }
}

const project::TPictureInfo* FrameComposer::PickShowPicture() {
  std::vector<const project::TPictureInfo*> pictures;
  for (const project::TPictureInfo* item : showItems_)
    if (item->Kind == 0) pictures.push_back(item);
  if (pictures.empty()) return nullptr;
  return pictures[static_cast<std::size_t>(RandomIndex(static_cast<int>(pictures.size())))];
}

const project::TPictureInfo* FrameComposer::PickListedBackground(const project::TPictureInfo& record) {
  if (backgroundItems_.empty()) return nullptr;
  std::vector<const project::TPictureInfo*> candidates;
  for (std::size_t n = 0; n < backgroundItems_.size(); ++n)
    if (record.AllowsBackgroundPicture(static_cast<int>(n))) candidates.push_back(backgroundItems_[n]);
  if (candidates.empty()) return nullptr;
  return candidates[static_cast<std::size_t>(RandomIndex(static_cast<int>(candidates.size())))];
}

std::optional<PictureError> FrameComposer::DrawBackgroundPicture(const project::TPictureInfo* record, int mode,
                                                                 bool randomCount, int count) {
  if (record == nullptr) {
    FFrame.Fill(kBlack);
    return std::nullopt;
  }
  std::vector<uint8_t> bytes;
  int typeCode = record->TypeCode;
  if (!project_.GetPictureStream(record->Number, bytes, typeCode) && !project_.PicturesEmbedded)
    return PictureError{record->Number, true, false,
                        base::FormatMessage(project_.FileNotFoundText(), record->FileName)};
  if (mode == kRandomMode) mode = RandomIndex(3);
  if (mode != kStretchMode && mode != kCentreMode && mode != kTileMode) return std::nullopt;
  const Size area = Area();
  // The tile count is drawn before decoding so the decoder can be told the
  // tile size; the draws come in the same order as the rules ask.
  const int drawnCount = mode == kTileMode && randomCount ? 1 + static_cast<int>(random_.Next(count)) : 0;
  const auto tileSize = [&](Size own) {
    const int width = TileWidth(randomCount, drawnCount, count, area.width, own.width);
    return Size{width, TileHeight(width, own)};
  };

  // A JPEG is decoded at the smallest DCT scale that still covers what is drawn.
  Size box;
  if (const std::optional<Size> declared =
          typeCode == project::PictureType::Jpeg ? JpegFrameSize(bytes) : std::nullopt) {
    switch (mode) {
      case kStretchMode: box = area; break;
      case kCentreMode: box = FitWithin(*declared, area); break;
      default: box = tileSize(*declared); break;
    }
  }
  DecodedPicture picture;
  try {
    if (!DecodeForBox(bytes, typeCode, box, picture, project_.GetPicturePalette(record->Number)))
      return Undecodable(*record, false, "no decoder for this kind of picture");
  } catch (const std::exception& failure) {
    return Undecodable(*record, false, failure.what());
  }
  if (picture.own.IsEmpty()) {
    if (mode == kCentreMode) FFrame.Fill(kBlack);
    return std::nullopt;
  }
  const raster::Rect whole{0, 0, picture.own.width, picture.own.height};
  raster::Canvas canvas(FFrame);
  switch (mode) {
    case kStretchMode: canvas.Draw({0, 0}, Resample(picture, whole, area, false)); break;
    case kCentreMode: {
      FFrame.Fill(kBlack);
      const Size size = FitWithin(picture.own, area);
      canvas.Draw(CentredOrigin(size, area), Resample(picture, whole, size, false));
      break;
    }
    default: raster::TileBitmap(FFrame, Resample(picture, whole, tileSize(picture.own), false)); break;
  }
  return std::nullopt;
}

}  // namespace player
