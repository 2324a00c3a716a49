// CSetupApp: the setup program's entry. COM serves the shell link and the
// folder picker; the main window runs until the program is to end.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "installer/win32/setup_windows.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  {
    installer::win32::CSetupDlg dialog;
    dialog.Run();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
