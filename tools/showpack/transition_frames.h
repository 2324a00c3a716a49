// Where the frames of a previewed transition go: an animated GIF, or numbered
// PNG pictures in a folder.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "gif_writer.h"
#include "raster/bitmap.h"

namespace showpack {

class FrameSink {
 public:
  virtual ~FrameSink() = default;
  // Before the first tick: the screen as the transition finds it, the slide it
  // will leave there, and the timer interval of the effect.
  virtual void Begin(const raster::Bitmap& before, const raster::Bitmap& after, int intervalMs) = 0;
  // The screen after one tick.
  virtual void Frame(const raster::Bitmap& screen) = 0;
  // After the last tick; the show keeps the finished slide for `holdMs`.
  virtual void End(int holdMs) = 0;
};

// Windows delivers timer ticks no more often than every 10 ms, whatever
// interval an effect asks for; a GIF counts time in hundredths of a second.
int TickCentiseconds(int intervalMs);

// One GIF frame per tick, each shown for the tick's time; the last one also
// for the hold, before the animation starts again.
class GifFrames final : public FrameSink {
 public:
  explicit GifFrames(std::string path) : path_(std::move(path)) {}
  void Begin(const raster::Bitmap& before, const raster::Bitmap& after, int intervalMs) override;
  void Frame(const raster::Bitmap& screen) override;
  void End(int holdMs) override;

 private:
  std::string path_;
  std::unique_ptr<GifWriter> writer_;
  std::optional<raster::Bitmap> pending_;  // written once the next frame or the end shows its delay
  int tickCs_ = 1;
};

// DIR/frame-00001.png, DIR/frame-00002.png, … one per tick; the folder is made
// when it does not exist.
class PngFrames final : public FrameSink {
 public:
  explicit PngFrames(std::string folder) : folder_(std::move(folder)) {}
  void Begin(const raster::Bitmap& before, const raster::Bitmap& after, int intervalMs) override;
  void Frame(const raster::Bitmap& screen) override;
  void End(int) override {}

  static std::string FrameName(int tick);

 private:
  std::string folder_;
  int written_ = 0;
};

}  // namespace showpack
