#include "player/win32/desktop_capture.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "base/win32/utf16.h"

namespace player {
namespace {

// Closes what the capture opened, whichever way it ends.
struct ScreenDc {
  HDC dc = GetDC(nullptr);
  ~ScreenDc() {
    if (dc != nullptr) ReleaseDC(nullptr, dc);
  }
};
struct MemoryDc {
  HDC dc;
  HGDIOBJ previous = nullptr;
  explicit MemoryDc(HDC screen) : dc(CreateCompatibleDC(screen)) {}
  ~MemoryDc() {
    if (previous != nullptr) SelectObject(dc, previous);
    if (dc != nullptr) DeleteDC(dc);
  }
};
struct GdiBitmap {
  HBITMAP handle = nullptr;
  ~GdiBitmap() {
    if (handle != nullptr) DeleteObject(handle);
  }
};

bool WriteAll(HANDLE file, const void* data, DWORD size) {
  DWORD written = 0;
  return WriteFile(file, data, size, &written, nullptr) && written == size;
}

}  // namespace

bool CaptureDesktop(const std::string& path) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  if (width <= 0 || height <= 0) return false;
  ScreenDc screen;
  if (screen.dc == nullptr) return false;
  MemoryDc memory(screen.dc);
  if (memory.dc == nullptr) return false;

  BITMAPINFOHEADER header{};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as bitmap files usually are
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const uint64_t stride = (static_cast<uint64_t>(width) * 3 + 3) & ~uint64_t{3};
  const uint64_t imageSize = stride * static_cast<uint64_t>(height);
  if (imageSize > 0x7FFFFFFFu) return false;
  header.biSizeImage = static_cast<DWORD>(imageSize);

  BITMAPINFO info{};
  info.bmiHeader = header;
  void* bits = nullptr;
  GdiBitmap bitmap;
  bitmap.handle = CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap.handle == nullptr || bits == nullptr) return false;
  memory.previous = SelectObject(memory.dc, bitmap.handle);
  if (!BitBlt(memory.dc, 0, 0, width, height, screen.dc, 0, 0, SRCCOPY)) return false;
  GdiFlush();

  BITMAPFILEHEADER fileHeader{};
  fileHeader.bfType = 0x4D42;  // "BM"
  fileHeader.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  fileHeader.bfSize = static_cast<DWORD>(fileHeader.bfOffBits + imageSize);

  const std::wstring widePath = base::Utf16FromUtf8(path);
  HANDLE file = CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool ok = WriteAll(file, &fileHeader, sizeof(fileHeader)) && WriteAll(file, &header, sizeof(header)) &&
                  WriteAll(file, bits, header.biSizeImage);
  CloseHandle(file);
  if (!ok) DeleteFileW(widePath.c_str());
  return ok;
}

}  // namespace player
