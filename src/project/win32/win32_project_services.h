// The project's platform services on Windows: the program file read through
// the Win32 file API with shared reading, the system temporary folder, and
// message boxes.
#pragma once

#include "project/program_file.h"

namespace project {

class Win32ProjectServices : public ProjectServices {
 public:
  std::unique_ptr<ProgramFile> OpenForReading(const std::string& path) override;
  std::string TempFolder() override;
  void ShowMessage(const std::string& text) override;
  void ProcessMessages() override;
};

}  // namespace project
