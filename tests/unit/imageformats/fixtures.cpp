#include "fixtures.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace imageformats::testing {

using raster::MakePixel;
using raster::Pixel;

namespace {

KnownImage Make(int w, int h, Pixel (*colour)(int, int)) {
  KnownImage image{w, h, {}};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.pixels.push_back(colour(x, y));
  return image;
}

// A file name for the running test: ctest runs tests as parallel processes.
std::string TestStem() {
  static int counter = 0;
  std::string stem = "fixture";
  if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
    stem = std::string(test->test_suite_name()) + "_" + test->name();
  std::replace_if(stem.begin(), stem.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  return stem + "_" + std::to_string(++counter);
}

// A P7 file of 8-bit RGB_ALPHA samples.
KnownImage ParsePam(const std::vector<uint8_t>& pam) {
  KnownImage image;
  const std::string text(pam.begin(), pam.end());
  const auto end = text.find("ENDHDR\n");
  if (text.rfind("P7\n", 0) != 0 || end == std::string::npos) return image;
  std::istringstream header(text.substr(3, end - 3));
  std::string key;
  int depth = 0;
  while (header >> key) {
    if (key == "WIDTH") header >> image.width;
    else if (key == "HEIGHT") header >> image.height;
    else if (key == "DEPTH") header >> depth;
    else header.ignore(1000, '\n');
  }
  const size_t start = end + 7;
  if (depth != 4 || pam.size() < start + size_t(image.width) * image.height * 4) return KnownImage{};
  for (size_t i = start; i < start + size_t(image.width) * image.height * 4; i += 4)
    image.pixels.push_back(MakePixel(pam[i], pam[i + 1], pam[i + 2], pam[i + 3]));
  return image;
}

}  // namespace

KnownImage ManyColours() {
  return Make(7, 5, [](int x, int y) {
    return MakePixel(static_cast<uint8_t>(30 * x + 10), static_cast<uint8_t>(50 * y + 5),
                     static_cast<uint8_t>((x * y * 37 + 100) % 256));
  });
}

KnownImage FewColours() {
  return Make(7, 5, [](int x, int y) {
    static constexpr Pixel kTable[12] = {
        MakePixel(255, 0, 0),   MakePixel(0, 255, 0),   MakePixel(0, 0, 255),   MakePixel(255, 255, 0),
        MakePixel(0, 255, 255), MakePixel(255, 0, 255), MakePixel(128, 64, 32), MakePixel(32, 64, 128),
        MakePixel(0, 0, 0),     MakePixel(255, 255, 255), MakePixel(200, 100, 50), MakePixel(50, 200, 100)};
    return kTable[(x + 7 * y) % 12];
  });
}

KnownImage TwoColours() {
  return Make(7, 5, [](int x, int y) {
    return (x * 3 + y) % 4 < 2 ? MakePixel(0, 0, 0) : MakePixel(255, 255, 255);
  });
}

KnownImage GreyLevels() {
  return Make(7, 5, [](int x, int y) {
    const auto v = static_cast<uint8_t>(7 * y * 7 + x * 7 + 3);
    return MakePixel(v, v, v);
  });
}

KnownImage WithAlpha(KnownImage image, bool binary) {
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const auto a = binary ? static_cast<uint8_t>(i % 3 == 0 ? 0 : 255) : static_cast<uint8_t>((i * 53 + 17) % 256);
    image.pixels[i] = (image.pixels[i] & 0x00FFFFFFu) | (uint32_t{a} << 24);
  }
  return image;
}

KnownImage Gradient(int width, int height) {
  KnownImage image{width, height, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.pixels.push_back(MakePixel(static_cast<uint8_t>(x * 255 / width), static_cast<uint8_t>(y * 255 / height),
                                       static_cast<uint8_t>(128)));
  return image;
}

std::string ScratchPath(const std::string& name) {
  std::filesystem::create_directories(SLIDESHOW_TEST_TMP);
  return std::string(SLIDESHOW_TEST_TMP) + "/" + name;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> Convert(const KnownImage& image, const std::string& options, const std::string& outputSpec) {
  const std::string stem = TestStem();
  const bool opaque = std::all_of(image.pixels.begin(), image.pixels.end(),
                                  [](Pixel p) { return raster::PixelA(p) == 0xFF; });
  const std::string input = ScratchPath(stem + (opaque ? ".ppm" : ".pam"));
  {
    std::ofstream out(input, std::ios::binary);
    if (opaque) out << "P6\n" << image.width << " " << image.height << "\n255\n";
    else out << "P7\nWIDTH " << image.width << "\nHEIGHT " << image.height
        << "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    for (Pixel p : image.pixels) {
      const char px[4] = {static_cast<char>(raster::PixelR(p)), static_cast<char>(raster::PixelG(p)),
                          static_cast<char>(raster::PixelB(p)), static_cast<char>(raster::PixelA(p))};
      out.write(px, opaque ? 3 : 4);
    }
  }
  // outputSpec is "FORMAT:name" or "name"; the file lands in the scratch folder.
  const auto colon = outputSpec.find(':');
  const std::string prefix = colon == std::string::npos ? "" : outputSpec.substr(0, colon + 1);
  const std::string output = ScratchPath(stem + "_" + outputSpec.substr(colon + 1));
  const std::string command = "/usr/bin/convert '" + input + "' " + options + " '" + prefix + output + "' 2>&1";
  std::remove(output.c_str());
  if (std::system(command.c_str()) != 0) ADD_FAILURE() << "convert failed: " << command;
  auto bytes = ReadBytes(output);
  if (bytes.empty()) ADD_FAILURE() << "convert wrote nothing: " << command;
  return bytes;
}

::testing::AssertionResult SamePixels(const raster::Bitmap& bitmap, const KnownImage& expected, int tolerance,
                                      bool alpha) {
  if (bitmap.Width() != expected.width || bitmap.Height() != expected.height)
    return ::testing::AssertionFailure() << "size " << bitmap.Width() << "x" << bitmap.Height() << ", expected "
                                         << expected.width << "x" << expected.height;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      const Pixel got = bitmap.At(x, y);
      const Pixel want = expected.At(x, y);
      const auto near = [&](int shift) {
        return std::abs(static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF)) <=
               tolerance;
      };
      const bool alphaOk = alpha ? raster::PixelA(got) == raster::PixelA(want) : raster::PixelA(got) == 0xFF;
      // Fully transparent pixels carry no colour worth comparing.
      const bool colourMatters = !alpha || raster::PixelA(want) != 0;
      if (!alphaOk || (colourMatters && !(near(0) && near(8) && near(16)))) {
        std::ostringstream s;
        s << std::hex << "pixel (" << std::dec << x << "," << y << ") is 0x" << std::hex << got << ", expected 0x"
          << want;
        return ::testing::AssertionFailure() << s.str();
      }
    }
  }
  return ::testing::AssertionSuccess();
}


