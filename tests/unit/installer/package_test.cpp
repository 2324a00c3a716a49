#include "installer/package.h"

#include <gtest/gtest.h>

#include "installer/package_format.h"
#include "installer_fakes.h"

namespace {

using installer::CPackage;
using installer::kCopyChunk;
using installer::PackageIndex;
using installer_testing::MemoryFiles;
using installer_testing::RecordingBar;

const std::string kPath = "C:\\setup\\Setup.exe";

// installer bytes, program block, uninstaller block, index and trailer.
struct Layout {
  std::string installer = std::string(300, 'I');
  std::string program = "PROGRAM-BYTES";
  std::string uninstaller = "UNINSTALLER";
};

std::string Package(const Layout& layout, const std::string& name = "Sunset", int isExe = 0) {
  PackageIndex index;
  index.ProgramOffset = static_cast<int64_t>(layout.installer.size());
  index.UninstallerOffset = index.ProgramOffset + static_cast<int64_t>(layout.program.size());
  index.ProgramName = name;
  index.IsProgramExe = isExe;
  return layout.installer + layout.program + layout.uninstaller + installer::FormatPackageTail(index).value();
}

std::string Record(char tag, const std::string& value) { return tag + value + '\x80'; }

// A package whose index text and trailer are given as they stand.
std::string RawPackage(const std::string& index, const std::string& trailer) {
  return std::string(100, 'x') + index + trailer;
}

std::string Trailer(size_t length) {
  std::string t = std::to_string(length);
  t.resize(installer::kTrailerSize, ' ');
  return t;
}

TEST(PackageReader, WrittenPackageReadsBackWithItsBlockSizes) {
  MemoryFiles files;
  const Layout layout;
  for (const auto& [name, isExe] : std::vector<std::pair<std::string, int>>{{"Sunset", 0}, {"Caf\xc3\xa9 Show", 1}}) {
    files.files[kPath] = Package(layout, name, isExe);
    CPackage package(files);
    ASSERT_TRUE(package.ReadPackageIndex(kPath)) << package.ReadError();
    EXPECT_EQ(package.PackagePath, kPath);
    EXPECT_EQ(package.ProgramOffset, 300);
    EXPECT_EQ(package.UninstallerOffset, 300 + 13);
    EXPECT_EQ(package.ProgramName, name);
    EXPECT_EQ(package.IsProgramExe, isExe);
    EXPECT_EQ(package.ProgramSize, 13);
    EXPECT_EQ(package.UninstallerSize, 11);
    EXPECT_EQ(package.IndexStart + package.IndexLength + installer::kTrailerSize,
              static_cast<int64_t>(files.files[kPath].size()));
  }
}

TEST(PackageReader, TrailerMayBePaddedWithBlanksOnEitherSideOrZeros) {
  const std::string index = Record('1', "20") + Record('2', "40") + Record('4', "Sunset") + Record('5', "0");
  const std::string bare = std::to_string(index.size());
  for (const std::string& trailer : {bare + std::string(10 - bare.size(), ' '), std::string(10 - bare.size(), ' ') + bare,
                                     std::string(10 - bare.size(), '0') + bare,
                                     bare + std::string(10 - bare.size(), '\0')}) {
    MemoryFiles files;
    files.files[kPath] = RawPackage(index, trailer);
    CPackage package(files);
    EXPECT_TRUE(package.ReadPackageIndex(kPath)) << '"' << trailer << "\": " << package.ReadError();
    EXPECT_EQ(package.IndexLength, static_cast<int64_t>(index.size()));
  }
}

TEST(PackageReader, IndexRecordsByTag) {
  MemoryFiles files;
  CPackage package(files);
  // Unknown and empty records are skipped, numbers are their leading digits,
  // and a last record without its 0x80 is lost.
  package.ParsePackageIndex(Record('9', "77") + Record('1', "120abc") + std::string("\x80") + Record('2', "x") +
                            Record('4', "Show 1") + Record('5', "3") + "5" + "0");
  EXPECT_EQ(package.ProgramOffset, 120);
  EXPECT_EQ(package.UninstallerOffset, 0);
  EXPECT_EQ(package.ProgramName, "Show 1");
  EXPECT_EQ(package.IsProgramExe, 3);

  CPackage later(files);
  later.ParsePackageIndex(Record('4', "A") + Record('4', "B") + "4C");
  EXPECT_EQ(later.ProgramName, "B");
}

TEST(PackageReader, DamagedPackagesAreRefusedWithTheReason) {
  const std::string good = Record('1', "20") + Record('2', "40") + Record('4', "Sunset") + Record('5', "0");
  auto withIndex = [](const std::string& index) { return RawPackage(index, Trailer(index.size())); };
  const struct {
    const char* what;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"trailer not a number", RawPackage(good, "12a4      "), "does not end in the length of its index"},
      {"no trailer at all", "MZ\x90", "too short"},
      {"index longer than the file", RawPackage(good, Trailer(5000)), "more than the file holds"},
      {"negative index length", RawPackage(good, "-3        "), "is negative"},
      {"index larger than its buffer", RawPackage(good + std::string(1100, 'z'), Trailer(good.size() + 1100)),
       "at most 1024"},
      {"offsets reversed", withIndex(Record('1', "40") + Record('2', "20") + Record('4', "Sunset")), "in this order"},
      {"no program offset", withIndex(Record('2', "40") + Record('4', "Sunset")), "in this order"},
      {"uninstaller past the index", withIndex(Record('1', "20") + Record('2', "4000") + Record('4', "Sunset")),
       "before the index"},
      {"no name", withIndex(Record('1', "20") + Record('2', "40")), "names no program"},
      {"name that climbs out of the folder", withIndex(Record('1', "20") + Record('2', "40") + Record('4', "..\\..\\x")),
       "is not a file name"},
  };
  for (const auto& c : cases) {
    MemoryFiles files;
    files.files[kPath] = c.bytes;
    CPackage package(files);
    EXPECT_FALSE(package.ReadPackageIndex(kPath)) << c.what;
    EXPECT_NE(package.ReadError().find(c.reason), std::string::npos) << c.what << ": " << package.ReadError();
    EXPECT_NE(package.ReadError().find(kPath), std::string::npos) << c.what;
  }
}

