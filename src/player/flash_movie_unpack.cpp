// Unpacking a movie's body: CWS files hold it zlib-compressed, ZWS files
// LZMA-compressed. Output grows as the decoder produces it and stops at the
// length the header gives, so a small file cannot make the reader allocate
// what it claims but does not hold, and a body that inflates to more than its
// header says is cut at that length.
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "player/flash_movie.h"

#ifdef SLIDESHOW_HAVE_LZMA
#include <lzma.h>
#endif

namespace player::flash {
namespace {

constexpr size_t kChunk = 64 * 1024;

// Runs `step(at, room, made)`, which decodes into `room` bytes at `at` and
// says whether the decoder can go on, until the body is complete or the
// decoder stops; the output grows by chunks as it is produced.
template <class Step>
std::vector<uint8_t> Decode(uint32_t bodyLength, Step step) {
  std::vector<uint8_t> out;
  size_t produced = 0;
  bool goOn = true;
  while (produced < bodyLength && goOn) {
    const size_t room = std::min<size_t>(kChunk, bodyLength - produced);
    out.resize(produced + room);
    size_t made = 0;
    goOn = step(out.data() + produced, room, made);
    produced += made;
  }
  out.resize(produced);
  if (produced < bodyLength)
    throw MovieError("the compressed movie ends before the length its header gives (" + std::to_string(produced) +
                     " of " + std::to_string(bodyLength) + " bytes)");
  return out;
}

std::vector<uint8_t> Inflate(std::span<const uint8_t> packed, uint32_t bodyLength) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) throw MovieError("the zlib decoder could not start");
  const std::unique_ptr<z_stream, int (*)(z_stream*)> end(&stream, inflateEnd);
  stream.next_in = const_cast<Bytef*>(packed.data());
  stream.avail_in = static_cast<uInt>(packed.size());
  return Decode(bodyLength, [&stream](uint8_t* at, size_t room, size_t& made) {
    stream.next_out = at;
    stream.avail_out = static_cast<uInt>(room);
    const int status = inflate(&stream, Z_NO_FLUSH);
    made = room - stream.avail_out;
    // With room for output, a buffer error means the input has run out.
    if (status == Z_OK) return true;
    if (status == Z_STREAM_END || status == Z_BUF_ERROR) return false;
    throw MovieError("the compressed movie does not inflate (damaged zlib data)");
  });
}

#ifdef SLIDESHOW_HAVE_LZMA
// ZWS: the 4-byte length of the LZMA data, its 5 property bytes, then the data
// (raw LZMA, with or without an end marker).
std::vector<uint8_t> UnpackLzma(std::span<const uint8_t> packed, uint32_t bodyLength) {
  if (packed.size() < 9) throw MovieError("the LZMA-compressed movie is cut short");
  const uint32_t dataLength = packed[0] | (packed[1] << 8) | (packed[2] << 16) | (uint32_t{packed[3]} << 24);
  const std::span<const uint8_t> properties = packed.subspan(4, 5);
  std::span<const uint8_t> data = packed.subspan(9);
  if (dataLength < data.size()) data = data.first(dataLength);

  lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
  if (lzma_properties_decode(&filters[0], nullptr, properties.data(), properties.size()) != LZMA_OK)
    throw MovieError("the LZMA-compressed movie has invalid properties");
  lzma_options_lzma options = *static_cast<lzma_options_lzma*>(filters[0].options);
  free(filters[0].options);
  // A dictionary larger than the whole body is never used: capping it keeps the
  // properties from making the decoder reserve gigabytes.
  options.dict_size = std::min(options.dict_size, std::max<uint32_t>(bodyLength, LZMA_DICT_SIZE_MIN));
  filters[0].options = &options;

  lzma_stream stream = LZMA_STREAM_INIT;
  if (lzma_raw_decoder(&stream, filters) != LZMA_OK) throw MovieError("the LZMA decoder could not start");
  const std::unique_ptr<lzma_stream, void (*)(lzma_stream*)> end(&stream, lzma_end);
  stream.next_in = data.data();
  stream.avail_in = data.size();
  return Decode(bodyLength, [&stream](uint8_t* at, size_t room, size_t& made) {
    stream.next_out = at;
    stream.avail_out = room;
    const lzma_ret status = lzma_code(&stream, stream.avail_in == 0 ? LZMA_FINISH : LZMA_RUN);
    made = room - stream.avail_out;
    // A buffer error: no progress is possible, the data has run out.
    if (status == LZMA_OK) return true;
    if (status == LZMA_STREAM_END || status == LZMA_BUF_ERROR) return false;
    throw MovieError("the compressed movie does not unpack (damaged LZMA data)");
  });
}
#endif

}  // namespace

std::vector<uint8_t> UnpackMovieBody(std::span<const uint8_t> file, char compression, uint32_t bodyLength) {
  const std::span<const uint8_t> packed = file.subspan(8);
  switch (compression) {
    case 'F': {
      if (packed.size() < bodyLength)
        throw MovieError("the movie file is shorter than its header says (" + std::to_string(file.size()) + " of " +
                         std::to_string(bodyLength + 8) + " bytes)");
      return {packed.begin(), packed.begin() + bodyLength};
    }
    case 'C':
      return Inflate(packed, bodyLength);
    case 'Z':
#ifdef SLIDESHOW_HAVE_LZMA
      return UnpackLzma(packed, bodyLength);
#else
      throw MovieError("the movie is LZMA-compressed (ZWS), which this player cannot unpack");
#endif
  }
  throw MovieError("unknown compression");
}

}  // namespace player::flash
