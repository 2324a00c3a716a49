#include "base/paths.h"

#include <fstream>
#include <iterator>

namespace base {

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  const auto text = path.u8string();
  return std::string(text.begin(), text.end());
}

namespace {
size_t AfterLastSeparator(std::string_view path) {
  const auto pos = path.find_last_of("\\/");
  return pos == std::string_view::npos ? 0 : pos + 1;
}
}  // namespace

std::string FolderOf(std::string_view path) { return std::string(path.substr(0, AfterLastSeparator(path))); }

std::string FileNameOf(std::string_view path) { return std::string(path.substr(AfterLastSeparator(path))); }

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(PathFromUtf8(path), ec);
}

bool DeleteFileQuietly(const std::string& path) {
  std::error_code ec;
  if (!path.empty()) std::filesystem::remove(PathFromUtf8(path), ec);
  return !ec;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
  std::ifstream file(PathFromUtf8(path), std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) return std::nullopt;
  return bytes;
}

bool WriteWholeFile(const std::string& path, const void* data, size_t size) {
  std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace base
