// The project of a built screensaver: the container appended to its program
// file, the header the author chose, the picture records, and the operations
// that hand out one item as bytes or as a file.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/random.h"
#include "project/header_fields.h"
#include "project/info_position.h"
#include "project/picture_info.h"
#include "project/program_file.h"

namespace project {

constexpr int kCopyChunk = 409600;
constexpr int32_t kCompositeMode = 1;  // ComposeMode

class TProjectInfo {
 public:
  // Opens the program file and reads the index. A file that cannot be opened
  // reads as an empty project; a damaged container throws ContainerError, a
  // value that is not a number ConversionError.
  TProjectInfo(std::string programPath, ProjectServices& services);
  ~TProjectInfo();
  TProjectInfo(const TProjectInfo&) = delete;
  TProjectInfo& operator=(const TProjectInfo&) = delete;

  void ReadHeader();
  void ParseHeader(std::string_view text);
  // Builds Pictures from the picture record block; the random defaults of the
  // records are drawn from `random`.
  void ReadPictures(base::Random& random);

  bool GetPictureStream(int number, std::vector<uint8_t>& stream, int& typeCode);
  // The colours of an external Dr. Halo CUT picture: the ".pal" file beside
  // it. Empty for embedded items (they show grey levels) and other types.
  std::vector<uint8_t> GetPicturePalette(int number) const;
  // The item as a file: a temporary copy of an embedded item, or the external
  // file; empty when its bytes cannot be read or copied, or it is missing.
  std::string GetPictureFile(int number);
  bool GetDialogImageStream(std::vector<uint8_t>& stream, int& typeCode);
  bool GetMusicStream(int index, std::vector<uint8_t>& stream);
  std::string GetMusicFile(int index);

  const std::string& ProgramPath() const { return programPath_; }
  bool HasProgramFile() const { return FileHandle != nullptr; }
  // Where an external item is looked up: its stored path, or its bare name
  // beside the program.
  std::string ExternalPath(const std::string& storedName) const;
  // ComposeMode 1: background, picture and texts are composed into one image
  // that the transition brings in.
  bool CompositeMode() const { return ComposeMode == kCompositeMode; }

  // The named interface texts among UiTexts.
  const std::string& VersionLabelText() const { return UiTexts[kVersionLabelText]; }
  const std::string& MemoryLabelText() const { return UiTexts[kMemoryLabelText]; }
  const std::string& FileNotFoundText() const { return UiTexts[kFileNotFoundText]; }
  const std::string& MenuSettingCaption() const { return UiTexts[kMenuSettingCaption]; }
  const std::string& MenuStopCaption() const { return UiTexts[kMenuStopCaption]; }

  // Container.
  std::unique_ptr<ProgramFile> FileHandle;
  TInfoPosition Index;
  std::string TempFolder;
  std::string TempFile;
  std::vector<std::unique_ptr<TPictureInfo>> Pictures;

  // Header fields with their defaults.
  std::vector<std::string> MusicFiles;
  bool RandomPlacement = true;
  bool RandomOrder = true;
  int32_t SlideSeconds = 5;
  bool LoopMusic = true;
  int32_t MusicPauseTicks = 5;
  bool RandomMusic = true;
  bool ShowDialogImage = false;
  bool ShowAuthorInfo = false;
  std::string AuthorName;
  bool ShowAuthorWebSite = false;
  std::string AuthorWebSite;
  bool ShowAuthorEmail = false;
  std::string AuthorEmail;
  bool ShowHelpMenu = false;
  std::string Version = "1.0";
  std::string Copyright;
  bool ShowDescription = false;
  std::string Description;
  std::string ProjectName;
  std::string DialogImageFile;
  int32_t RightClickMenu = 0;
  bool PicturesEmbedded = true;
  bool MediaEmbedded = true;
  int32_t ComposeMode = 1;
  int32_t FitMode = 1;
  std::array<std::string, kUiTextCount> UiTexts;
  bool FilesBesideProgram = true;

 private:
  // Copies `length` bytes at `offset` of the program file into `stream`; false
  // when a read fails or the file ends first.
  bool CopyFileRange(int64_t offset, int64_t length, std::vector<uint8_t>& stream);
  std::string ReadBlock(int32_t start, int32_t end);
  // Writes an item to TempFolder + "qev" + the extension of `name`, replacing
  // the previous temporary file; returns the path, or "" when it cannot be written.
  std::string ExtractToTemp(const std::string& name, const std::vector<uint8_t>& bytes);
  // Deletes the replaced temporary files; keeps those that are still in use.
  void DeleteStaleTempFiles();

  std::string programPath_;
  ProjectServices& services_;
  std::vector<std::string> staleTempFiles_;
};

// The message shown when an external item's file is missing.
std::string FileNotFoundMessage(const std::string& path);

// The temporary name of an item: TempFolder + "qev" + the name from its first
// "." on (the whole name when it has none).
std::string TempItemPath(const std::string& tempFolder, const std::string& name);

}  // namespace project
