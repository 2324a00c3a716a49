// Composition of a slide off screen: the background (a colour, a picture or a
// gradient) with the caption and description goes into the frame, the item's
// own picture, decoded and fitted to the show area, into the picture bitmap at
// its origin. The transition engine then brings the picture (or, in composite
// mode, the whole composed screen) in over the frame.
//
// The run window composes an item in two calls:
//   composer.PrepareItem(index, showImage)
//     -> frame: background (+ texts unless ComposeMode is 1)
//     -> picture and origin: the fitted picture and where it lies
//     -> ComposeMode 1: the composite takes a copy of the frame
//     -> otherwise: the frame is copied onto the show image at once
//   composer.StartSurfaces(index, showImage)  // what the transition draws with
// A Flash or video item gets its background and texts with PrepareBackdrop.
// Pictures that cannot be drawn come back as PictureError values; what is
// drawable is drawn. The item lists are read at each call, so they may be
// filled after construction.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/random.h"
#include "player/frame_fit.h"
#include "player/text_renderer.h"
#include "project/picture_info.h"
#include "project/project_info.h"
#include "raster/bitmap.h"
#include "transitions/transition_engine.h"

namespace player {

// A picture that could not be drawn.
struct PictureError {
  int32_t number = 0;    // the record's Number
  bool missing = false;  // its external file is missing; otherwise its data cannot be decoded
  bool slide = false;    // the slide's own picture; otherwise a background picture
  std::string message;   // what to tell the user
};
using PictureErrors = std::vector<PictureError>;

class FrameComposer {
 public:
  using ItemList = std::vector<project::TPictureInfo*>;

  FrameComposer(project::TProjectInfo& project, const ItemList& showItems, const ItemList& backgroundItems,
                base::Random& random, TextRenderer& text);

  // The show area, W by H; the frame and the composite take that size.
  void SetShowArea(int width, int height, bool preview);

  // Composes picture item `index` of the show items (nothing for an index out
  // of range) and, outside composite mode, copies the frame onto `display`.
  PictureErrors PrepareItem(int index, raster::Bitmap& display);
  // The background and texts of a Flash or video item, copied onto `display`.
  PictureErrors PrepareBackdrop(int index, raster::Bitmap& display);
  // The surfaces the transition of the prepared item `index` draws with. In
  // composite mode the picture and the texts are first laid onto the
  // composite and `display` is copied into the frame (the transition starts
  // from what the screen shows); the picture then lies at (0, 0).
  transitions::ShowSurfaces StartSurfaces(int index, raster::Bitmap& display);

  // The steps of PrepareItem.
  // Paints the record's background over all of the frame; a gradient's style
  // is stored in the record (ChosenGradientStyle).
  std::optional<PictureError> DrawBackground(project::TPictureInfo& record);
  // Paints a picture as background: mode 0 stretched, 1 centred (shrunk to fit)
  // on black, 2 tiled, 3 one of those at random. No record: black.
  std::optional<PictureError> DrawBackgroundPicture(const project::TPictureInfo* record, int mode,
                                                    bool randomCount, int count);
  // A random show item that is a picture; null when there is none.
  const project::TPictureInfo* PickShowPicture();
  // A random background-only picture that the record allows; null when none.
  const project::TPictureInfo* PickListedBackground(const project::TPictureInfo& record);
  // Decodes and fits the record's picture and sets the origin. A missing file
  // keeps the previous picture and origin.
  std::optional<PictureError> FitPicture(const project::TPictureInfo& record);
  void DrawCaption(const project::TPictureInfo& record, raster::Bitmap& bitmap);
  void DrawDescription(const project::TPictureInfo& record, raster::Bitmap& bitmap);

  const raster::Bitmap& Picture() const { return FPicture; }
  const raster::Bitmap& Frame() const { return FFrame; }
  const raster::Bitmap& Composite() const { return FComposite; }
  raster::Point Origin() const { return {FOriginX, FOriginY}; }

 private:
  Size Area() const { return {FShowWidth, FShowHeight}; }
  project::TPictureInfo* ShowItem(int index) const;
  // An index 0 .. count - 1 from the generator, kept in range.
  int RandomIndex(int count);
  // A random entry of a number list; an entry that is not a number reads as 0.
  int PickEntry(const std::string& list);
  void DrawDesktopBackground();
  void FillFrame(raster::ColorRef color);
  static PictureError Undecodable(const project::TPictureInfo& record, bool slide, const std::string& why);

  project::TProjectInfo& project_;
  const ItemList& showItems_;
  const ItemList& backgroundItems_;
  base::Random& random_;
  TextRenderer& text_;

  raster::Bitmap FPicture;
  raster::Bitmap FFrame;
  raster::Bitmap FComposite;
  int32_t FOriginX = 0;
  int32_t FOriginY = 0;
  int32_t FShowWidth = 0;
  int32_t FShowHeight = 0;
  bool FPreview = false;
};

}  // namespace player
