#include "project/program_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "base/paths.h"

namespace project {
namespace {

class StdProgramFile final : public ProgramFile {
 public:
  explicit StdProgramFile(std::ifstream stream) : stream_(std::move(stream)) {}

  int64_t Length() override {
    stream_.clear();
    stream_.seekg(0, std::ios::end);
    const auto end = stream_.tellg();
    return end < 0 ? -1 : static_cast<int64_t>(end);
  }

  int64_t ReadAt(int64_t offset, void* buffer, size_t count) override {
    if (offset < 0) return -1;
    stream_.clear();
    stream_.seekg(offset, std::ios::beg);
    if (!stream_) return -1;
    stream_.read(static_cast<char*>(buffer), static_cast<std::streamsize>(count));
    if (stream_.bad()) return -1;
    return static_cast<int64_t>(stream_.gcount());
  }

 private:
  std::ifstream stream_;
};

}  // namespace

std::unique_ptr<ProgramFile> StdProjectServices::OpenForReading(const std::string& path) {
  if (!base::FileExists(path)) return nullptr;
  std::ifstream stream(base::PathFromUtf8(path), std::ios::binary);
  if (!stream) return nullptr;
  return std::make_unique<StdProgramFile>(std::move(stream));
}

std::string StdProjectServices::TempFolder() {
  std::error_code ec;
  std::string text = base::Utf8FromPath(std::filesystem::temp_directory_path(ec));
  if (text.empty()) text = ".";
  if (text.back() != '/' && text.back() != '\\') text += std::filesystem::path::preferred_separator;
  return text;
}

void StdProjectServices::ShowMessage(const std::string& text) { std::cerr << text << '\n'; }

}  // namespace project
