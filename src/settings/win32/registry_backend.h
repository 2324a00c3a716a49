// The settings store's backend on Windows: keys below HKEY_LOCAL_MACHINE (the
// machine's place) and HKEY_CURRENT_USER (the user's own), in the 32-bit
// registry view, so the 32- and 64-bit builds of one screensaver share their
// settings.
#pragma once

#include "settings/settings_backend.h"

namespace settings {

class RegistrySettingsBackend : public SettingsBackend {
 public:
  // Read access only: a standard user may read HKEY_LOCAL_MACHINE but not
  // open it with full access.
  std::unique_ptr<SettingsKey> OpenForReading(KeyScope scope, const std::string& keyPath) override;
  // Full access, creating the key when missing.
  std::unique_ptr<SettingsKey> OpenForWriting(KeyScope scope, const std::string& keyPath,
                                              KeyFailure& failure) override;
  std::string DisplayName(KeyScope scope, const std::string& keyPath) const override;
};

}  // namespace settings