TEST(PackageReader, UnopenableFileFailsSilentlyAndUnknownSizeSaysSo) {
  MemoryFiles files;
  CPackage package(files);
  EXPECT_FALSE(package.ReadPackageIndex("C:\\absent.exe"));
  EXPECT_EQ(package.ReadError(), "");

  files.files[kPath] = Package(Layout());
  files.failLength = true;
  EXPECT_FALSE(package.ReadPackageIndex(kPath));
  EXPECT_EQ(package.ReadError(), "Get file size failed");
}

TEST(PackageFileNames, PlainNamesOnly) {
  for (const char* good : {"Sunset", "Show 1.5", "a&b", "Caf\xc3\xa9"}) EXPECT_TRUE(installer::IsPlainFileName(good)) << good;
  for (const char* bad : {"", ".", "..", "a\\b", "a/b", "C:x", "x*", "what?", "a\"b", "<x>", "a|b", "trail.", "trail ",
                          "tab\there"})
    EXPECT_FALSE(installer::IsPlainFileName(bad)) << bad;
  EXPECT_FALSE(installer::FormatPackageTail({1, 2, "Euro \xe2\x82\xac", 0}).has_value());  // 0x80 in Windows-1252
  EXPECT_FALSE(installer::FormatPackageTail({1, 2, "\xe4\xb8\xad", 0}).has_value());       // not in Windows-1252
}

// Copies one block and returns the progress positions it set.
struct CopyRun {
  bool ok;
  std::vector<int> positions;
  int pauses;
};

CopyRun CopyOf(MemoryFiles& files, int64_t offset, int64_t length, int start, int end) {
  CPackage package(files);
  RecordingBar bar;
  package.Progress = &bar;
  const bool ok = package.CopyBlock(kPath, "C:\\out.bin", start, end, offset, length);
  return {ok, bar.positions, files.pauses};
}

TEST(CopyBlock, ProgressFollowsTheChunksAndEndsAtTheEndValue) {
  for (const int64_t length : {int64_t{1}, int64_t{100}, int64_t{kCopyChunk - 1}, int64_t{kCopyChunk},
                               int64_t{kCopyChunk + 1}, int64_t{2 * kCopyChunk}, int64_t{3 * kCopyChunk + 5},
                               int64_t{500000}}) {
    MemoryFiles files;
    std::string source(static_cast<size_t>(length + 70), '\0');
    for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<char>(i * 31 + 7);
    files.files[kPath] = source;
    const CopyRun run = CopyOf(files, 50, length, 80, 100);
    ASSERT_TRUE(run.ok) << length;
    EXPECT_EQ(files.files["C:\\out.bin"], source.substr(50, static_cast<size_t>(length))) << length;

    // Every whole chunk moves the bar to start + (end - start) * copied / length
    // and pauses; a last partial chunk jumps to the end value.
    const int64_t whole = length / kCopyChunk;
    std::vector<int> expected;
    for (int64_t k = 1; k <= whole; ++k) expected.push_back(static_cast<int>(80 + 20 * k * kCopyChunk / length));
    if (length % kCopyChunk != 0) expected.push_back(100);
    EXPECT_EQ(run.positions, expected) << length;
    EXPECT_EQ(run.pauses, whole) << length;
    EXPECT_EQ(run.positions.back(), 100) << length;
  }
}

