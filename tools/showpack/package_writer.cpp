#include "package_writer.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "base/paths.h"
#include "installer/package_format.h"
#include "project/project_info.h"

namespace showpack {
namespace {

[[noreturn]] void Fail(const std::string& message) { throw std::runtime_error(message); }

// The size of a file that goes into the package: it must not be empty.
int64_t SizeOf(const std::string& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(base::PathFromUtf8(path), ec);
  if (ec) Fail("cannot read " + path);
  if (size == 0) Fail(path + " is empty");
  return static_cast<int64_t>(size);
}

uint32_t LittleEndian(const unsigned char* bytes, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

// The name of the program file without its extension.
std::string ProgramNameOf(const std::string& path) {
  return base::Utf8FromPath(base::PathFromUtf8(base::FileNameOf(path)).stem());
}

void CheckShow(const std::string& path) {
  try {
    project::StdProjectServices services;
    project::TProjectInfo show(path, services);
    if (!show.HasProgramFile()) Fail("cannot read " + path);
    show.ReadHeader();
  } catch (const std::runtime_error& error) {
    Fail(path + " is no built show: " + error.what());
  }
}

// The installer must be bare: a package ends in the same trailer as a show.
void CheckBare(const std::string& path, const std::string& what) {
  const int64_t size = SizeOf(path);
  std::ifstream in(base::PathFromUtf8(path), std::ios::binary);
  std::string tail(installer::kTrailerSize, '\0');
  if (size >= installer::kTrailerSize) {
    in.seekg(size - installer::kTrailerSize);
    in.read(tail.data(), installer::kTrailerSize);
    if (installer::ParseTrailerLength(tail)) Fail(path + " already carries something; use the bare " + what);
  }
}

void Append(std::ofstream& out, const std::string& path) {
  std::ifstream in(base::PathFromUtf8(path), std::ios::binary);
  if (!in) Fail("cannot read " + path);
  out << in.rdbuf();
}

}  // namespace

std::optional<int> ProgramBits(const std::string& path) {
  std::ifstream in(base::PathFromUtf8(path), std::ios::binary);
  std::array<unsigned char, 64> dos{};
  if (!in.read(reinterpret_cast<char*>(dos.data()), dos.size()) || dos[0] != 'M' || dos[1] != 'Z') return std::nullopt;
  std::array<unsigned char, 6> pe{};
  in.seekg(LittleEndian(&dos[0x3C], 4));
  if (!in.read(reinterpret_cast<char*>(pe.data()), pe.size()) || pe[0] != 'P' || pe[1] != 'E' || pe[2] || pe[3])
    return std::nullopt;
  switch (LittleEndian(&pe[4], 2)) {
    case 0x014C:
      return 32;
    case 0x8664:
      return 64;
    default:
      return std::nullopt;
  }
}

std::string WritePackage(const PackageOptions& options) {
  const std::string name = ProgramNameOf(options.programPath);
  if (!installer::IsPlainFileName(name)) Fail("\"" + name + "\" cannot name an installed program");
  CheckShow(options.programPath);

  const std::optional<int> bits = ProgramBits(options.programPath);
  if (!bits && !options.playerBits) Fail(options.programPath + " is no Windows program of 32 or 64 bits");
  if (bits && options.playerBits && *bits != *options.playerBits)
    Fail(options.programPath + " is a " + std::to_string(*bits) + "-bit program; --player-bits " +
         std::to_string(*options.playerBits) + " does not match it");
  const std::string folder = options.distFolder + "/win" + std::to_string(bits.value_or(*options.playerBits)) + "/";
  const std::string installerPath = folder + "installer.exe";
  const std::string uninstallerPath = folder + "svremove.exe";
  CheckBare(installerPath, "installer.exe");

  installer::PackageIndex index;
  index.ProgramOffset = SizeOf(installerPath);
  index.UninstallerOffset = index.ProgramOffset + SizeOf(options.programPath);
  index.ProgramName = name;
  index.IsProgramExe = options.isProgram ? 1 : 0;
  SizeOf(uninstallerPath);
  const auto tail = installer::FormatPackageTail(index);
  if (!tail) Fail("\"" + name + "\" cannot be written in the Windows-1252 character set of a package");

  const std::string partial = options.outputPath + ".part";
  try {
    std::ofstream out(base::PathFromUtf8(partial), std::ios::binary | std::ios::trunc);
    if (!out) Fail("cannot write " + options.outputPath);
    Append(out, installerPath);
    Append(out, options.programPath);
    Append(out, uninstallerPath);
    out.write(tail->data(), static_cast<std::streamsize>(tail->size()));
    out.close();
    if (!out) Fail("cannot write " + options.outputPath);
    std::filesystem::rename(base::PathFromUtf8(partial), base::PathFromUtf8(options.outputPath));
  } catch (...) {
    base::DeleteFileQuietly(partial);
    throw;
  }
  return name;
}

}  // namespace showpack
