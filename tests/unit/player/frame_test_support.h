// A small show for the frame composition tests: a project held in memory with
// BMP pictures made at test time, the box text renderer and a composer over
// them.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/paths.h"
#include "base/random.h"
#include "player/frame_box_text.h"
#include "player/frame_composer.h"
#include "project/picture_test_random.h"
#include "project/program_file.h"
#include "project/project_info.h"
#include "raster/bitmap.h"

namespace player::testing {

using project_test::ScriptedRandom;
using raster::Bitmap;
using raster::MakePixel;
using raster::Pixel;

inline constexpr Pixel kRed = MakePixel(255, 0, 0);
inline constexpr Pixel kGreen = MakePixel(0, 255, 0);
inline constexpr Pixel kBlue = MakePixel(0, 0, 255);
inline constexpr Pixel kBlack = MakePixel(0, 0, 0);
inline constexpr Pixel kWhite = MakePixel(255, 255, 255);
inline constexpr Pixel kMagenta = MakePixel(255, 0, 255);

// The bytes of a 32-bit, bottom-up Windows bitmap file of `bitmap`.
inline std::vector<uint8_t> BmpBytes(const Bitmap& bitmap) {
  const int w = bitmap.Width(), h = bitmap.Height();
  const uint32_t pixelBytes = static_cast<uint32_t>(w) * static_cast<uint32_t>(h) * 4;
  std::vector<uint8_t> out(54 + pixelBytes, 0);
  const auto put32 = [&](std::size_t at, uint32_t v) { std::memcpy(&out[at], &v, 4); };
  const auto put16 = [&](std::size_t at, uint16_t v) { std::memcpy(&out[at], &v, 2); };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<uint32_t>(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(w));
  put32(22, static_cast<uint32_t>(h));
  put16(26, 1);
  put16(28, 32);
  put32(34, pixelBytes);
  for (int y = 0; y < h; ++y)
    std::memcpy(&out[54 + static_cast<std::size_t>(h - 1 - y) * static_cast<std::size_t>(w) * 4], bitmap.Row(y),
                static_cast<std::size_t>(w) * 4);
  return out;
}

inline std::string ScratchFolder(const std::string& name) {
  const auto folder = std::filesystem::path(SLIDESHOW_TEST_TMP) / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return base::Utf8FromPath(folder) + "/";
}

// The program file in memory; bytes may be appended while it is open.
class MemoryFile final : public project::ProgramFile {
 public:
  std::vector<uint8_t> bytes;
  int64_t Length() override { return static_cast<int64_t>(bytes.size()); }
  int64_t ReadAt(int64_t offset, void* buffer, size_t count) override {
    if (offset < 0 || offset > Length()) return -1;
    const size_t n = std::min(count, bytes.size() - static_cast<size_t>(offset));
    std::memcpy(buffer, bytes.data() + offset, n);
    return static_cast<int64_t>(n);
  }
};

// No program file on disk (the test puts one in memory); external files are read
// from disk; messages are recorded.
class TestServices final : public project::StdProjectServices {
 public:
  explicit TestServices(std::string temp) : temp_(std::move(temp)) {}
  std::unique_ptr<project::ProgramFile> OpenForReading(const std::string& path) override {
    if (path == kProgramPath) return nullptr;
    return StdProjectServices::OpenForReading(path);
  }
  std::string TempFolder() override { return temp_; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
  static constexpr const char* kProgramPath = "/no/such/folder/show.scr";

 private:
  std::string temp_;
};

// A bitmap of one colour.
inline Bitmap Solid(int w, int h, Pixel color) { return Bitmap(w, h, color); }

// Rows [0, split) `top`, the rest `bottom`.
inline Bitmap TwoBands(int w, int h, int split, Pixel top, Pixel bottom) {
  Bitmap b(w, h, bottom);
  for (int y = 0; y < std::min(split, h); ++y)
    for (int x = 0; x < w; ++x) b.At(x, y) = top;
  return b;
}

// Columns [0, split) `left`, the rest `right`.
inline Bitmap TwoColumns(int w, int h, int split, Pixel left, Pixel right) {
  Bitmap b(w, h, right);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < std::min(split, w); ++x) b.At(x, y) = left;
  return b;
}

// Every pixel of `rect` (clipped to the bitmap) equals `color`.
inline ::testing::AssertionResult AllPixels(const Bitmap& b, const raster::Rect& rect, Pixel color) {
  const raster::Rect r = rect.Intersect(b.Bounds());
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (b.At(x, y) != color)
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex << b.At(x, y)
                                             << ", expected " << color;
  return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult SameBitmap(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return ::testing::AssertionFailure() << "sizes " << a.Width() << "x" << a.Height() << " and " << b.Width()
                                         << "x" << b.Height();
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.At(x, y) != b.At(x, y))
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs: " << std::hex
                                             << a.At(x, y) << " vs " << b.At(x, y);
  return ::testing::AssertionSuccess();
}

// A show of a given size with pictures added one by one, in record order.
class FrameScene {
 public:
  explicit FrameScene(int width = 1024, int height = 768, bool preview = false, uint64_t seed = 7)
      : temp(ScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name())),
        services(temp),
        project(TestServices::kProgramPath, services),
        seeded(seed),
        text(8, 10),
        composer(project, showItems, backgroundItems, seeded, text) {
    auto file = std::make_unique<MemoryFile>();
    memory = file.get();
    project.FileHandle = std::move(file);
    project.RandomPlacement = false;
    composer.SetShowArea(width, height, preview);
    width_ = width;
    height_ = height;
    preview_ = preview;
  }

