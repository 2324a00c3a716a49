#include "installer/win32/uninstall_registry.h"

#include <variant>

#include "base/win32/utf16.h"

namespace installer::win32 {
namespace {

constexpr REGSAM kView = KEY_WOW64_32KEY;

class Key {
 public:
  Key() = default;
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool SetValue(HKEY key, const RegistryValue& value) {
  const std::wstring name = base::Utf16FromUtf8(value.name);
  if (const auto* text = std::get_if<std::string>(&value.data)) {
    const std::wstring wide = base::Utf16FromUtf8(*text);
    // The terminating zero is counted in the length.
    return RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }
  const DWORD number = std::get<uint32_t>(value.data);
  return RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number) ==
         ERROR_SUCCESS;
}

std::string ReadString(HKEY key, const wchar_t* name) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return {};
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
    return {};
  text.resize(wcsnlen(text.c_str(), text.size()));
  return base::Utf8FromUtf16(text);
}

}  // namespace

bool WriteUninstallEntry(const UninstallEntry& entry) {
  Key key;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, base::Utf16FromUtf8(entry.keyPath).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS | kView, nullptr, key.out(), nullptr) != ERROR_SUCCESS)
    return false;
  for (const RegistryValue& value : entry.values)
    if (!SetValue(key.get(), value)) return false;
  return true;
}

std::vector<RegisteredUninstall> ReadUninstallEntries() {
  std::vector<RegisteredUninstall> entries;
  Key root;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, base::Utf16FromUtf8(kUninstallKeyRoot).c_str(), 0, KEY_READ | kView,
                    root.out()) != ERROR_SUCCESS)
    return entries;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD length = 256;
    const LONG status = RegEnumKeyExW(root.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;
    Key entry;
    if (RegOpenKeyExW(root.get(), name, 0, KEY_READ | kView, entry.out()) != ERROR_SUCCESS) continue;
    entries.push_back({base::Utf8FromUtf16(std::wstring_view(name, length)), ReadString(entry.get(), L"UninstallString")});
  }
  return entries;
}

bool DeleteUninstallEntry(const std::string& keyName) {
  return DeleteKeyTree(HKEY_LOCAL_MACHINE, std::string(kUninstallKeyRoot) + keyName) == RemoveResult::Removed;
}

RemoveResult DeleteKeyTree(HKEY root, const std::string& keyPath) {
  const std::wstring path = base::Utf16FromUtf8(keyPath);
  {
    Key key;
    const LONG opened = RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS | kView, key.out());
    if (opened == ERROR_FILE_NOT_FOUND) return RemoveResult::Absent;
    if (opened != ERROR_SUCCESS || RegDeleteTreeW(key.get(), nullptr) != ERROR_SUCCESS) return RemoveResult::Failed;
  }
  return RegDeleteKeyExW(root, path.c_str(), kView, 0) == ERROR_SUCCESS ? RemoveResult::Removed : RemoveResult::Failed;
}

void DeleteKeyIfEmpty(HKEY root, const std::string& keyPath) {
  const std::wstring path = base::Utf16FromUtf8(keyPath);
  DWORD subKeys = 1, values = 1;
  {
    Key key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | kView, key.out()) != ERROR_SUCCESS) return;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
      return;
  }
  if (subKeys == 0 && values == 0) RegDeleteKeyExW(root, path.c_str(), kView, 0);
}

}  // namespace installer::win32
