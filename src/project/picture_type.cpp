#include "project/picture_type.h"

#include <array>
#include <string>

#include "base/ascii.h"

namespace project {
namespace {

struct TypeRow {
  int code;
  std::string_view name;
  std::array<std::string_view, 5> extensions;  // unused entries are empty
};

// In code order: the first row with a matching extension wins.
const std::array<TypeRow, kMaxPictureType> kTypes = {{
    {1, "Windows bitmap", {".bmp", ".dib"}},
    {2, "JPEG", {".jpg", ".jpeg"}},
    {3, "SGI image", {".bw", ".rgb", ".rgba", ".sgi"}},
    {4, "Autodesk CEL/PIC", {".cel", ".pic"}},
    {5, "TIFF", {".tif", ".tiff"}},
    {6, "Truevision Targa", {".tga", ".vst", ".icb", ".vda", ".win"}},
    {7, "ZSoft PCX", {".pcx", ".pcc", ".scr"}},
    {8, "Kodak Photo CD", {".pcd"}},
    {9, "portable pixmap", {".ppm", ".pgm", ".pbm"}},
    {10, "Dr. Halo CUT", {".cut", ".pal"}},
    {11, "GIF", {".gif"}},
    {12, "Wavefront RLA", {".rla", ".rpf"}},
    {13, "Photoshop", {".psd", ".pdd"}},
    {14, "Paint Shop Pro", {".psp"}},
    {15, "PNG", {".png"}},
}};

}  // namespace

int PictureTypeCode(std::string_view fileName) {
  std::string name = base::LowerAscii(fileName);
  if (!name.empty() && name.back() == '.') name.pop_back();
  const auto dot = name.rfind('.');
  const std::string extension = "." + (dot == std::string::npos ? name : name.substr(dot + 1));
  // A containment test, so ".tiff" also matches ".tif" and ".jpegx" matches ".jpeg".
  for (const TypeRow& row : kTypes)
    for (std::string_view candidate : row.extensions)
      if (!candidate.empty() && extension.find(candidate) != std::string::npos) return row.code;
  return kUnknownPictureType;
}

std::string_view PictureTypeName(int typeCode) {
  for (const TypeRow& row : kTypes)
    if (row.code == typeCode) return row.name;
  return "unknown";
}

}  // namespace project
