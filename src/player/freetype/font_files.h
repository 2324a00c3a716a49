// Which font file draws a Windows face on this machine. The faces every
// Windows system has get their metric-compatible free counterparts (Liberation
// Sans for Arial, Liberation Serif for Times New Roman, Liberation Mono for
// Courier New), so text takes the same room as on Windows; any other face is
// drawn in DejaVu, serif or monospace when fontconfig knows the face as such.
#pragma once

#include <string>
#include <string_view>

namespace player {

// The family that stands in for a Windows face name (case does not matter).
std::string StandInFamily(std::string_view windowsFace);

struct FontFile {
  std::string path;
  int index = 0;            // the face within the file
  std::string family;       // what fontconfig found
  bool fakeBold = false;    // bold was asked for and the family has none
  bool fakeItalic = false;  // italic was asked for and the family has none
};

// The file of the stand-in family in the asked style. When the stand-in is not
// installed, fontconfig's nearest font. Throws std::runtime_error when
// fontconfig knows no font at all.
FontFile FindFontFile(std::string_view windowsFace, bool bold, bool italic);

}  // namespace player
