// The project's services for the show, with one difference: messages for the
// user that come up while the show is being set up (a missing music file, a
// clip that cannot be played) wait until the show runs, and those of an item
// being started wait until its timers are set. A message box runs a message
// loop of its own: shown before the window appears it would keep an unattended
// screensaver from ever starting; shown once the show's timers are set the
// pictures go on around it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "project/program_file.h"

namespace player {

class HeldMessages final : public project::ProjectServices {
 public:
  // Runs one message box; the show counts it among its dialogs.
  using ModalRunner = std::function<void(const std::function<void()>&)>;

  // Without `modal` each box is simply shown.
  explicit HeldMessages(project::ProjectServices& inner, ModalRunner modal = {})
      : inner_(inner), modal_(std::move(modal)) {}

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
  void Show(const std::string& text);

  project::ProjectServices& inner_;
  ModalRunner modal_;
  int holds_ = 1;
  std::vector<std::string> held_;
};

}  // namespace player
