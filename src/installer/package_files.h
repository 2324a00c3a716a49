// What CPackage needs from the platform: the package file to read, the files
// it writes, the short pause after each chunk and the progress bar it drives.
// The Windows layer and the tests each provide an implementation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace installer {

// A file opened for reading while others may read it too.
class SourceFile {
 public:
  virtual ~SourceFile() = default;
  // The length in bytes, or -1 when it cannot be obtained.
  virtual int64_t Length() = 0;
  // Reads up to `count` bytes at `offset`; the number read (fewer at the end
  // of the file), or -1 on a read error.
  virtual int64_t ReadAt(int64_t offset, void* buffer, size_t count) = 0;
};

// A new file, replacing any file of the same name.
class TargetFile {
 public:
  virtual ~TargetFile() = default;
  virtual bool Write(const void* data, size_t count) = 0;
  // Flushes and closes; false when the data did not all reach the file.
  virtual bool Close() = 0;
};

class PackageFileSystem {
 public:
  virtual ~PackageFileSystem() = default;
  // Null when the file cannot be opened.
  virtual std::unique_ptr<SourceFile> OpenForReading(const std::string& path) = 0;
  // Null when the file cannot be created.
  virtual std::unique_ptr<TargetFile> Create(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  virtual void Delete(const std::string& path) = 0;
  // Lets the rest of the system breathe between chunks.
  virtual void Pause(int milliseconds) = 0;
};

class ProgressBar {
 public:
  virtual ~ProgressBar() = default;
  // A position in 0..100.
  virtual void SetPos(int position) = 0;
};

}  // namespace installer
