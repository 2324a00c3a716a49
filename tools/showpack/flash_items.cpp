#include "flash_items.h"

#include <filesystem>

#include "base/paths.h"
#include "player/flash_movie.h"

namespace showpack {

void CheckFlashMovie(const ManifestItem& item) {
  try {
    (void)player::flash::ReadMovieFile(item.source);
  } catch (const player::flash::MovieError& error) {
    throw ManifestError(item.where + ": File: " + error.what());
  }
}

void CopyBesideOutput(const ManifestItem& item, const std::string& outputPath) {
  namespace fs = std::filesystem;
  const fs::path target = base::PathFromUtf8(base::FolderOf(outputPath) + base::FileNameOf(item.source));
  std::error_code ec;
  if (fs::exists(target, ec) && fs::equivalent(target, base::PathFromUtf8(item.source), ec)) return;
  fs::copy_file(base::PathFromUtf8(item.source), target, fs::copy_options::overwrite_existing, ec);
  if (ec) throw ManifestError(item.where + ": File: cannot copy " + item.source + " beside the screensaver: " + ec.message());
}

}  // namespace showpack
