#include "project/win32/win32_project_services.h"

#include <windows.h>

#include "base/win32/utf16.h"

namespace project {
namespace {

class Win32ProgramFile final : public ProgramFile {
 public:
  explicit Win32ProgramFile(HANDLE handle) : handle_(handle) {}
  ~Win32ProgramFile() override { CloseHandle(handle_); }
  Win32ProgramFile(const Win32ProgramFile&) = delete;
  Win32ProgramFile& operator=(const Win32ProgramFile&) = delete;

  int64_t Length() override {
    LARGE_INTEGER size;
    return GetFileSizeEx(handle_, &size) ? size.QuadPart : -1;
  }

  int64_t ReadAt(int64_t offset, void* buffer, size_t count) override {
    LARGE_INTEGER position;
    position.QuadPart = offset;
    if (offset < 0 || !SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN)) return -1;
    int64_t total = 0;
    auto* out = static_cast<char*>(buffer);
    while (count > 0) {
      const DWORD want = count > 0x10000000 ? 0x10000000 : static_cast<DWORD>(count);
      DWORD got = 0;
      if (!ReadFile(handle_, out, want, &got, nullptr)) return -1;
      if (got == 0) break;
      total += got;
      out += got;
      count -= got;
    }
    return total;
  }

 private:
  HANDLE handle_;
};

}  // namespace

std::unique_ptr<ProgramFile> Win32ProjectServices::OpenForReading(const std::string& path) {
  const HANDLE handle = CreateFileW(base::Utf16FromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32ProgramFile>(handle);
}

std::string Win32ProjectServices::TempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH) return ".\\";
  return base::Utf8FromUtf16(std::wstring_view(buffer, length));
}

void Win32ProjectServices::ShowMessage(const std::string& text) {
  MessageBoxW(GetActiveWindow(), base::Utf16FromUtf8(text).c_str(), L"", MB_OK);
}

void Win32ProjectServices::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace project
