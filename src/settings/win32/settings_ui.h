// The settings dialogs as the rest of the program calls them. Each one is
// modal over `owner` (null: no owner and no task bar button).
#pragma once

#include <windows.h>

#include <string>

#include "project/project_info.h"

namespace settings {

// The settings dialog of the program at `programPath`: reads its project and
// its settings, lets the user change them and writes them on "OK" or "Save".
void ShowSettingDialog(HWND owner, const std::string& programPath);

// Asks for the password; false on Cancel, Esc or closing the box, otherwise
// `password` receives the text as typed.
bool InputPassword(HWND owner, std::string& password);

void ShowAboutBox(HWND owner, const project::TProjectInfo& project);

}  // namespace settings