  // Appends a record whose embedded item holds `picture` as a BMP; it joins the
  // show items (or the background items when `backgroundOnly`).
  project::TPictureInfo& Add(const Bitmap& picture, bool backgroundOnly = false) {
    return AddBytes(BmpBytes(picture), 1, backgroundOnly);
  }
  project::TPictureInfo& AddBytes(const std::vector<uint8_t>& bytes, int typeCode, bool backgroundOnly = false) {
    const int number = static_cast<int>(project.Pictures.size());
    project.Index.ItemOffsets.push_back(static_cast<int32_t>(memory->bytes.size()));
    memory->bytes.insert(memory->bytes.end(), bytes.begin(), bytes.end());
    auto record = std::make_unique<project::TPictureInfo>(recordRandom);
    record->Number = number;
    record->Size = static_cast<int32_t>(bytes.size());
    record->TypeCode = typeCode;
    record->FileName = "picture" + std::to_string(number) + (typeCode == 2 ? ".jpg" : ".bmp");
    record->ShowCaption = false;
    record->ShowText = false;
    record->BackgroundKinds = "0;";
    record->RandomBackgroundColor = false;
    record->BackgroundColor = 0x000000;
    record->BackgroundOnly = backgroundOnly;
    project::TPictureInfo& ref = *record;
    project.Pictures.push_back(std::move(record));
    (backgroundOnly ? backgroundItems : showItems).push_back(&ref);
    return ref;
  }

  // Runs the composer with a scripted generator instead of the seeded one.
  FrameComposer Scripted(ScriptedRandom& random) {
    FrameComposer c(project, showItems, backgroundItems, random, text);
    c.SetShowArea(width_, height_, preview_);
    return c;
  }

  // Paints the whole frame of `c` in one colour, as a plain background does
  // (without drawing a random number).
  void FillFrame(FrameComposer& c, Pixel color) {
    base::SeededRandom unused(0);
    project::TPictureInfo plain(unused);
    plain.BackgroundKinds = "";
    plain.RandomBackgroundColor = false;
    plain.BackgroundColor = raster::ColorRefFromPixel(color);
    c.DrawBackground(plain);
  }

  std::string temp;
  TestServices services;
  project::TProjectInfo project;
  MemoryFile* memory = nullptr;
  base::SeededRandom recordRandom{1};
  base::SeededRandom seeded;
  BoxTextRenderer text;
  FrameComposer::ItemList showItems;
  FrameComposer::ItemList backgroundItems;
  FrameComposer composer;

 private:
  int width_ = 0;
  int height_ = 0;
  bool preview_ = false;
};

}  // namespace player::testing