KnownImage ImageMagickPixels(const std::vector<uint8_t>& file, const std::string& format) {
  const std::string input = ScratchPath(TestStem() + "_in");
  WriteBytes(input, file);
  return ImageMagickPixelsOfFile(input, format);
}

KnownImage ImageMagickPixelsOfFile(const std::string& path, const std::string& format, const std::string& options) {
  const std::string output = ScratchPath(TestStem() + "_out.pam");
  std::remove(output.c_str());
  const std::string command = "/usr/bin/convert '" + format + ":" + path + "[0]' " + options +
                              " -colorspace sRGB -alpha set -type TrueColorAlpha -depth 8 'PAM:" + output + "' 2>&1";
  if (std::system(command.c_str()) != 0) ADD_FAILURE() << "convert failed: " << command;
  KnownImage image = ParsePam(ReadBytes(output));
  if (image.pixels.empty()) ADD_FAILURE() << "no picture from: " << command;
  return image;
}

::testing::AssertionResult DecodesOrFails(Format format, const std::vector<uint8_t>& data,
                                          const DecodeOptions& options) {
  DecodeOptions limited = options;
  limited.maxPixels = std::min<int64_t>(options.maxPixels, 1 << 20);
  try {
    Decode(format, data, limited);
  } catch (const DecodeError& e) {
    const std::string prefix = std::string(FormatName(format)) + ": ";
    if (std::string(e.what()).rfind(prefix, 0) != 0)
      return ::testing::AssertionFailure() << "message without the format: " << e.what();
  } catch (const std::exception& e) {
    return ::testing::AssertionFailure() << "not a DecodeError: " << e.what();
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult TruncationsFailOrMatch(Format format, const std::vector<uint8_t>& file,
                                                  const DecodeOptions& options) {
  const raster::Bitmap whole = Decode(format, file, options);
  const std::string prefix = std::string(FormatName(format)) + ": ";
  for (size_t n = 0; n < file.size(); ++n) {
    // A copy of exactly n bytes, so that reading past it is caught.
    const std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
    try {
      const raster::Bitmap part = Decode(format, cut, options);
      bool same = part.Width() == whole.Width() && part.Height() == whole.Height();
      for (int y = 0; same && y < part.Height(); ++y)
        same = std::equal(part.Row(y), part.Row(y) + part.Width(), whole.Row(y));
      if (!same) return ::testing::AssertionFailure() << "length " << n << " decodes to another picture";
    } catch (const DecodeError& e) {
      if (std::string(e.what()).rfind(prefix, 0) != 0)
        return ::testing::AssertionFailure() << "length " << n << ": message without the format: " << e.what();
    }
  }
  return ::testing::AssertionSuccess();
}

std::string DecodeErrorOf(Format format, const std::vector<uint8_t>& data, const DecodeOptions& options) {
  try {
    Decode(format, data, options);
  } catch (const DecodeError& e) {
    return e.what();
  }
  return "no error";
}

void WriteFuzzSeed(Format format, const std::vector<uint8_t>& file) {
  static constexpr std::pair<Format, const char*> kTargets[] = {
      {Format::Bmp, "bmp"},   {Format::Jpeg, "jpeg"},         {Format::Png, "png"},       {Format::Gif, "gif"},
      {Format::Sgi, "sgi"},   {Format::Autodesk, "autodesk"}, {Format::Tiff, "tiff"},     {Format::Targa, "targa"},
      {Format::Pcx, "pcx"},   {Format::PhotoCd, "photocd"},   {Format::Pnm, "pnm"},       {Format::Cut, "cut"},
      {Format::Rla, "rla"},   {Format::Psd, "psd"},           {Format::Psp, "psp"},
  };
  for (const auto& [f, name] : kTargets)
    if (f == format) WriteBytes(std::string(SLIDESHOW_FUZZ_SEEDS) + "/fuzz_imageformats_" + name + "/" + TestStem(), file);
}

uint32_t ReadLe32(const std::vector<uint8_t>& d, size_t pos) {
  return uint32_t{d.at(pos)} | (uint32_t{d.at(pos + 1)} << 8) | (uint32_t{d.at(pos + 2)} << 16) |
         (uint32_t{d.at(pos + 3)} << 24);
}

uint16_t ReadLe16(const std::vector<uint8_t>& d, size_t pos) {
  return static_cast<uint16_t>(d.at(pos) | (d.at(pos + 1) << 8));
}

}  // namespace imageformats::testing
