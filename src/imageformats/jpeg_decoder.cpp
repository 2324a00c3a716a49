// JPEG through libjpeg(-turbo), from memory. libjpeg reports errors through a
// callback that must not return; ours longjmps back into Guarded(), whose
// steps hold no C++ objects, and the fault becomes a DecodeError. The decoded
// picture is turned upright by its EXIF orientation.
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "imageformats/decoders.h"
#include "imageformats/jpeg_header.h"
#include "imageformats/orientation.h"

namespace imageformats {
namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  bool dataEnded;
};

void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Warnings are not printed. Entropy-coded data that stops before the picture
// is complete is remembered as a fault: libjpeg would go on to hand out grey rows.
void OnMessage(j_common_ptr cinfo, int level) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  if (level < 0 && (cinfo->err->msg_code == JWRN_HIT_MARKER || cinfo->err->msg_code == JWRN_JPEG_EOF)) {
    (*cinfo->err->format_message)(cinfo, err->message);
    err->dataEnded = true;
  }
}

// The data in memory, followed by an end-of-image marker, so that a file
// missing only its final marker decodes without complaint: the Huffman decoder
// reads ahead of the bits it needs and would otherwise report running out.
const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr cinfo) {
  // Past the data: serve the end marker again and again; the marker reader
  // then ends the picture.
  *static_cast<bool*>(cinfo->client_data) = true;
  cinfo->src->next_input_byte = kEndOfImage;
  cinfo->src->bytes_in_buffer = sizeof kEndOfImage;
  return TRUE;
}

void SkipInput(j_decompress_ptr cinfo, long count) {
  jpeg_source_mgr* src = cinfo->src;
  if (count <= 0) return;
  if (static_cast<size_t>(count) <= src->bytes_in_buffer) {
    src->next_input_byte += count;
    src->bytes_in_buffer -= static_cast<size_t>(count);
  } else {
    FillInput(cinfo);
  }
}

struct Job {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  jpeg_source_mgr source;
  bool pastEnd;  // the data ran out and the end marker was supplied
  raster::Bitmap* bitmap;
  uint8_t* cmykRow;  // one row of 4-byte CMYK samples, for CMYK and YCCK pictures
  bool created;
};

// Runs one step under the error handler; false when libjpeg raised an error.
bool Guarded(Job& job, void (*step)(Job&)) {
  if (setjmp(job.err.jump) != 0) return false;
  step(job);
  return true;
}

void ReadHeader(Job& job) {
  jpeg_create_decompress(&job.cinfo);
  job.created = true;
  job.cinfo.src = &job.source;
  job.cinfo.client_data = &job.pastEnd;
  jpeg_read_header(&job.cinfo, TRUE);
}

void CalcDimensions(Job& job) { jpeg_calc_output_dimensions(&job.cinfo); }
void Start(Job& job) { jpeg_start_decompress(&job.cinfo); }

uint8_t Mul255(unsigned a, unsigned b) { return static_cast<uint8_t>((a * b + 127) / 255); }

void ReadRows(Job& job) {
  jpeg_decompress_struct& c = job.cinfo;
  raster::Bitmap& bitmap = *job.bitmap;
  // Adobe writes CMYK inverted (0 = full ink); other writers do not.
  const bool inverted = c.saw_Adobe_marker != 0;
  while (c.output_scanline < c.output_height && !job.err.dataEnded) {
    const int y = static_cast<int>(c.output_scanline);
    JSAMPROW row = job.cmykRow != nullptr ? job.cmykRow : reinterpret_cast<JSAMPROW>(bitmap.Row(y));
    if (jpeg_read_scanlines(&c, &row, 1) != 1) {
      job.err.dataEnded = true;
      return;
    }
    if (job.cmykRow == nullptr) continue;
    raster::Pixel* out = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      const uint8_t* s = job.cmykRow + 4 * x;
      unsigned cy = s[0], m = s[1], ye = s[2], k = s[3];
      if (!inverted) {
        cy = 255 - cy;
        m = 255 - m;
        ye = 255 - ye;
        k = 255 - k;
      }
      out[x] = raster::MakePixel(Mul255(cy, k), Mul255(m, k), Mul255(ye, k));
    }
  }
}

