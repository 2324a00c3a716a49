// The registry work of setup and uninstall. Uninstall entries and settings
// are kept in the 32-bit registry view in both builds, so a 32-bit and a
// 64-bit setup or uninstaller see the same entries.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "installer/uninstall_entry.h"
#include "installer/uninstaller.h"

namespace installer::win32 {

// Creates or opens the entry's key below HKEY_LOCAL_MACHINE and writes its
// values; false when the key or a value cannot be written.
bool WriteUninstallEntry(const UninstallEntry& entry);

std::vector<RegisteredUninstall> ReadUninstallEntries();
bool DeleteUninstallEntry(const std::string& keyName);

RemoveResult DeleteKeyTree(HKEY root, const std::string& keyPath);
void DeleteKeyIfEmpty(HKEY root, const std::string& keyPath);

}  // namespace installer::win32
