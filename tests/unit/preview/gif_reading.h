// Reads an animated GIF back, frame by frame, for the preview tests.
#pragma once

#include <gif_lib.h>

#include <string>
#include <vector>

#include "raster/bitmap.h"

namespace showpack::testing {

struct ShownFrame {
  raster::Bitmap screen;  // every frame so far drawn over the ones before
  int delay = 0;          // hundredths of a second
  int disposal = 0;
};

struct ReadBack {
  std::vector<ShownFrame> frames;
  bool loops = false;  // it has the application extension that repeats it
};

inline ReadBack ReadGif(const std::string& path) {
  ReadBack read;
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  if (!gif) return read;
  if (DGifSlurp(gif) == GIF_OK) {
    raster::Bitmap screen(gif->SWidth, gif->SHeight);
    for (int k = 0; k < gif->ImageCount; ++k) {
      const SavedImage& image = gif->SavedImages[k];
      GraphicsControlBlock control{};
      DGifSavedExtensionToGCB(gif, k, &control);
      const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
      for (int y = 0; y < image.ImageDesc.Height; ++y)
        for (int x = 0; x < image.ImageDesc.Width; ++x) {
          const GifColorType c = map->Colors[image.RasterBits[y * image.ImageDesc.Width + x]];
          screen.At(image.ImageDesc.Left + x, image.ImageDesc.Top + y) = raster::MakePixel(c.Red, c.Green, c.Blue);
        }
      read.frames.push_back({screen, control.DelayTime, control.DisposalMode});
    }
    for (int k = 0; gif->ImageCount > 0 && k < gif->SavedImages[0].ExtensionBlockCount; ++k) {
      const ExtensionBlock& block = gif->SavedImages[0].ExtensionBlocks[k];
      read.loops = read.loops || (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                                  std::string(reinterpret_cast<const char*>(block.Bytes), 11) == "NETSCAPE2.0");
    }
  }
  DGifCloseFile(gif, &error);
  return read;
}

}  // namespace showpack::testing
