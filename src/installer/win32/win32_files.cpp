#include "installer/win32/win32_files.h"

#include <commctrl.h>

#include "base/win32/utf16.h"

namespace installer::win32 {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  // Closes now; false when closing failed.
  bool Close() {
    const bool ok = CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE handle_;
};

class Win32Source : public SourceFile {
 public:
  explicit Win32Source(HANDLE handle) : file_(handle) {}
  int64_t Length() override {
    LARGE_INTEGER size{};
    return GetFileSizeEx(file_.get(), &size) ? size.QuadPart : -1;
  }
  int64_t ReadAt(int64_t offset, void* buffer, size_t count) override {
    LARGE_INTEGER position{};
    position.QuadPart = offset;
    if (!SetFilePointerEx(file_.get(), position, nullptr, FILE_BEGIN)) return -1;
    DWORD read = 0;
    if (!ReadFile(file_.get(), buffer, static_cast<DWORD>(count), &read, nullptr)) return -1;
    return read;
  }

 private:
  Handle file_;
};

class Win32Target : public TargetFile {
 public:
  explicit Win32Target(HANDLE handle) : file_(handle) {}
  bool Write(const void* data, size_t count) override {
    DWORD written = 0;
    return WriteFile(file_.get(), data, static_cast<DWORD>(count), &written, nullptr) && written == count;
  }
  bool Close() override { return file_.Close(); }

 private:
  Handle file_;
};

}  // namespace

std::unique_ptr<SourceFile> Win32Files::OpenForReading(const std::string& path) {
  HANDLE file = CreateFileW(base::Utf16FromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32Source>(file);
}

std::unique_ptr<TargetFile> Win32Files::Create(const std::string& path) {
  HANDLE file = CreateFileW(base::Utf16FromUtf8(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32Target>(file);
}

bool Win32Files::Exists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(base::Utf16FromUtf8(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32Files::Delete(const std::string& path) { DeleteFileW(base::Utf16FromUtf8(path).c_str()); }

bool Win32Files::FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(base::Utf16FromUtf8(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::MakeFolder(const std::string& path) {
  return CreateDirectoryW(base::Utf16FromUtf8(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

void ProgressBarControl::SetPos(int position) {
  SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  UpdateWindow(bar_);
}

}  // namespace installer::win32
