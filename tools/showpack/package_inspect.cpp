#include "package_inspect.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <unistd.h>

#include "base/paths.h"
#include "inspect.h"
#include "installer/package.h"

namespace showpack {
namespace {

// The installer's file services over the C++ library.
class StdFiles : public installer::PackageFileSystem {
 public:
  std::unique_ptr<installer::SourceFile> OpenForReading(const std::string& path) override {
    auto file = std::make_unique<Source>(path);
    return file->stream ? std::move(file) : nullptr;
  }
  std::unique_ptr<installer::TargetFile> Create(const std::string& path) override {
    auto file = std::make_unique<Target>(path);
    return file->stream ? std::move(file) : nullptr;
  }
  bool Exists(const std::string& path) override { return base::FileExists(path); }
  void Delete(const std::string& path) override { base::DeleteFileQuietly(path); }
  void Pause(int) override {}

 private:
  struct Source : installer::SourceFile {
    explicit Source(const std::string& path) : stream(base::PathFromUtf8(path), std::ios::binary) {}
    int64_t Length() override {
      stream.clear();
      stream.seekg(0, std::ios::end);
      return stream ? static_cast<int64_t>(stream.tellg()) : -1;
    }
    int64_t ReadAt(int64_t offset, void* buffer, size_t count) override {
      stream.clear();
      stream.seekg(offset);
      stream.read(static_cast<char*>(buffer), static_cast<std::streamsize>(count));
      return stream.bad() ? -1 : static_cast<int64_t>(stream.gcount());
    }
    std::ifstream stream;
  };
  struct Target : installer::TargetFile {
    explicit Target(const std::string& path) : stream(base::PathFromUtf8(path), std::ios::binary | std::ios::trunc) {}
    bool Write(const void* data, size_t count) override {
      stream.write(static_cast<const char*>(data), static_cast<std::streamsize>(count));
      return static_cast<bool>(stream);
    }
    bool Close() override {
      stream.close();
      return static_cast<bool>(stream);
    }
    std::ofstream stream;
  };
};

}  // namespace

void InspectFile(const std::string& path, std::ostream& out) {
  StdFiles files;
  installer::CPackage package(files);
  if (!package.ReadPackageIndex(path)) {
    // An index with an uninstaller offset is a package's (a show's index has
    // no such record): report its fault rather than read it as a show.
    if (package.UninstallerOffset != 0 && !package.ReadError().empty()) throw std::runtime_error(package.ReadError());
    InspectScreensaver(path, out);
    return;
  }
  out << "[package]\n"
      << "ProgramOffset: " << package.ProgramOffset << '\n'
      << "UninstallerOffset: " << package.UninstallerOffset << '\n'
      << "ProgramName: \"" << package.ProgramName << "\"\n"
      << "IsProgramExe: " << package.IsProgramExe << '\n'
      << "IndexStart: " << package.IndexStart << '\n'
      << "ProgramSize: " << package.ProgramSize << '\n'
      << "UninstallerSize: " << package.UninstallerSize << "\n\n";

  const auto temp = std::filesystem::temp_directory_path() / ("showpack-inspect-" + std::to_string(getpid()) + ".scr");
  const std::string program = base::Utf8FromPath(temp);
  if (!package.CopyBlock(path, program, 0, 0, package.ProgramOffset, package.ProgramSize))
    throw std::runtime_error("cannot read the program block of " + path);
  try {
    InspectScreensaver(program, out);
  } catch (...) {
    base::DeleteFileQuietly(program);
    throw;
  }
  base::DeleteFileQuietly(program);
}

}  // namespace showpack