// The smallest DCT scale n/8 whose output still covers the fit box (or the
// whole picture where the box is larger). The box is meant for the upright
// picture: for a quarter turn its sides are compared with the stored height
// and width.
bool ChooseScale(Job& job, const DecodeOptions& options, int orientation) {
  jpeg_decompress_struct& c = job.cinfo;
  c.scale_denom = 8;
  c.scale_num = 8;
  if (options.fitWidth <= 0 || options.fitHeight <= 0) return true;
  const bool swap = OrientationSwapsSides(orientation);
  const auto fitW = static_cast<JDIMENSION>(swap ? options.fitHeight : options.fitWidth);
  const auto fitH = static_cast<JDIMENSION>(swap ? options.fitWidth : options.fitHeight);
  const JDIMENSION wantW = std::min<JDIMENSION>(fitW, c.image_width);
  const JDIMENSION wantH = std::min<JDIMENSION>(fitH, c.image_height);
  for (unsigned num = 1; num <= 8; ++num) {
    c.scale_num = num;
    if (!Guarded(job, CalcDimensions)) return false;
    if (c.output_width >= wantW && c.output_height >= wantH) return true;
  }
  return true;
}

class JobOwner {
 public:
  explicit JobOwner(Job& job) : job_(job) {}
  ~JobOwner() {
    if (job_.created) jpeg_destroy_decompress(&job_.cinfo);
  }
  JobOwner(const JobOwner&) = delete;
  JobOwner& operator=(const JobOwner&) = delete;

 private:
  Job& job_;
};

}  // namespace

raster::Bitmap DecodeJpeg(std::span<const uint8_t> data, const DecodeOptions& options) {
  if (data.empty()) Fail(Format::Jpeg, "no data");
  Job job{};
  JobOwner owner(job);
  job.cinfo.err = jpeg_std_error(&job.err.pub);
  job.err.pub.error_exit = OnError;
  job.err.pub.emit_message = OnMessage;
  job.source.init_source = InitSource;
  job.source.fill_input_buffer = FillInput;
  job.source.skip_input_data = SkipInput;
  job.source.resync_to_restart = jpeg_resync_to_restart;
  job.source.term_source = TermSource;
  job.source.next_input_byte = data.data();
  job.source.bytes_in_buffer = data.size();
  // A fault after the data ran out is put down to the missing data.
  auto fail = [&job]() { Fail(Format::Jpeg, job.pastEnd ? "data ends early" : job.err.message); };

  if (!Guarded(job, ReadHeader)) fail();
  jpeg_decompress_struct& c = job.cinfo;
  CheckPictureSize(Format::Jpeg, c.image_width, c.image_height, options);
  // libjpeg's own buffers (whole-picture coefficients of progressive files)
  // stay within a bound that grows with the pixel limit.
  const int64_t pixels = std::min(options.maxPixels, raster::Bitmap::kMaxPixels);
  c.mem->max_memory_to_use = static_cast<long>(std::min<int64_t>(pixels * 8 + (64 << 20), 1536LL << 20));

  std::vector<uint8_t> cmykRow;
  const bool cmyk = c.jpeg_color_space == JCS_CMYK || c.jpeg_color_space == JCS_YCCK;
  c.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  // A missing or damaged orientation leaves the picture as stored.
  const std::optional<JpegHeader> header = ReadJpegHeader(data);
  const int orientation = header ? header->orientation : 1;
  if (!ChooseScale(job, options, orientation)) fail();
  if (!Guarded(job, Start)) fail();
  if (job.err.dataEnded) fail();

  raster::Bitmap bitmap(static_cast<int>(c.output_width), static_cast<int>(c.output_height));
  if (cmyk) {
    cmykRow.resize(static_cast<size_t>(c.output_width) * 4);
    job.cmykRow = cmykRow.data();
  }
  job.bitmap = &bitmap;
  // jpeg_finish_decompress is left out on purpose: a missing end marker after
  // the last row costs nothing.
  if (!Guarded(job, ReadRows) || job.err.dataEnded) fail();
  // An upright picture is returned as it is: moved, not copied (at 24 MP a
  // copy is 90 MB more at the decoder's peak).
  if (orientation < 2 || orientation > 8) return bitmap;
  return Orient(bitmap, orientation);
}

}  // namespace imageformats
