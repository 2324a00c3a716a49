// The run window's composer: frame composition (FrameComposer) behind the
// SlideComposer interface that TfRun drives.
#pragma once

#include <memory>

#include "player/frame_composer.h"
#include "player/slide_composer.h"
#include "player/text_renderer.h"

namespace player {

class TfRun;

class ShowComposer final : public SlideComposer, private FrameHost {
 public:
  ShowComposer(TfRun& run, std::unique_ptr<TextRenderer> text);

  void Resize(int width, int height, bool preview) override;
  void PrepareItem(int index) override;
  void PrepareBackgroundAndTexts(int index) override;
  void DrawTexts(int index, raster::Bitmap& target) override;
  raster::Bitmap& Picture() override { return composer_.FPicture; }
  raster::Bitmap& Frame() override { return composer_.FFrame; }
  raster::Bitmap& Composite() override { return composer_.FComposite; }
  raster::Point Origin() const override { return {composer_.FOriginX, composer_.FOriginY}; }
  void SetOrigin(raster::Point origin) override;

  FrameComposer& Composer() { return composer_; }

 private:
  void ShowMessage(const std::string& text) override;
  void PostQuit() override;

  TfRun& run_;
  std::unique_ptr<TextRenderer> text_;
  FrameComposer composer_;
};

}  // namespace player
