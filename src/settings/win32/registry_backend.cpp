#include "settings/win32/registry_backend.h"

#include <windows.h>

#include <vector>

#include "base/win32/utf16.h"

namespace settings {
namespace {

class RegistryKey : public SettingsKey {
 public:
  explicit RegistryKey(HKEY key) : key_(key) {}
  ~RegistryKey() override { RegCloseKey(key_); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  ValueStatus ReadDword(const std::string& name, uint32_t& value) override {
    const std::wstring wideName = base::Utf16FromUtf8(name);
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    const LSTATUS status =
        RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
      if (type != REG_DWORD) return ValueStatus::WrongType;
      if (status != ERROR_SUCCESS || size != sizeof data) return ValueStatus::Missing;
      value = data;
      return ValueStatus::Ok;
    }
    return ValueStatus::Missing;
  }

  ValueStatus ReadString(const std::string& name, std::string& value) override {
    const std::wstring wideName = base::Utf16FromUtf8(name);
    std::vector<wchar_t> buffer(64);
    for (;;) {
      DWORD type = 0;
      DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
      const LSTATUS status =
          RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
      if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return ValueStatus::Missing;
      if (type != REG_SZ && type != REG_EXPAND_SZ) return ValueStatus::WrongType;
      if (status == ERROR_MORE_DATA) {
        buffer.resize(size / sizeof(wchar_t) + 2);
        continue;
      }
      // The stored text need not end with a NUL; it ends at the first one.
      std::wstring_view text(buffer.data(), size / sizeof(wchar_t));
      text = text.substr(0, text.find(L'\0'));
      value = base::Utf8FromUtf16(text);
      return ValueStatus::Ok;
    }
  }

  bool WriteDword(const std::string& name, uint32_t value) override {
    const DWORD data = value;
    return RegSetValueExW(key_, base::Utf16FromUtf8(name).c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
  }

  bool WriteString(const std::string& name, const std::string& value) override {
    const std::wstring text = base::Utf16FromUtf8(value);
    return RegSetValueExW(key_, base::Utf16FromUtf8(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }

 private:
  HKEY key_;
};

HKEY Root(KeyScope scope) { return scope == KeyScope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

}  // namespace

std::unique_ptr<SettingsKey> RegistrySettingsBackend::OpenForReading(KeyScope scope, const std::string& keyPath) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(Root(scope), base::Utf16FromUtf8(keyPath).c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) !=
      ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<RegistryKey>(key);
}

std::unique_ptr<SettingsKey> RegistrySettingsBackend::OpenForWriting(KeyScope scope, const std::string& keyPath,
                                                                     KeyFailure& failure) {
  HKEY key = nullptr;
  const LSTATUS status =
      RegCreateKeyExW(Root(scope), base::Utf16FromUtf8(keyPath).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) {
    failure = status == ERROR_ACCESS_DENIED ? KeyFailure::AccessDenied : KeyFailure::Other;
    return nullptr;
  }
  failure = KeyFailure::None;
  return std::make_unique<RegistryKey>(key);
}

std::string RegistrySettingsBackend::DisplayName(KeyScope scope, const std::string& keyPath) const {
  return (scope == KeyScope::Machine ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") + keyPath;
}

}  // namespace settings
