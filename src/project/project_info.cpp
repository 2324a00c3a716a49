#include "project/project_info.h"

#include <algorithm>
#include <string>

#include "base/ascii.h"
#include "base/paths.h"
#include "project/cut_palette.h"
#include "project/picture_records.h"
#include "project/picture_type.h"
#include "project/project_errors.h"

namespace project {

std::string FileNotFoundMessage(const std::string& path) { return "File not found : " + path; }

std::string TempItemPath(const std::string& tempFolder, const std::string& name) {
  const auto dot = name.find('.');
  return tempFolder + "qev" + (dot == std::string::npos ? name : name.substr(dot));
}

TProjectInfo::TProjectInfo(std::string programPath, ProjectServices& services)
    : programPath_(std::move(programPath)), services_(services) {
  TempFolder = services_.TempFolder();
  FileHandle = services_.OpenForReading(programPath_);
  if (FileHandle) Index.ReadIndex(*FileHandle);
  FilesBesideProgram = true;
}

TProjectInfo::~TProjectInfo() {
  base::DeleteFileQuietly(TempFile);
  DeleteStaleTempFiles();
}

void TProjectInfo::DeleteStaleTempFiles() {
  std::erase_if(staleTempFiles_, [](const std::string& path) { return base::DeleteFileQuietly(path); });
}

std::string TProjectInfo::ReadBlock(int32_t start, int32_t end) {
  std::vector<uint8_t> bytes;
  if (!FileHandle || end <= start || !CopyFileRange(start, end - start, bytes)) return {};
  return std::string(base::UpToNul(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
}

void TProjectInfo::ReadPictures(base::Random& random) {
  AppendPictureRecords(ReadBlock(Index.PictureRecordsStart, Index.HeaderStart), random, Pictures);
  if (!PicturesEmbedded || !FileHandle) return;
  // An embedded item must lie wholly inside the program file. Flash movies and
  // video clips are read from the container only when media are embedded too;
  // otherwise their records carry the size of the outside file.
  const int64_t fileLength = FileHandle->Length();
  for (size_t k = 0; k < Pictures.size() && k < Index.ItemOffsets.size(); ++k) {
    if (Pictures[k]->Kind != 0 && !MediaEmbedded) continue;
    const int64_t end = int64_t{Index.ItemOffsets[k]} + Pictures[k]->Size;
    if (Pictures[k]->Size < 0 || end > fileLength)
      throw ContainerError("The show's picture " + std::to_string(k) + " (" + Pictures[k]->FileName +
                           ") is damaged: its recorded size runs past the end of the program file.");
  }
}

bool TProjectInfo::CopyFileRange(int64_t offset, int64_t length, std::vector<uint8_t>& stream) {
  stream.clear();
  if (!FileHandle || offset < 0 || length < 0) return false;
  std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(length, kCopyChunk)));
  int64_t copied = 0;
  while (copied < length) {
    const size_t want = static_cast<size_t>(std::min<int64_t>(length - copied, kCopyChunk));
    const int64_t got = FileHandle->ReadAt(offset + copied, buffer.data(), want);
    // A read error, or the file ending before the recorded length: stop.
    if (got <= 0) return false;
    stream.insert(stream.end(), buffer.begin(), buffer.begin() + got);
    copied += got;
  }
  return true;
}

std::string TProjectInfo::ExternalPath(const std::string& storedName) const {
  return FilesBesideProgram ? base::FolderOf(programPath_) + base::FileNameOf(storedName) : storedName;
}

std::string TProjectInfo::ExtractToTemp(const std::string& name, const std::vector<uint8_t>& bytes) {
  // A file still open elsewhere (music playing while a clip is extracted)
  // cannot be deleted yet; it is tried again later and when the project goes.
  if (!TempFile.empty()) staleTempFiles_.push_back(TempFile);
  TempFile.clear();
  DeleteStaleTempFiles();
  const std::string path = TempItemPath(TempFolder, name);
  if (!base::WriteWholeFile(path, bytes.data(), bytes.size())) return {};
  TempFile = path;
  return path;
}

bool TProjectInfo::GetPictureStream(int number, std::vector<uint8_t>& stream, int& typeCode) {
  if (number < 0 || number >= static_cast<int>(Pictures.size())) return false;
  const TPictureInfo& pic = *Pictures[static_cast<size_t>(number)];
  if (PicturesEmbedded) {
    // A record without its index entry cannot be located: nothing to read.
    if (number >= static_cast<int>(Index.ItemOffsets.size())) return false;
    typeCode = pic.TypeCode;
    return CopyFileRange(Index.ItemOffsets[static_cast<size_t>(number)], pic.Size, stream);
  }
  const std::string path = ExternalPath(pic.FileName);
  auto file = services_.OpenForReading(path);
  if (!file) return false;
  const int64_t length = file->Length();
  if (length < 0) return false;
  std::vector<uint8_t> bytes(static_cast<size_t>(length));
  if (file->ReadAt(0, bytes.data(), bytes.size()) != length) return false;
  typeCode = PictureTypeCode(path);
  stream = std::move(bytes);
  return true;
}

std::vector<uint8_t> TProjectInfo::GetPicturePalette(int number) const {
  if (PicturesEmbedded || number < 0 || number >= static_cast<int>(Pictures.size())) return {};
  const std::string path = ExternalPath(Pictures[static_cast<size_t>(number)]->FileName);
  return PictureTypeCode(path) == PictureType::Cut ? ReadCutPalette(path) : std::vector<uint8_t>{};
}

std::string TProjectInfo::GetPictureFile(int number) {
  if (number < 0 || number >= static_cast<int>(Pictures.size())) return {};
  const std::string name = Pictures[static_cast<size_t>(number)]->FileName;
  if (MediaEmbedded) {
    // An item whose bytes cannot be read, or whose copy cannot be written,
    // gives no file rather than an empty or partial one.
    std::vector<uint8_t> stream;
    int typeCode = 0;
    if (!GetPictureStream(number, stream, typeCode)) return {};
    const std::string path = ExtractToTemp(name, stream);
    services_.ProcessMessages();
    return path;
  }
  const std::string path = ExternalPath(name);
  if (base::FileExists(path)) return path;
  services_.ShowMessage(FileNotFoundMessage(path));
  return {};
}

bool TProjectInfo::GetDialogImageStream(std::vector<uint8_t>& stream, int& typeCode) {
  typeCode = PictureTypeCode(DialogImageFile);
  const size_t n = Index.ItemOffsets.size();
  if (n < 2) return false;
  const int64_t start = Index.ItemOffsets[n - 2];
  return CopyFileRange(start, Index.ItemOffsets[n - 1] - start, stream);
}

bool TProjectInfo::GetMusicStream(int index, std::vector<uint8_t>& stream) {
  if (!MediaEmbedded || index < 0 || index >= static_cast<int>(Index.MusicOffsets.size())) return false;
  const int64_t start = Index.MusicOffsets[static_cast<size_t>(index)];
  const bool last = index >= static_cast<int>(MusicFiles.size()) - 1 ||
                    index + 1 >= static_cast<int>(Index.MusicOffsets.size());
  const int64_t end = last ? Index.PictureRecordsStart : Index.MusicOffsets[static_cast<size_t>(index) + 1];
  return CopyFileRange(start, end - start, stream);
}

std::string TProjectInfo::GetMusicFile(int index) {
  if (index < 0 || index >= static_cast<int>(MusicFiles.size())) return {};
  const std::string& name = MusicFiles[static_cast<size_t>(index)];
  if (MediaEmbedded) {
    std::vector<uint8_t> stream;
    if (!GetMusicStream(index, stream)) return {};
    return ExtractToTemp(name, stream);
  }
  const std::string path = ExternalPath(name);
  if (base::FileExists(path)) return path;
  services_.ShowMessage(base::FormatMessage(FileNotFoundText(), path));
  return {};
}

}  // namespace project
