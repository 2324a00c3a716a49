// Any bytes as a whole program file: the trailer, the index, the header and
// the picture records are read, and every item is asked for, through the
// same code the screensaver runs. Damaged containers must raise an error;
// nothing may read outside a buffer or the file.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/random.h"
#include "project/project_errors.h"
#include "project/project_info.h"

namespace {

class MemoryFile final : public project::ProgramFile {
 public:
  MemoryFile(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  int64_t Length() override { return static_cast<int64_t>(size_); }
  int64_t ReadAt(int64_t offset, void* buffer, size_t count) override {
    if (offset < 0) return -1;
    if (static_cast<uint64_t>(offset) >= size_) return 0;
    const size_t n = std::min(count, size_ - static_cast<size_t>(offset));
    std::memcpy(buffer, data_ + offset, n);
    return static_cast<int64_t>(n);
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

class MemoryServices final : public project::ProjectServices {
 public:
  MemoryServices(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  std::unique_ptr<project::ProgramFile> OpenForReading(const std::string& path) override {
    if (path != "program") return nullptr;  // external items are never found
    return std::make_unique<MemoryFile>(data_, size_);
  }
  // A folder that cannot exist: extracting an item must fail cleanly.
  std::string TempFolder() override { return "/nonexistent-fuzz-folder/"; }
  void ShowMessage(const std::string&) override {}
  void ProcessMessages() override {}

 private:
  const uint8_t* data_;
  size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryServices services(data, size);
  base::SeededRandom random(size);
  try {
    project::TProjectInfo info("program", services);
    info.ReadHeader();
    info.ReadPictures(random);
    std::vector<uint8_t> stream;
    int typeCode = 0;
    for (int k = 0; k < static_cast<int>(info.Pictures.size()) && k < 64; ++k) {
      info.GetPictureStream(k, stream, typeCode);
      info.GetPictureFile(k);
    }
    info.GetDialogImageStream(stream, typeCode);
    for (int k = 0; k < static_cast<int>(info.MusicFiles.size()) && k < 64; ++k) info.GetMusicFile(k);
  } catch (const project::ContainerError&) {
  } catch (const project::ConversionError&) {
  }
  return 0;
}
