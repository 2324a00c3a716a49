// Composition of a slide off screen: the background (a colour, a picture or a
// gradient) with the caption and description goes into FFrame, the item's own
// picture, decoded and fitted to the show area, into FPicture at FOriginX,
// FOriginY. The transition engine then brings FPicture (or FComposite) in over
// FFrame.
//
// Use from the run window:
//   FrameComposer composer(project, FShowItems, FBackgroundItems, random, text, host);
//   composer.SetShowArea(W, H, preview);        // set-up and FormResize; sizes FFrame
//   // a picture item:
//   composer.PrepareItem(FCurrentIndex, showImage);
//     -> FFrame: background (+ texts unless ComposeMode is 1)
//     -> FPicture, FOriginX, FOriginY: the fitted picture and where it lies
//     -> ComposeMode 1: FComposite = copy of FFrame (W x H); the transition start
//        then draws FPicture onto it and calls DrawCaption/DrawDescription(FComposite)
//     -> otherwise: FFrame is copied onto showImage at once
//   // a Flash or video item:
//   composer.PrepareBackdrop(FCurrentIndex, showImage);  // background + texts, copied
// FrameSlideComposer (frame_slide_composer.h) puts this behind the run window's
// SlideComposer interface.
// A picture item whose file is missing shows "File not found : <path>" through
// the host and asks it to quit; everything else goes on with what can be drawn.
// The item lists are read at each call, so they may be filled after construction.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/random.h"
#include "player/frame_fit.h"
#include "player/text_renderer.h"
#include "project/picture_info.h"
#include "project/project_info.h"
#include "raster/bitmap.h"

namespace player {

// What composition needs from the window around it.
class FrameHost {
 public:
  virtual ~FrameHost() = default;
  // A modal message box with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // Ends the program once control returns to the message loop.
  virtual void PostQuit() = 0;
};

class FrameComposer {
 public:
  using ItemList = std::vector<project::TPictureInfo*>;

  FrameComposer(project::TProjectInfo& project, const ItemList& showItems, const ItemList& backgroundItems,
                base::Random& random, TextRenderer& text, FrameHost& host);

  // The show area, W by H; FFrame takes that size.
  void SetShowArea(int width, int height, bool preview);

  // Composes picture item `index` of the show items (nothing for an index out
  // of range) and, outside composite mode, copies FFrame onto `display`.
  void PrepareItem(int index, raster::Bitmap& display);
  // The background and texts of a Flash or video item, copied onto `display`.
  void PrepareBackdrop(int index, raster::Bitmap& display);
  // The same into FFrame only.
  void ComposeBackdrop(int index);

  // Paints the record's background over all of FFrame; a gradient's style is
  // stored in the record (ChosenGradientStyle).
  void DrawBackground(project::TPictureInfo& record);
  // Paints a picture as background: mode 0 stretched, 1 centred (shrunk to fit)
  // on black, 2 tiled, 3 one of those at random. No record: black.
  void DrawBackgroundPicture(const project::TPictureInfo* record, int mode, bool randomCount, int count);
  // A random show item that is a picture; null when there is none.
  const project::TPictureInfo* PickShowPicture();
  // A random background-only picture that the record allows; null when none.
  const project::TPictureInfo* PickListedBackground(const project::TPictureInfo& record);
  // Decodes and fits the record's picture into FPicture and sets the origin.
  void FitPicture(const project::TPictureInfo& record);

  void DrawCaption(const project::TPictureInfo& record, raster::Bitmap& bitmap);
  void DrawDescription(const project::TPictureInfo& record, raster::Bitmap& bitmap);

  // Where the desktop capture of this show lives.
  std::string DesktopCapturePath() const;

  raster::Bitmap FPicture;
  raster::Bitmap FFrame;
  raster::Bitmap FComposite;
  int32_t FOriginX = 0;
  int32_t FOriginY = 0;
  int32_t FShowWidth = 0;
  int32_t FShowHeight = 0;
  bool FPreview = false;

 private:
  Size Area() const { return {FShowWidth, FShowHeight}; }
  // An index 0 .. count - 1 from the generator, kept in range.
  int RandomIndex(int count);
  // A random entry of a number list; an entry that is not a number reads as 0.
  int PickEntry(const std::string& list);
  void DrawDesktopBackground();
  void FillFrame(raster::ColorRef color);
  void ShowDecodeError(const project::TPictureInfo& record, const std::exception& error);

  project::TProjectInfo& project_;
  const ItemList& showItems_;
  const ItemList& backgroundItems_;
  base::Random& random_;
  TextRenderer& text_;
  FrameHost& host_;
};

// The message for a missing file: the first "%s" of `format` replaced by `path`.
std::string FormatFileMessage(const std::string& format, const std::string& path);

}  // namespace player
