#include "player/win32/soak_probe.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cwchar>

namespace player {
namespace {

constexpr wchar_t kVariable[] = L"SLIDESHOW_TEST_SOAK";
// Handle indices of GDI objects, and of USER objects (two values per index
// from the first one), as far as a process can have them.
constexpr UINT_PTR kHandleIndices = 0x10000;
constexpr UINT_PTR kFirstUserHandle = 0x20;

DWORD CountGdiObjects() {
  if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return reported;
  DWORD count = 0;
  for (UINT_PTR index = 1; index < kHandleIndices; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
  return count;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

DWORD CountUserObjects() {
  if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return reported;
  // One thread draws the show: its windows with their children, and its menus.
  DWORD count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  for (UINT_PTR handle = kFirstUserHandle; handle < kHandleIndices; handle += 2)
    if (IsMenu(reinterpret_cast<HMENU>(handle))) ++count;
  return count;
}

}  // namespace

SoakProbe::SoakProbe() {
  wchar_t value[MAX_PATH + 32];
  const DWORD length = GetEnvironmentVariableW(kVariable, value, static_cast<DWORD>(std::size(value)));
  if (length == 0 || length >= std::size(value)) return;
  wchar_t* rest = nullptr;
  const unsigned long divisor = std::wcstoul(value, &rest, 10);
  if (divisor == 0 || divisor > 10000 || *rest != L';' || rest[1] == 0) return;
  divisor_ = static_cast<uint32_t>(divisor);
  log_ = rest + 1;
}

uint32_t SoakProbe::Interval(uint32_t ms) const {
  if (!Active()) return ms;
  const uint32_t divided = ms / divisor_;
  return divided > 0 ? divided : 1;
}

void SoakProbe::SlideStarted() {
  if (!Active()) return;
  ++slides_;
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  const DWORD gdi = CountGdiObjects();
  const DWORD user = CountUserObjects();
  // Opened for each line, so that what was written survives however the show ends.
  if (FILE* file = _wfopen(log_.c_str(), L"a")) {
    std::fprintf(file, "slide=%llu ms=%llu gdi=%lu user=%lu ws=%llu peak=%llu private=%llu\n",
                 static_cast<unsigned long long>(slides_), static_cast<unsigned long long>(GetTickCount64()),
                 static_cast<unsigned long>(gdi),
                 static_cast<unsigned long>(user), static_cast<unsigned long long>(memory.WorkingSetSize),
                 static_cast<unsigned long long>(memory.PeakWorkingSetSize),
                 static_cast<unsigned long long>(memory.PagefileUsage));
    std::fclose(file);
  }
}

}  // namespace player
