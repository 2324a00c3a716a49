#include "settings/rw_setting.h"

#include <array>
#include <variant>

#include "base/ascii.h"
#include "project/transition_numbers.h"

namespace settings {
namespace {

using Field = std::variant<bool TRWSetting::*, int32_t TRWSetting::*, std::string TRWSetting::*>;

struct StoredValue {
  const char* name;
  Field field;
};

// Every value of the key, in the order in which it is read and written.
const std::array<StoredValue, 18> kStoredValues = {{
    {"Enabled password", &TRWSetting::EnabledPassword},
    {"Pwd", &TRWSetting::Password},
    {"Mouse Sensitivity", &TRWSetting::MouseSensitivity},
    {"Mouse Move", &TRWSetting::MouseMove},
    {"Mouse Left Click", &TRWSetting::MouseLeftClick},
    {"Mouse Right Click", &TRWSetting::MouseRightClick},
    {"Mouse Double Click", &TRWSetting::MouseDoubleClick},
    {"Esc Key", &TRWSetting::EscKey},
    {"Enter Key", &TRWSetting::EnterKey},
    {"Specified Key", &TRWSetting::SpecifiedKey},
    {"Key Value", &TRWSetting::KeyValue},
    {"Enabled Music", &TRWSetting::EnabledMusic},
    {"Use Max Run Time", &TRWSetting::UseMaxRunTime},
    {"Max Run Time", &TRWSetting::MaxRunTime},
    {"transition", &TRWSetting::Transition},
    {"random transition", &TRWSetting::RandomTransition},
    {"transition speed", &TRWSetting::TransitionSpeed},
    {"newtransition", &TRWSetting::NewTransition},
}};

uint32_t ReadDwordOrThrow(SettingsKey& key, const char* name) {
  uint32_t value = 0;
  switch (key.ReadDword(name, value)) {
    case ValueStatus::Ok: return value;
    case ValueStatus::Missing: throw SettingsError(base::FormatMessage("Failed to get data for '%s'", name));
    case ValueStatus::WrongType: break;
  }
  throw SettingsError(base::FormatMessage("Invalid data type for '%s'", name));
}

std::string ReadStringOrThrow(SettingsKey& key, const char* name) {
  std::string value;
  switch (key.ReadString(name, value)) {
    case ValueStatus::Ok: return value;
    case ValueStatus::Missing: return {};
    case ValueStatus::WrongType: break;
  }
  throw SettingsError(base::FormatMessage("Invalid data type for '%s'", name));
}

}  // namespace

std::string KeyPathForProject(std::string_view projectName) {
  const auto dot = projectName.find_last_of(".\\:");
  if (dot != std::string_view::npos && projectName[dot] == '.') projectName = projectName.substr(0, dot);
  return std::string(kKeyRoot) + std::string(projectName);
}

TRWSetting::TRWSetting(std::string_view projectName, SettingsBackend& backend)
    : KeyPath(KeyPathForProject(projectName)), backend_(backend) {}

bool TRWSetting::ReadSetting() {
  auto key = backend_.OpenForReading(KeyScope::User, KeyPath);
  if (!key) key = backend_.OpenForReading(KeyScope::Machine, KeyPath);
  if (!key) return false;
  ReadValues(*key);
  return true;
}

void TRWSetting::ReadValues(SettingsKey& key) {
  for (const StoredValue& value : kStoredValues) {
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(this->*member)>;
          if constexpr (std::is_same_v<T, std::string>)
            this->*member = ReadStringOrThrow(key, value.name);
          else if constexpr (std::is_same_v<T, bool>)
            this->*member = ReadDwordOrThrow(key, value.name) != 0;
          else
            this->*member = static_cast<int32_t>(ReadDwordOrThrow(key, value.name));
        },
        value.field);
  }
}

bool TRWSetting::WriteSetting() {
  lastWriteFailure_ = KeyFailure::None;
  KeyFailure machineFailure = KeyFailure::None;
  const auto machine = backend_.OpenForWriting(KeyScope::Machine, KeyPath, machineFailure);
  if (machine) WriteValues(*machine);
  // The user's own key is read first, so it must carry every change too.
  const bool userHasKey = backend_.OpenForReading(KeyScope::User, KeyPath) != nullptr;
  if (machine && !userHasKey) return true;
  KeyFailure userFailure = KeyFailure::None;
  const auto user = backend_.OpenForWriting(KeyScope::User, KeyPath, userFailure);
  if (!user) {
    if (machine) return true;
    lastWriteFailure_ = machineFailure == KeyFailure::None ? KeyFailure::Other : machineFailure;
    return false;
  }
  WriteValues(*user);
  return true;
}

void TRWSetting::WriteValues(SettingsKey& key) {
  for (const StoredValue& value : kStoredValues) {
    const bool written = std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(this->*member)>;
          if constexpr (std::is_same_v<T, std::string>)
            return key.WriteString(value.name, this->*member);
          else
            return key.WriteDword(value.name, static_cast<uint32_t>(this->*member));
        },
        value.field);
    if (!written) throw SettingsError(base::FormatMessage("Failed to set data for '%s'", value.name));
  }
}

}  // namespace settings
