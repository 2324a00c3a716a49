// The place where the end user's settings are kept: one key holding named
// DWORD and string values, in two places. The Windows build keeps them in the
// registry; the tests use maps in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace settings {

// A value that could not be read or written; the message names the value.
class SettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class ValueStatus { Ok, Missing, WrongType };

// Why a key could not be opened.
enum class KeyFailure { None, NotFound, AccessDenied, Other };

// Where a key lives: the machine's place, shared by every user (installers
// and earlier versions keep the settings there), or the user's own.
enum class KeyScope { Machine, User };

// One open key. Strings are UTF-8.
class SettingsKey {
 public:
  virtual ~SettingsKey() = default;
  virtual ValueStatus ReadDword(const std::string& name, uint32_t& value) = 0;
  virtual ValueStatus ReadString(const std::string& name, std::string& value) = 0;
  virtual bool WriteDword(const std::string& name, uint32_t value) = 0;
  virtual bool WriteString(const std::string& name, const std::string& value) = 0;
};

class SettingsBackend {
 public:
  virtual ~SettingsBackend() = default;
  // Opens an existing key for reading only; null when it is missing or cannot
  // be opened.
  virtual std::unique_ptr<SettingsKey> OpenForReading(KeyScope scope, const std::string& keyPath) = 0;
  // Opens the key for writing, creating it and the keys above it when missing;
  // null with the reason in `failure` when that is refused.
  virtual std::unique_ptr<SettingsKey> OpenForWriting(KeyScope scope, const std::string& keyPath,
                                                      KeyFailure& failure) = 0;
  // How the key is named to the user in a message ("HKEY_LOCAL_MACHINE\...").
  virtual std::string DisplayName(KeyScope scope, const std::string& keyPath) const = 0;
};

}  // namespace settings
