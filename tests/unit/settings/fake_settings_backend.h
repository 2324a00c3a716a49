// An in-memory settings backend, the machine's keys and the user's, that
// records the order of reads and writes and can refuse access the way a
// standard user's registry does.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "settings/settings_backend.h"

namespace settings::testing {

using StoredValue = std::variant<uint32_t, std::string>;
using Key = std::map<std::string, StoredValue>;

class FakeSettingsBackend : public SettingsBackend {
 public:
  std::map<std::string, Key> keys;        // the machine's
  std::map<std::string, Key> userKeys;    // the user's own
  std::vector<std::string> log;          // "read <name>" / "write <name>"
  bool refuseWrite = false;              // the machine's key cannot be opened for writing
  bool refuseUserWrite = false;          // nor the user's
  KeyFailure refusal = KeyFailure::AccessDenied;
  std::set<std::string> unsettable;      // values whose write fails
  int writeOpens = 0;

  std::unique_ptr<SettingsKey> OpenForReading(KeyScope scope, const std::string& keyPath) override {
    auto& place = Keys(scope);
    const auto it = place.find(keyPath);
    if (it == place.end()) return nullptr;
    return std::make_unique<OpenKey>(*this, it->second);
  }

  std::unique_ptr<SettingsKey> OpenForWriting(KeyScope scope, const std::string& keyPath,
                                              KeyFailure& failure) override {
    ++writeOpens;
    if (scope == KeyScope::Machine ? refuseWrite : refuseUserWrite) {
      failure = refusal;
      return nullptr;
    }
    return std::make_unique<OpenKey>(*this, Keys(scope)[keyPath]);
  }

  std::string DisplayName(KeyScope scope, const std::string& keyPath) const override {
    return (scope == KeyScope::Machine ? "HKLM\\" : "HKCU\\") + keyPath;
  }

 private:
  std::map<std::string, Key>& Keys(KeyScope scope) { return scope == KeyScope::Machine ? keys : userKeys; }

  class OpenKey : public SettingsKey {
   public:
    OpenKey(FakeSettingsBackend& owner, Key& key) : owner_(owner), key_(key) {}

    ValueStatus ReadDword(const std::string& name, uint32_t& value) override {
      return Read(name, value);
    }
    ValueStatus ReadString(const std::string& name, std::string& value) override {
      return Read(name, value);
    }
    bool WriteDword(const std::string& name, uint32_t value) override { return Write(name, value); }
    bool WriteString(const std::string& name, const std::string& value) override { return Write(name, value); }

   private:
    template <typename T>
    ValueStatus Read(const std::string& name, T& value) {
      owner_.log.push_back("read " + name);
      const auto it = key_.find(name);
      if (it == key_.end()) return ValueStatus::Missing;
      if (!std::holds_alternative<T>(it->second)) return ValueStatus::WrongType;
      value = std::get<T>(it->second);
      return ValueStatus::Ok;
    }
    template <typename T>
    bool Write(const std::string& name, const T& value) {
      owner_.log.push_back("write " + name);
      if (owner_.unsettable.count(name)) return false;
      key_[name] = value;
      return true;
    }

    FakeSettingsBackend& owner_;
    Key& key_;
  };
};

}  // namespace settings::testing
