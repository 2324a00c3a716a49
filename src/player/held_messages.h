// The project's services for the show, with one difference: messages for the
// user that come up while the show is being set up (a missing music file, a
// clip that cannot be played) wait until the show runs, and those of an item
// being started wait until its timers are set. A message box runs a message
// loop of its own: shown before the window appears it would keep an unattended
// screensaver from ever starting; shown once the show's timers are set the
// pictures go on around it.
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
  // Held while any hold lasts, shown at once otherwise.
  void ShowMessage(const std::string& text) override;
  // Holds nest; the set-up of the show is the first hold.
  void Hold() { ++holds_; }
  // Ends one hold; when none is left the held messages are shown, in order.
  void Release();

 private:
  project::ProjectServices& inner_;
  int holds_ = 1;
  std::vector<std::string> held_;
};

}  // namespace player
