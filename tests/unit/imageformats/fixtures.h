// Test pictures made at test time: known pixels, written by ImageMagick into
// the format under test, and the comparison of decoded pixels with the known ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "imageformats/decode.h"
#include "raster/bitmap.h"

namespace imageformats::testing {

struct KnownImage {
  int width = 0;
  int height = 0;
  std::vector<raster::Pixel> pixels;  // 0xAARRGGBB, row by row
  raster::Pixel At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

KnownImage ManyColours();                 // 7 x 5, 35 distinct opaque colours
KnownImage FewColours();                  // 7 x 5, 12 colours (fits 4 bits)
KnownImage TwoColours();                  // 7 x 5, black and white
KnownImage GreyLevels();                  // 7 x 5, grey only
KnownImage WithAlpha(KnownImage image, bool binary);  // alpha varies (0/255 when binary)
KnownImage Gradient(int width, int height);

// Writes `image` as PAM, runs /usr/bin/convert <input> <options> <outputSpec>
// (e.g. "BMP3:out.bmp"; the file goes into the test scratch folder) and returns
// the bytes written.
std::vector<uint8_t> Convert(const KnownImage& image, const std::string& options, const std::string& outputSpec);

std::string ScratchPath(const std::string& name);
std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Every pixel within `tolerance` per colour channel; alpha compared only when
// `alpha` is set (and then exactly), else it must be 255.
::testing::AssertionResult SamePixels(const raster::Bitmap& bitmap, const KnownImage& expected, int tolerance,
                                      bool alpha = false);

// ImageMagick's own reading of `file` (handed to it as "FORMAT:name"), as
// 8-bit RGBA: the oracle the decoders are compared with pixel by pixel.
KnownImage ImageMagickPixels(const std::vector<uint8_t>& file, const std::string& format);
// The same for a file on disk, with extra options before the output.
KnownImage ImageMagickPixelsOfFile(const std::string& path, const std::string& format, const std::string& options = "");

// Decodes with a small pixel limit and checks the outcome: success, or a
// DecodeError whose message starts with the format's name.
::testing::AssertionResult DecodesOrFails(Format format, const std::vector<uint8_t>& data,
                                          const DecodeOptions& options = {});

// Every proper truncation of `file` raises a DecodeError naming the format,
// or decodes to the very picture of the whole file (when only bytes that
// carry nothing were cut); never another picture.
::testing::AssertionResult TruncationsFailOrMatch(Format format, const std::vector<uint8_t>& file,
                                                  const DecodeOptions& options = {});

// The message of the DecodeError that decoding raises, or "no error".
std::string DecodeErrorOf(Format format, const std::vector<uint8_t>& data, const DecodeOptions& options = {});

// Keeps `file` as a seed for the format's fuzz target (fuzz_imageformats_*);
// scripts/fuzz.sh starts from the seeds the tests leave.
void WriteFuzzSeed(Format format, const std::vector<uint8_t>& file);

uint32_t ReadLe32(const std::vector<uint8_t>& data, size_t pos);
uint16_t ReadLe16(const std::vector<uint8_t>& data, size_t pos);

}  // namespace imageformats::testing
