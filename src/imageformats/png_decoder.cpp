// PNG through libpng, from memory. Every layout (palette, grey, grey + alpha,
// RGB, RGBA, 1 to 16 bits, interlaced, tRNS) is turned by libpng's transforms
// into 8-bit BGRA with straight alpha. libpng reports errors by longjmp back
// into Guarded(), whose steps hold no C++ objects.
#include <cstring>
#include <vector>

#include <png.h>

#include "imageformats/decoders.h"

namespace imageformats {
namespace {

constexpr png_alloc_size_t kMaxChunkBytes = 16 << 20;
constexpr png_uint_32 kMaxAncillaryChunks = 1000;

struct Job {
  png_structp png;
  png_infop info;
  const uint8_t* data;
  size_t size;
  size_t pos;
  char message[200];
  png_bytepp rows;
};

void OnError(png_structp png, png_const_charp message) {
  auto* job = static_cast<Job*>(png_get_error_ptr(png));
  std::strncpy(job->message, message, sizeof job->message - 1);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadData(png_structp png, png_bytep out, size_t count) {
  auto* job = static_cast<Job*>(png_get_io_ptr(png));
  if (count > job->size - job->pos) png_error(png, "data ends early");
  std::memcpy(out, job->data + job->pos, count);
  job->pos += count;
}

bool Guarded(Job& job, void (*step)(Job&)) {
  if (setjmp(png_jmpbuf(job.png)) != 0) return false;
  step(job);
  return true;
}

void ReadInfo(Job& job) {
  png_set_read_fn(job.png, &job, ReadData);
  png_set_user_limits(job.png, raster::Bitmap::kMaxSide, raster::Bitmap::kMaxSide);
  // No ancillary chunk (text, profiles) may claim more memory than this; the
  // pixel data streams and is not affected.
  png_set_chunk_malloc_max(job.png, kMaxChunkBytes);
  png_set_chunk_cache_max(job.png, kMaxAncillaryChunks);
  png_read_info(job.png, job.info);
}

void SetTransforms(Job& job) {
  png_structp png = job.png;
  png_infop info = job.info;
  png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);  // opaque alpha where the picture has none
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

void ReadImage(Job& job) { png_read_image(job.png, job.rows); }

class JobOwner {
 public:
  explicit JobOwner(Job& job) : job_(job) {}
  ~JobOwner() { png_destroy_read_struct(&job_.png, job_.info != nullptr ? &job_.info : nullptr, nullptr); }
  JobOwner(const JobOwner&) = delete;
  JobOwner& operator=(const JobOwner&) = delete;

 private:
  Job& job_;
};

}  // namespace

raster::Bitmap DecodePng(std::span<const uint8_t> data, const DecodeOptions& options) {
  if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) Fail(Format::Png, "not a PNG file");
  Job job{};
  job.data = data.data();
  job.size = data.size();
  job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, OnError, OnWarning);
  if (job.png == nullptr) Fail(Format::Png, "out of memory");
  JobOwner owner(job);
  job.info = png_create_info_struct(job.png);
  if (job.info == nullptr) Fail(Format::Png, "out of memory");
  auto fail = [&job]() { Fail(Format::Png, job.message); };

  // The signature is checked above; reading the header fetches it again.
  if (!Guarded(job, ReadInfo)) fail();
  const png_uint_32 width = png_get_image_width(job.png, job.info);
  const png_uint_32 height = png_get_image_height(job.png, job.info);
  CheckPictureSize(Format::Png, width, height, options);
  if (!Guarded(job, SetTransforms)) fail();
  if (png_get_rowbytes(job.png, job.info) != size_t{width} * 4) Fail(Format::Png, "unsupported pixel layout");

  raster::Bitmap bitmap(static_cast<int>(width), static_cast<int>(height));
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = reinterpret_cast<png_bytep>(bitmap.Row(static_cast<int>(y)));
  job.rows = rows.data();
  // png_read_end is left out: whatever follows the pixel data (text chunks,
  // a missing IEND) does not change the picture.
  if (!Guarded(job, ReadImage)) fail();
  return bitmap;
}

}  // namespace imageformats
