// Composing one slide from a 24-megapixel JPEG (6000 x 4000) at 1080p and 4K:
// decoding at a reduced DCT scale, quality fitting, the background and the
// texts (box text renderer). Also the two big parts on their own.
#include <benchmark/benchmark.h>


#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/random.h"
#include "player/frame_box_text.h"
#include "player/frame_composer.h"
#include "player/frame_picture.h"
#include "project/program_file.h"
#include "project/project_info.h"
#include "test_photo.h"

namespace {

using bench::kPhotoHeight;
using bench::kPhotoWidth;

const std::vector<uint8_t>& Photo() {
  static const std::vector<uint8_t> bytes = bench::EncodeTestPhoto();
  return bytes;
}

class MemoryFile final : public project::ProgramFile {
 public:
  explicit MemoryFile(const std::vector<uint8_t>& data) : data_(data) {}
  int64_t Length() override { return static_cast<int64_t>(data_.size()); }
  int64_t ReadAt(int64_t offset, void* buffer, size_t count) override {
    if (offset < 0 || offset > Length()) return -1;
    const size_t n = std::min(count, data_.size() - static_cast<size_t>(offset));
    std::memcpy(buffer, data_.data() + offset, n);
    return static_cast<int64_t>(n);
  }

 private:
  const std::vector<uint8_t>& data_;
};

class NoFiles final : public project::StdProjectServices {
 public:
  std::unique_ptr<project::ProgramFile> OpenForReading(const std::string&) override { return nullptr; }
  std::string TempFolder() override { return "/nonexistent/"; }
};

// One embedded JPEG item with a caption and a three-line description.
struct Show {
  explicit Show(int backgroundKind, int gradientStyle)
      : project("/nonexistent/show.scr", services), text(12, 22) {
    project.FileHandle = std::make_unique<MemoryFile>(Photo());
    project.Index.ItemOffsets = {0};
    project.RandomPlacement = false;
    project.ComposeMode = 0;  // texts drawn into the frame here
    auto record = std::make_unique<project::TPictureInfo>(random);
    record->Size = static_cast<int32_t>(Photo().size());
    record->TypeCode = 2;
    record->FileName = "photo.jpg";
    record->Caption = "A caption of some thirty chars";
    record->Text = "First line of the description\r\nSecond line\r\nThird and last line";
    record->BackgroundKinds = std::to_string(backgroundKind) + ";";
    record->GradientStyles = std::to_string(gradientStyle) + ";";
    record->RandomBackgroundColor = false;
    items.push_back(record.get());
    project.Pictures.push_back(std::move(record));
  }
  NoFiles services;
  project::TProjectInfo project;
  base::SeededRandom random{5};
  player::BoxTextRenderer text;
  player::FrameComposer::ItemList items;
  player::FrameComposer::ItemList none;
};

struct Screen {
  int w, h;
};
constexpr Screen kScreens[] = {{1920, 1080}, {3840, 2160}};

// range(0): screen index; range(1): background kind (0 colour, 2 gradient style 10).
void BM_PrepareItem24MP(benchmark::State& state) {
  const Screen screen = kScreens[state.range(0)];
  Show show(static_cast<int>(state.range(1)), 10);
  player::FrameComposer composer(show.project, show.items, show.none, show.random, show.text);
  composer.SetShowArea(screen.w, screen.h, false);
  raster::Bitmap display(screen.w, screen.h);
  for (auto _ : state) {
    composer.PrepareItem(0, display);
    benchmark::DoNotOptimize(composer.Picture().Row(0));
  }
  state.counters["picture_w"] = composer.Picture().Width();
}
BENCHMARK(BM_PrepareItem24MP)
    ->ArgsProduct({{0, 1}, {0, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

void BM_DecodeForBox24MP(benchmark::State& state) {
  const Screen screen = kScreens[state.range(0)];
  const player::Size photo{kPhotoWidth, kPhotoHeight};
  const player::Size box = player::CoverBox(player::PlanFit(1, false, photo, {screen.w, screen.h}), photo);
  player::DecodedPicture picture;
  for (auto _ : state) {
    player::DecodeForBox(Photo(), 2, box, picture);
    benchmark::DoNotOptimize(picture.pixels.Row(0));
  }
  state.counters["decoded_w"] = picture.pixels.Width();
}
BENCHMARK(BM_DecodeForBox24MP)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DecodeFull24MP(benchmark::State& state) {
  player::DecodedPicture picture;
  for (auto _ : state) {
    player::DecodeForBox(Photo(), 2, {}, picture);
    benchmark::DoNotOptimize(picture.pixels.Row(0));
  }
}
BENCHMARK(BM_DecodeFull24MP)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FitResample24MP(benchmark::State& state) {
  const Screen screen = kScreens[state.range(0)];
  const player::Size photo{kPhotoWidth, kPhotoHeight};
  player::DecodedPicture picture;
  player::DecodeForBox(Photo(), 2, player::CoverBox(player::PlanFit(1, false, photo, {screen.w, screen.h}), photo),
                       picture);
  const player::Size fitted = player::FitWithin(picture.own, {screen.w, screen.h});
  for (auto _ : state) {
    raster::Bitmap out = player::Resample(picture, {0, 0, picture.own.width, picture.own.height}, fitted, false);
    benchmark::DoNotOptimize(out.Row(0));
  }
}
BENCHMARK(BM_FitResample24MP)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
BENCHMARK_MAIN();
