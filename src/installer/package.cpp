#include "installer/package.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "base/codepage.h"
#include "installer/package_format.h"

namespace installer {
namespace {

// The leading decimal number of a value, as the C library's atoi reads it
// (an optional sign, then digits up to the first other character); 0 when
// there are none. Values too large for 64 bits stop growing at the limit.
int64_t LeadingNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    const int digit = c - '0';
    if (value > (std::numeric_limits<int64_t>::max() - digit) / 10) {
      value = std::numeric_limits<int64_t>::max();
      break;
    }
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

int32_t ClampToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

bool CPackage::Damaged(const std::string& reason) {
  readError_ = "The setup package " + PackagePath + " is damaged: " + reason;
  return false;
}

bool CPackage::ReadPackageIndex(const std::string& path) {
  ProgramOffset = UninstallerOffset = 0;
  ProgramName.clear();
  IsProgramExe = 0;
  IndexStart = IndexLength = ProgramSize = UninstallerSize = 0;
  readError_.clear();
  PackagePath = path;
  auto file = files_.OpenForReading(path);
  if (!file) return false;
  const int64_t size = file->Length();
  if (size < 0) {
    readError_ = std::string(kFileSizeFailedText);
    return false;
  }

  std::string trailer(kTrailerSize, '\0');
  if (size < kTrailerSize || file->ReadAt(size - kTrailerSize, trailer.data(), trailer.size()) != kTrailerSize)
    return Damaged("it is too short to hold a package.");
  const auto length = ParseTrailerLength(trailer);
  if (!length) return Damaged("it does not end in the length of its index.");
  if (*length < 0) return Damaged("the length of its index, " + std::to_string(*length) + ", is negative.");
  if (*length > size - kTrailerSize)
    return Damaged("its index would be " + std::to_string(*length) + " bytes long, more than the file holds.");
  if (*length > kMaxIndexText)
    return Damaged("its index is " + std::to_string(*length) + " bytes long; at most " +
                   std::to_string(kMaxIndexText) + " are read.");

  IndexLength = *length;
  IndexStart = size - IndexLength - kTrailerSize;
  std::string text(static_cast<size_t>(IndexLength), '\0');
  if (file->ReadAt(IndexStart, text.data(), text.size()) != IndexLength) return Damaged("its index cannot be read.");
  ParsePackageIndex(text);

  if (!(ProgramOffset > 0 && ProgramOffset < UninstallerOffset && UninstallerOffset < IndexStart))
    return Damaged("the program block starts at byte " + std::to_string(ProgramOffset) +
                   " and the uninstaller block at byte " + std::to_string(UninstallerOffset) +
                   ", but both must lie in this order before the index at byte " + std::to_string(IndexStart) + ".");
  if (ProgramName.empty()) return Damaged("it names no program.");
  if (!IsPlainFileName(ProgramName)) return Damaged("its program name \"" + ProgramName + "\" is not a file name.");
  ProgramSize = UninstallerOffset - ProgramOffset;
  UninstallerSize = IndexStart - UninstallerOffset;
  return true;
}

void CPackage::ParsePackageIndex(std::string_view text) {
  for (auto end = text.find(kRecordEnd); end != std::string_view::npos; end = text.find(kRecordEnd)) {
    const std::string_view record = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (record.empty()) continue;
    const std::string_view value = record.substr(1);
    switch (record.front()) {
      case kProgramOffsetTag:
        ProgramOffset = LeadingNumber(value);
        break;
      case kUninstallerOffsetTag:
        UninstallerOffset = LeadingNumber(value);
        break;
      case kProgramNameTag:
        ProgramName = base::Utf8FromWindows1252(value);
        break;
      case kIsProgramExeTag:
        IsProgramExe = ClampToInt32(LeadingNumber(value));
        break;
      default:
        break;  // another tag: skipped with its value
    }
  }
}

std::string CPackage::ProgramFilePath() const {
  return JoinPath(InstallDirectory, InstalledFileName(ProgramName, IsProgramExe != 0));
}

bool CPackage::InstallProgram(const std::string& directory) {
  InstallDirectory = directory;
  return CopyBlock(PackagePath, ProgramFilePath(), kProgramProgressStart, kProgramProgressEnd, ProgramOffset,
                   ProgramSize);
}

bool CPackage::InstallUninstaller(const std::string& windowsDirectory) {
  UninstallerPath = JoinPath(windowsDirectory, kUninstallerFileName);
  return CopyBlock(PackagePath, UninstallerPath, kProgramProgressEnd, kUninstallerProgressEnd, UninstallerOffset,
                   UninstallerSize);
}

bool CPackage::CopyBlock(const std::string& source, const std::string& destination, int progressStart,
                         int progressEnd, int64_t offset, int64_t length) {
  auto in = files_.OpenForReading(source);
  if (!in) return false;
  auto out = files_.Create(destination);
  if (!out) return false;

  std::vector<char> chunk(kCopyChunk);
  bool ok = true;
  for (int64_t copied = 0; ok && copied < length;) {
    const bool fullChunk = copied + kCopyChunk <= length;
    const int64_t want = fullChunk ? kCopyChunk : length - copied;
    // A read that fails, or a file that ends before the block does, stops
    // the copy: the block cannot be had whole.
    ok = in->ReadAt(offset + copied, chunk.data(), static_cast<size_t>(want)) == want &&
         out->Write(chunk.data(), static_cast<size_t>(want));
    if (!ok) break;
    copied += want;
    if (fullChunk) {
      SetProgress(static_cast<int>(progressStart + (progressEnd - progressStart) * copied / length));
      files_.Pause(1);
    } else {
      SetProgress(progressEnd);
    }
  }
  if (length <= 0) SetProgress(progressEnd);
  ok = out->Close() && ok;
  if (!ok) files_.Delete(destination);
  return ok;
}

}  // namespace installer
