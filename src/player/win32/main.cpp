// Program entry of the screensaver: one process a start, held to a single copy
// of any built screensaver by a named mutex, running the settings dialog, the
// full-screen show or the preview inside the display control panel.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "base/ascii.h"
#include "base/win32/module_path.h"
#include "base/win32/utf16.h"
#include "player/program_mode.h"
#include "player/win32/run_window_win32.h"
#include "settings/win32/settings_ui.h"

namespace {

std::vector<std::string> Arguments() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; argv && i < count; ++i) args.push_back(base::Utf8FromUtf16(argv[i]));
  LocalFree(argv);
  return args;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Every built screensaver shares this name: while one runs, in any mode,
  // another start ends at once.
  HANDLE mutex = CreateMutexW(nullptr, TRUE, L"qev_showmaker");
  if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;

  const std::string programPath = base::ProgramPath();
  const std::string upperPath = base::UpperAscii(programPath);
  const player::StartRequest request = player::SelectProgramMode(upperPath, Arguments());

  int exitCode = 0;
  try {
    switch (request.mode) {
      case player::ProgramMode::Settings:
        // Before any window of the show: no run window, no project load, no music.
        settings::ShowSettingDialog(nullptr, programPath);
        break;
      case player::ProgramMode::FullScreen:
      case player::ProgramMode::Preview:
        exitCode = player::RunShowWindow(instance, programPath, request);
        break;
      case player::ProgramMode::Quit:
        break;
    }
  } catch (const std::exception& error) {
    // What no window caught (memory exhaustion while starting): said, then the end.
    MessageBoxW(nullptr, base::Utf16FromUtf8(error.what()).c_str(), nullptr, MB_OK | MB_ICONERROR);
    exitCode = 1;
  }
  if (mutex) CloseHandle(mutex);
  return exitCode;
}
