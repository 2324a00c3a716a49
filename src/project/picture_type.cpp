#include "project/picture_type.h"

#include <array>
#include <string>

#include "base/ascii.h"

namespace project {
namespace {

struct TypeRow {
  PictureType::Code code;
  std::string_view name;
  std::array<std::string_view, 5> extensions;  // unused entries are empty
};

// In code order: the first row with a matching extension wins.
const std::array<TypeRow, PictureType::kLast> kTypes = {{
    {PictureType::Bmp, "Windows bitmap", {".bmp", ".dib"}},
    {PictureType::Jpeg, "JPEG", {".jpg", ".jpeg"}},
    {PictureType::Sgi, "SGI image", {".bw", ".rgb", ".rgba", ".sgi"}},
    {PictureType::Autodesk, "Autodesk CEL/PIC", {".cel", ".pic"}},
    {PictureType::Tiff, "TIFF", {".tif", ".tiff"}},
    {PictureType::Targa, "Truevision Targa", {".tga", ".vst", ".icb", ".vda", ".win"}},
    {PictureType::Pcx, "ZSoft PCX", {".pcx", ".pcc", ".scr"}},
    {PictureType::PhotoCd, "Kodak Photo CD", {".pcd"}},
    {PictureType::Pnm, "portable pixmap", {".ppm", ".pgm", ".pbm"}},
    {PictureType::Cut, "Dr. Halo CUT", {".cut", ".pal"}},
    {PictureType::Gif, "GIF", {".gif"}},
    {PictureType::Rla, "Wavefront RLA", {".rla", ".rpf"}},
    {PictureType::Psd, "Photoshop", {".psd", ".pdd"}},
    {PictureType::Psp, "Paint Shop Pro", {".psp"}},
    {PictureType::Png, "PNG", {".png"}},
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
  return PictureType::Unknown;
}

std::string_view PictureTypeName(int typeCode) {
  for (const TypeRow& row : kTypes)
    if (row.code == typeCode) return row.name;
  return "unknown";
}

}  // namespace project
