// The services a project needs from the platform: reading its program file,
// the temporary folder, and telling the user about a missing file. The Windows
// layer and the native tests each provide an implementation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace project {

// A file opened for reading while others may read it too.
class ProgramFile {
 public:
  virtual ~ProgramFile() = default;
  // The file's length in bytes, or -1 when it cannot be read.
  virtual int64_t Length() = 0;
  // Reads up to `count` bytes at `offset`; returns the number read, or -1 on a
  // read error. Fewer bytes than asked mean the file ends there.
  virtual int64_t ReadAt(int64_t offset, void* buffer, size_t count) = 0;
};

class ProjectServices {
 public:
  virtual ~ProjectServices() = default;
  // Opens an existing file for shared reading; null when it cannot be opened.
  virtual std::unique_ptr<ProgramFile> OpenForReading(const std::string& path) = 0;
  // The system temporary folder, ending with a path separator.
  virtual std::string TempFolder() = 0;
  // A message box with an OK button (missing external files).
  virtual void ShowMessage(const std::string& text) = 0;
  // Lets the user interface handle its pending messages once.
  virtual void ProcessMessages() = 0;
};

// Plain file services of the C++ library: the native build's implementation, and
// the base of the Windows one.
class StdProjectServices : public ProjectServices {
 public:
  std::unique_ptr<ProgramFile> OpenForReading(const std::string& path) override;
  std::string TempFolder() override;
  void ShowMessage(const std::string& text) override;
  void ProcessMessages() override {}
};

}  // namespace project