TEST(CopyBlock, WorkedExamples) {
  MemoryFiles files;
  files.files[kPath] = std::string(3 * kCopyChunk, 'p');
  // Shorter than one chunk: written in one piece, the bar jumps to the end.
  EXPECT_EQ(CopyOf(files, 0, 1000, 0, 80).positions, std::vector<int>{80});
  // An exact multiple ends after its last full chunk at the end value.
  EXPECT_EQ(CopyOf(files, 0, 2 * kCopyChunk, 0, 80).positions, (std::vector<int>{40, 80}));
  EXPECT_EQ(CopyOf(files, 0, 3 * kCopyChunk, 80, 100).positions, (std::vector<int>{86, 93, 100}));
}

TEST(CopyBlock, LargeBlocksKeepTheArithmeticInRange) {
  // 80 * 60,000,000 is past 32 bits: the bar must still rise steadily.
  MemoryFiles files;
  files.virtualLength[kPath] = 60'000'100;
  files.countOnly.insert("C:\\out.bin");
  const CopyRun run = CopyOf(files, 100, 60'000'000, 0, 80);
  ASSERT_TRUE(run.ok);
  EXPECT_EQ(files.written["C:\\out.bin"], 60'000'000);
  ASSERT_FALSE(run.positions.empty());
  EXPECT_TRUE(std::is_sorted(run.positions.begin(), run.positions.end()));
  EXPECT_GE(run.positions.front(), 0);
  EXPECT_EQ(run.positions.back(), 80);
  EXPECT_EQ(run.positions[run.positions.size() / 2], 40);
}

TEST(CopyBlock, FailedCopiesLeaveNoPartialFile) {
  {
    MemoryFiles files;  // the package ends before the block does
    files.files[kPath] = std::string(2 * kCopyChunk, 'p');
    EXPECT_FALSE(CopyOf(files, 0, 3 * kCopyChunk, 0, 80).ok);
    EXPECT_FALSE(files.Exists("C:\\out.bin"));
  }
  {
    MemoryFiles files;  // a read error in the second chunk
    files.files[kPath] = std::string(3 * kCopyChunk, 'p');
    files.failReadAt = kCopyChunk + 10;
    EXPECT_FALSE(CopyOf(files, 0, 3 * kCopyChunk, 0, 80).ok);
    EXPECT_FALSE(files.Exists("C:\\out.bin"));
  }
  {
    MemoryFiles files;  // the data does not all reach the disk
    files.files[kPath] = std::string(100, 'p');
    files.failClose = true;
    EXPECT_FALSE(CopyOf(files, 0, 50, 0, 80).ok);
    EXPECT_FALSE(files.Exists("C:\\out.bin"));
  }
  {
    MemoryFiles files;  // the target cannot be made; the source is not there
    files.files[kPath] = std::string(100, 'p');
    files.refuseCreate.insert("C:\\out.bin");
    EXPECT_FALSE(CopyOf(files, 0, 50, 0, 80).ok);
    files.files.erase(kPath);
    EXPECT_FALSE(CopyOf(files, 0, 50, 0, 80).ok);
  }
}

TEST(CopyBlock, ProgramAndUninstallerLandAtTheirPlaces) {
  MemoryFiles files;
  const Layout layout;
  for (const auto& [isExe, directory, expected] :
       std::vector<std::tuple<int, std::string, std::string>>{{0, "C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\SYSTEM\\Sunset.scr"},
                                                              {1, "D:\\Apps\\", "D:\\Apps\\Sunset.exe"},
                                                              {1, "C:\\Program Files\\Sunset", "C:\\Program Files\\Sunset\\Sunset.exe"}}) {
    files.files[kPath] = Package(layout, "Sunset", isExe);
    CPackage package(files);
    RecordingBar bar;
    package.Progress = &bar;
    ASSERT_TRUE(package.ReadPackageIndex(kPath));
    ASSERT_TRUE(package.InstallProgram(directory));
    ASSERT_TRUE(package.InstallUninstaller("C:\\WINDOWS"));
    EXPECT_EQ(package.ProgramFilePath(), expected);
    EXPECT_EQ(files.files[expected], layout.program);
    EXPECT_EQ(package.UninstallerPath, "C:\\WINDOWS\\svremove.exe");
    EXPECT_EQ(files.files["C:\\WINDOWS\\svremove.exe"], layout.uninstaller);
    EXPECT_EQ(bar.positions, (std::vector<int>{80, 100}));
  }
}

}  // namespace
