// Paths are UTF-8 text throughout the program; these helpers turn them into
// std::filesystem paths and back, and split them the way Windows does (both
// separators count).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace base {

std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);

// The folder part of a path, with its trailing separator ("" when there is none).
std::string FolderOf(std::string_view path);
// The part after the last separator.
std::string FileNameOf(std::string_view path);

bool FileExists(const std::string& path);
// Deletes a file without telling the user; false when it is there and could
// not be deleted (on Windows: still open elsewhere).
bool DeleteFileQuietly(const std::string& path);
// The whole file; nullopt when it cannot be opened or read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path);
// Writes the whole file; false when it cannot be written.
bool WriteWholeFile(const std::string& path, const void* data, size_t size);

}  // namespace base
