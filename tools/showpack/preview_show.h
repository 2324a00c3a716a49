// A show opened for a preview: its project read from a built screensaver, or
// from a manifest built into a scratch file; its items composed by the show's
// own frame composer (with FreeType text) and brought in by the show's own
// transition engine. Every random choice comes from one generator seeded with
// the given seed, drawn in the order the screensaver draws from its own.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/random.h"
#include "player/frame_composer.h"
#include "player/freetype/freetype_text_renderer.h"
#include "project/project_info.h"
#include "raster/bitmap.h"
#include "transition_frames.h"
#include "transitions/ssb_array.h"
#include "transitions/transition_engine.h"

namespace showpack {

// A request the show cannot answer (no such item, a transition that does not
// exist, a show that cannot be read): the user asked for something wrong.
class PreviewError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TransitionRun {
  int number = -1;     // the transition that ran
  int intervalMs = 0;  // its timer interval
  int frames = 0;      // one per tick
};

class PreviewShow {
 public:
  // Opens SHOW.scr or MANIFEST.toml for a show area of width x height. Throws
  // PreviewError when the show cannot be read.
  PreviewShow(const std::string& path, uint64_t seed, int width, int height);
  ~PreviewShow();
  PreviewShow(const PreviewShow&) = delete;
  PreviewShow& operator=(const PreviewShow&) = delete;

  const project::TProjectInfo& Project() const { return *project_; }
  // Every item in record order (item N has Number N).
  const std::vector<std::unique_ptr<project::TPictureInfo>>& Items() const { return project_->Pictures; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // What the screen shows once item `number` is in: a picture's slide after its
  // transition, or the background and texts behind a Flash movie or video
  // clip. Throws PreviewError for a number that is no item or a background-only
  // picture, std::runtime_error when the slide's own picture file is missing.
  raster::Bitmap Slide(int number);
  // Item `number` coming in over the item before it in the show's order (the
  // last one before the first): `transition` -1..160, or the item's own choice
  // from its list when empty, one frame per tick into `sink`. Returns the
  // transition that ran.
  TransitionRun Transition(int number, std::optional<int> transition, FrameSink& sink);
  // The item's own picture as its file holds it; nothing, with a warning,
  // when it cannot be read or decoded.
  std::optional<raster::Bitmap> OwnPicture(int number);

  // What went wrong on the way (a background picture that cannot be read, a
  // picture that cannot be decoded): the show draws on without it.
  std::vector<std::string> TakeWarnings();

 private:
  class Services;
  int ShowIndex(int number) const;
  // Composes show item `index` onto the screen as it stands once the item is in.
  void ShowAtOnce(int index);
  void Report(const player::PictureErrors& errors);

  int width_, height_;
  base::SeededRandom random_;
  std::string scratch_;
  std::unique_ptr<Services> services_;
  std::unique_ptr<project::TProjectInfo> project_;
  player::FrameComposer::ItemList showItems_;
  player::FrameComposer::ItemList backgroundItems_;
  std::vector<transitions::TSSBArray> itemTransitions_;
  player::FreeTypeTextRenderer text_;
  std::unique_ptr<player::FrameComposer> composer_;
  transitions::TransitionEngine engine_;
  raster::Bitmap screen_;
  std::vector<std::string> warnings_;
};

}  // namespace showpack
