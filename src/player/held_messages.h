// The project's services for the show, with one difference: messages for the
// user that come up while the show is being set up (a missing music file, a
// clip that cannot be played) wait until the show runs. A message box before
// the window appears would keep an unattended screensaver from ever starting;
// shown over the running show it lets the pictures go on around it.
#pragma once

#include <string>
#include <vector>

#include "project/program_file.h"

namespace player {

class HeldMessages final : public project::ProjectServices {
 public:
  explicit HeldMessages(project::ProjectServices& inner) : inner_(inner) {}

  std::unique_ptr<project::ProgramFile> OpenForReading(const std::string& path) override {
    return inner_.OpenForReading(path);
  }
  std::string TempFolder() override { return inner_.TempFolder(); }
  void ProcessMessages() override { inner_.ProcessMessages(); }
  // Held until Release, shown at once afterwards.
  void ShowMessage(const std::string& text) override;
  // The show runs: the held messages are shown, in order.
  void Release();

 private:
  project::ProjectServices& inner_;
  bool holding_ = true;
  std::vector<std::string> held_;
};

}  // namespace player
