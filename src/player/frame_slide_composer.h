// Frame composition behind the run window's SlideComposer interface. Messages
// of one composing step are collected and shown when it ends; a picture whose
// file is missing (the step asked to quit) is raised as an error carrying the
// "File not found : " message instead, for the run window to show before it
// closes the show.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/random.h"
#include "player/frame_composer.h"
#include "player/slide_composer.h"
#include "player/text_renderer.h"
#include "project/project_info.h"

namespace player {

class FrameSlideComposer final : public SlideComposer {
 public:
  // The window's show image, and its modal message box.
  using ShowImageFn = std::function<raster::Bitmap&()>;
  using ShowMessageFn = std::function<void(const std::string&)>;

  FrameSlideComposer(project::TProjectInfo& project, const FrameComposer::ItemList& showItems,
                     const FrameComposer::ItemList& backgroundItems, base::Random& random, TextRenderer& text,
                     ShowImageFn showImage, ShowMessageFn showMessage);

  void Resize(int width, int height, bool preview) override;
  // Throws std::runtime_error with the message when the picture's file is missing.
  void PrepareItem(int index) override;
  void PrepareBackgroundAndTexts(int index) override;
  void DrawTexts(int index, raster::Bitmap& target) override;

  raster::Bitmap& Picture() override { return composer_.FPicture; }
  raster::Bitmap& Frame() override { return composer_.FFrame; }
  raster::Bitmap& Composite() override { return composer_.FComposite; }
  raster::Point Origin() const override { return {composer_.FOriginX, composer_.FOriginY}; }
  void SetOrigin(raster::Point origin) override {
    composer_.FOriginX = origin.x;
    composer_.FOriginY = origin.y;
  }

  FrameComposer& Composer() { return composer_; }

 private:
  class Host final : public FrameHost {
   public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void PostQuit() override { quit = true; }
    std::vector<std::string> messages;
    bool quit = false;
  };
  // Shows the collected messages; raises the last one when a quit was asked.
  void Flush();

  const FrameComposer::ItemList& showItems_;
  ShowImageFn showImage_;
  ShowMessageFn showMessage_;
  Host host_;
  FrameComposer composer_;
};

}  // namespace player
