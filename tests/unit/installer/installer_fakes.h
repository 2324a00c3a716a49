// Fakes of the installer's platform: files in memory, a progress bar that
// records its positions, and a shell that records DDE commands and links.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "installer/package_files.h"
#include "installer/program_group.h"

namespace installer_testing {

// Files are byte strings by path. A source may be made up (its bytes a
// pattern, for blocks too large to keep), a read may be made to fail at an
// offset, creating or closing may fail.
class MemoryFiles : public installer::PackageFileSystem {
 public:
  std::map<std::string, std::string> files;
  std::map<std::string, int64_t> virtualLength;  // files whose bytes are made up on reading
  std::map<std::string, int64_t> written;        // bytes written to each file made
  std::set<std::string> countOnly;               // files whose bytes are counted, not kept
  int64_t failReadAt = -1;                       // a read covering this offset fails
  bool failLength = false;
  std::set<std::string> refuseCreate;
  bool failClose = false;
  int pauses = 0;

  static char PatternByte(int64_t offset) { return static_cast<char>((offset * 7 + offset / 251) & 0xFF); }

  std::unique_ptr<installer::SourceFile> OpenForReading(const std::string& path) override {
    if (!files.count(path) && !virtualLength.count(path)) return nullptr;
    return std::make_unique<Source>(*this, path);
  }
  std::unique_ptr<installer::TargetFile> Create(const std::string& path) override {
    if (refuseCreate.count(path)) return nullptr;
    files[path].clear();
    written[path] = 0;
    return std::make_unique<Target>(*this, path);
  }
  bool Exists(const std::string& path) override { return files.count(path) > 0; }
  void Delete(const std::string& path) override {
    files.erase(path);
    written.erase(path);
  }
  void Pause(int) override { ++pauses; }

 private:
  class Source : public installer::SourceFile {
   public:
    Source(MemoryFiles& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
    int64_t Length() override {
      if (owner_.failLength) return -1;
      const auto v = owner_.virtualLength.find(path_);
      return v != owner_.virtualLength.end() ? v->second : static_cast<int64_t>(owner_.files[path_].size());
    }
    int64_t ReadAt(int64_t offset, void* buffer, size_t count) override {
      if (owner_.failReadAt >= offset && owner_.failReadAt < offset + static_cast<int64_t>(count)) return -1;
      const int64_t length = Length();
      if (offset >= length) return 0;
      const auto n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), length - offset));
      auto* out = static_cast<char*>(buffer);
      if (owner_.virtualLength.count(path_)) {
        for (size_t i = 0; i < n; ++i) out[i] = PatternByte(offset + static_cast<int64_t>(i));
      } else {
        std::memcpy(out, owner_.files[path_].data() + offset, n);
      }
      return static_cast<int64_t>(n);
    }

   private:
    MemoryFiles& owner_;
    std::string path_;
  };

  class Target : public installer::TargetFile {
   public:
    Target(MemoryFiles& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
    bool Write(const void* data, size_t count) override {
      // Large copies are only counted, so that they cost no memory.
      if (!owner_.countOnly.count(path_)) owner_.files[path_].append(static_cast<const char*>(data), count);
      owner_.written[path_] += static_cast<int64_t>(count);
      return true;
    }
    bool Close() override { return !owner_.failClose; }

   private:
    MemoryFiles& owner_;
    std::string path_;
  };
};

class RecordingBar : public installer::ProgressBar {
 public:
  std::vector<int> positions;
  void SetPos(int position) override { positions.push_back(position); }
};

// A shell with or without a Program Manager; records what it is told.
class FakeShell : public installer::ProgramGroupShell {
 public:
  bool programManager = true;
  bool windows95 = false;
  bool linksWork = true;
  std::string windowsDirectory = "C:\\WINDOWS";
  std::string commonPrograms = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
  std::vector<std::string> commands;  // sent execute texts
  std::vector<std::string> folders;
  std::vector<std::string> links;     // link file paths
  std::vector<std::string> targets;   // their targets
  std::vector<std::string> calls;     // Connect/Disconnect in order
  bool connected = false;

  bool Connect(std::string_view topic) override {
    calls.push_back("connect " + std::string(topic));
    connected = programManager;
    return connected;
  }
  bool Execute(const std::string& text) override {
    if (!connected || text.empty()) return false;
    commands.push_back(text);
    return true;
  }
  void Disconnect() override {
    calls.push_back("disconnect");
    connected = false;
  }
  bool IsWindows95Family() override { return windows95; }
  std::string WindowsDirectory() override { return windowsDirectory; }
  std::string CommonProgramsFolder() override { return commonPrograms; }
  bool MakeFolder(const std::string& path) override {
    folders.push_back(path);
    return true;
  }
  bool CreateShellLink(const std::string& target, const std::string&, const std::string& linkPath) override {
    if (!linksWork) return false;
    links.push_back(linkPath);
    targets.push_back(target);
    return true;
  }
};

}  // namespace installer_testing
