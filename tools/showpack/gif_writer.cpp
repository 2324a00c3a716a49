#include "gif_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "base/paths.h"

namespace showpack {
namespace {

constexpr raster::Pixel kRgb = 0x00FFFFFFu;

// The smallest rectangle holding every pixel that differs; one pixel when none
// does (every frame must hold an image).
raster::Rect ChangedRect(const raster::Bitmap& before, const raster::Bitmap& after) {
  raster::Rect changed{after.Width(), after.Height(), 0, 0};
  for (int y = 0; y < after.Height(); ++y) {
    const raster::Pixel* a = before.Row(y);
    const raster::Pixel* b = after.Row(y);
    for (int x = 0; x < after.Width(); ++x)
      if (((a[x] ^ b[x]) & kRgb) != 0) {
        changed = {std::min(changed.left, x), std::min(changed.top, y), std::max(changed.right, x + 1),
                   std::max(changed.bottom, y + 1)};
        break;
      }
    for (int x = after.Width() - 1; x >= changed.right; --x)
      if (((a[x] ^ b[x]) & kRgb) != 0) {
        changed.right = x + 1;
        break;
      }
  }
  return changed.IsEmpty() ? raster::Rect{0, 0, 1, 1} : changed;
}

}  // namespace

struct GifWriter::File {
  GifFileType* gif = nullptr;
  std::string partial;
  ~File() {
    if (gif) EGifCloseFile(gif, nullptr);
    if (!partial.empty()) base::DeleteFileQuietly(partial);
  }
};

GifWriter::GifWriter(const std::string& path, int width, int height, GifPalette palette)
    : file_(std::make_unique<File>()), path_(path), palette_(std::move(palette)) {
  if (width < 1 || height < 1 || width > 65535 || height > 65535)
    throw std::runtime_error("cannot write " + path + ": a GIF is 1 to 65535 pixels wide and high");
  file_->partial = path + ".part";
  int error = 0;
  file_->gif = EGifOpenFileName(file_->partial.c_str(), false, &error);
  if (!file_->gif) throw std::runtime_error("cannot write " + path + ": " + GifErrorString(error));
  const auto& colors = palette_.Colors();
  ColorMapObject* map = GifMakeMapObject(256, nullptr);
  for (std::size_t k = 0; k < 256; ++k) {
    const raster::Pixel c = k < colors.size() ? colors[k] : colors.front();
    map->Colors[k] = {raster::PixelR(c), raster::PixelG(c), raster::PixelB(c)};
  }
  EGifSetGifVersion(file_->gif, true);
  const bool started = EGifPutScreenDesc(file_->gif, width, height, 8, 0, map) == GIF_OK;
  GifFreeMapObject(map);
  // Loop for ever (the application extension browsers follow).
  const unsigned char loop[] = {1, 0, 0};
  if (!started || EGifPutExtensionLeader(file_->gif, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
      EGifPutExtensionBlock(file_->gif, 11, "NETSCAPE2.0") != GIF_OK ||
      EGifPutExtensionBlock(file_->gif, 3, loop) != GIF_OK || EGifPutExtensionTrailer(file_->gif) != GIF_OK)
    throw std::runtime_error("cannot write " + path);
  previous_.Reset(width, height);
}

GifWriter::~GifWriter() = default;

void GifWriter::AddFrame(const raster::Bitmap& frame, int delayCentiseconds) {
  if (frame.Width() != previous_.Width() || frame.Height() != previous_.Height())
    throw std::logic_error("a GIF frame of another size");
  const raster::Rect rect = first_ ? frame.Bounds() : ChangedRect(previous_, frame);
  first_ = false;
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.DelayTime = std::clamp(delayCentiseconds, 0, 65535);
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  EGifGCBToExtension(&control, extension);
  bool ok = EGifPutExtension(file_->gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK &&
            EGifPutImageDesc(file_->gif, rect.left, rect.top, rect.Width(), rect.Height(), false, nullptr) == GIF_OK;
  std::vector<GifPixelType> line(static_cast<std::size_t>(rect.Width()));
  for (int y = rect.top; ok && y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) line[static_cast<std::size_t>(x - rect.left)] = palette_.IndexOf(frame.At(x, y));
    ok = EGifPutLine(file_->gif, line.data(), rect.Width()) == GIF_OK;
  }
  if (!ok) throw std::runtime_error("cannot write " + path_ + ": " + GifErrorString(file_->gif->Error));
  previous_ = frame;
}

void GifWriter::Finish() {
  int error = 0;
  const int closed = EGifCloseFile(file_->gif, &error);
  file_->gif = nullptr;
  if (closed != GIF_OK) throw std::runtime_error("cannot write " + path_ + ": " + GifErrorString(error));
  std::error_code renamed;
  std::filesystem::rename(base::PathFromUtf8(file_->partial), base::PathFromUtf8(path_), renamed);
  if (renamed) throw std::runtime_error("cannot write " + path_ + ": " + renamed.message());
  file_->partial.clear();
}

}  // namespace showpack
