// TRWSetting: the end user's settings of one screensaver, kept in one key per
// project name below "Software\Halberline". The key has two places: the
// machine's, which every user shares, and the user's own, which a user who may
// not change the machine's gets. The settings dialog writes them; the show
// only reads them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "project/transition_numbers.h"
#include "settings/settings_backend.h"

namespace settings {

inline constexpr std::string_view kKeyRoot = "Software\\Halberline\\";

// kKeyRoot + the project name without its extension: the text from the last
// "." after the last "\" or ":" onwards is cut off.
std::string KeyPathForProject(std::string_view projectName);

class TRWSetting {
 public:
  // Sets KeyPath and the defaults; touches nothing outside the object.
  TRWSetting(std::string_view projectName, SettingsBackend& backend);

  // Reads all values, in their fixed order, into the fields: from the user's
  // own key when it exists, else from the machine's. False (fields unchanged)
  // when neither exists or can be opened. A missing string reads as empty; a
  // missing DWORD or a value of another type throws SettingsError, leaving the
  // values read before it in place.
  bool ReadSetting();
  // Writes all values, creating the key when missing: into the machine's key
  // when this account may, and into the user's own key when the machine's is
  // refused or the user has one (it is read first). False (nothing written)
  // when neither can be opened nor created, with the machine key's reason in
  // LastWriteFailure(); a value that cannot be set throws SettingsError.
  bool WriteSetting();
  KeyFailure LastWriteFailure() const { return lastWriteFailure_; }
  // The key as the user would look for it, for messages.
  std::string KeyDisplayName(KeyScope scope) const { return backend_.DisplayName(scope, KeyPath); }

  std::string KeyPath;
  bool EnabledPassword = false;
  std::string Password;
  int32_t MouseSensitivity = 5;
  bool MouseMove = true;
  bool MouseLeftClick = false;
  bool MouseRightClick = true;
  bool MouseDoubleClick = true;
  bool EscKey = true;
  bool EnterKey = true;
  bool SpecifiedKey = false;
  std::string KeyValue = "A";
  bool EnabledMusic = true;
  bool UseMaxRunTime = false;
  int32_t MaxRunTime = 60;
  bool NewTransition = false;
  std::string Transition = project::AllTransitionsList();
  bool RandomTransition = true;
  int32_t TransitionSpeed = 25;

 private:
  void ReadValues(SettingsKey& key);
  void WriteValues(SettingsKey& key);

  SettingsBackend& backend_;
  KeyFailure lastWriteFailure_ = KeyFailure::None;
};

}  // namespace settings
