// An animated GIF written frame by frame: one colour table for all frames, each
// frame stored as the rectangle that changed since the one before, looping for
// ever.
#pragma once

#include <memory>
#include <string>

#include "gif_palette.h"
#include "raster/bitmap.h"

namespace showpack {

class GifWriter {
 public:
  // Starts `path` (written as path + ".part" until Finish). Throws
  // std::runtime_error naming the path when it cannot be written.
  GifWriter(const std::string& path, int width, int height, GifPalette palette);
  // An unfinished file is deleted.
  ~GifWriter();
  GifWriter(const GifWriter&) = delete;
  GifWriter& operator=(const GifWriter&) = delete;

  // One frame of the animation's size, shown for `delayCentiseconds`.
  void AddFrame(const raster::Bitmap& frame, int delayCentiseconds);
  // Closes the file and puts it in place.
  void Finish();

 private:
  struct File;
  std::unique_ptr<File> file_;
  std::string path_;
  GifPalette palette_;
  raster::Bitmap previous_;
  bool first_ = true;
};

}  // namespace showpack
