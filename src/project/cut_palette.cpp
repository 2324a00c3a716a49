#include "project/cut_palette.h"

#include "base/ascii.h"
#include "base/paths.h"

namespace project {

std::vector<uint8_t> ReadCutPalette(const std::string& picturePath) {
  const std::string folder = base::FolderOf(picturePath);
  std::string name = base::FileNameOf(picturePath);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos) {
    if (base::LowerAscii(name.substr(dot)) == ".pal") return {};
    name.resize(dot);
  }
  for (const char* extension : {".pal", ".PAL"})
    if (auto bytes = base::ReadWholeFile(folder + name + extension)) return std::move(*bytes);
  return {};
}

}  // namespace project
