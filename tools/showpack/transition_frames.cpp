#include "transition_frames.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "base/paths.h"
#include "png_writer.h"

namespace showpack {
namespace {

constexpr int kWindowsTimerMinimumMs = 10;

}  // namespace

int TickCentiseconds(int intervalMs) { return (std::max(intervalMs, kWindowsTimerMinimumMs) + 5) / 10; }

void GifFrames::Begin(const raster::Bitmap& before, const raster::Bitmap& after, int intervalMs) {
  const std::array<const raster::Bitmap*, 2> pictures{&before, &after};
  writer_ = std::make_unique<GifWriter>(path_, after.Width(), after.Height(), GifPalette(pictures));
  tickCs_ = TickCentiseconds(intervalMs);
}

void GifFrames::Frame(const raster::Bitmap& screen) {
  if (pending_) writer_->AddFrame(*pending_, tickCs_);
  pending_ = screen;
}

void GifFrames::End(int holdMs) {
  if (pending_) writer_->AddFrame(*pending_, tickCs_ + std::max(holdMs, 0) / 10);
  pending_.reset();
  writer_->Finish();
}

std::string PngFrames::FrameName(int tick) {
  std::array<char, 32> name{};
  std::snprintf(name.data(), name.size(), "frame-%05d.png", tick);
  return name.data();
}

void PngFrames::Begin(const raster::Bitmap&, const raster::Bitmap&, int) {
  std::error_code error;
  std::filesystem::create_directories(base::PathFromUtf8(folder_), error);
  if (error || !std::filesystem::is_directory(base::PathFromUtf8(folder_)))
    throw std::runtime_error("cannot make the folder " + folder_);
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

void PngFrames::Frame(const raster::Bitmap& screen) {
  WritePng(screen, folder_ + FrameName(++written_), PngCompression::Fast);
}

}  // namespace showpack
