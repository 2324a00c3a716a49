// Builds program files with a project container byte by byte, the way the
// authoring side lays them out, for the container and header tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/paths.h"
#include "project/program_file.h"

namespace testing_support {

inline std::string Record(char tag, const std::string& value) { return std::string(1, tag) + value + '\x80'; }

// A file: `programImage` bytes, then items, then the three blocks and a trailer.
struct ContainerBytes {
  std::string bytes = "MZ-program-image";
  std::vector<int32_t> itemOffsets;
  std::vector<int32_t> musicOffsets;

  int32_t AddItem(const std::string& data) {
    const auto at = static_cast<int32_t>(bytes.size());
    bytes += data;
    return at;
  }

  // Appends the picture records, the header and the index, and the trailer
  // (`trailer` overrides the 10-byte length text).
  std::string Finish(const std::string& pictureBlock, const std::string& headerBlock,
                     const std::string& extraIndex = "", const std::string& trailer = "") {
    const auto pictures = static_cast<int32_t>(bytes.size());
    bytes += pictureBlock;
    const auto header = static_cast<int32_t>(bytes.size());
    bytes += headerBlock;
    std::string index;
    for (int32_t o : itemOffsets) index += Record('1', std::to_string(o));
    for (int32_t o : musicOffsets) index += Record('4', std::to_string(o));
    index += Record('5', std::to_string(pictures)) + Record('6', std::to_string(header)) + extraIndex;
    bytes += index;
    std::string length = trailer.empty() ? std::to_string(index.size()) : trailer;
    length.resize(10, ' ');
    bytes += length;
    return bytes;
  }
};

// Test services: files on disk, a temporary folder of the test's own, and the
// messages recorded instead of shown.
class RecordingServices : public project::StdProjectServices {
 public:
  explicit RecordingServices(std::string tempFolder) : temp_(std::move(tempFolder)) {}
  std::string TempFolder() override { return temp_; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;

 private:
  std::string temp_;
};

inline std::string ScratchFolder(const std::string& name) {
  const auto folder = std::filesystem::path(SLIDESHOW_TEST_TMP) / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return base::Utf8FromPath(folder) + "/";
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(base::PathFromUtf8(path), std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(base::PathFromUtf8(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace testing_support
