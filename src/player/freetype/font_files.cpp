#include "player/freetype/font_files.h"

#include <fontconfig/fontconfig.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "base/ascii.h"

namespace player {
namespace {

struct StandIn {
  std::string_view windowsFace;  // lower case
  std::string_view family;
};

constexpr std::array<StandIn, 3> kMetricCompatible = {{
    {"arial", "Liberation Sans"},
    {"times new roman", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
}};

struct PatternFree {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternFree>;

const char* Chars(const FcChar8* text) { return reinterpret_cast<const char*>(text); }
const FcChar8* Bytes(const std::string& text) { return reinterpret_cast<const FcChar8*>(text.c_str()); }

void InitFontconfig() {
  // Fontconfig's configuration is freed at exit; it is not otherwise released.
  static const bool ready = FcInit() == FcTrue && std::atexit([] { FcFini(); }) == 0;
  if (!ready) throw std::runtime_error("fontconfig cannot read its configuration");
}

// The generic family ("serif", "monospace", "sans-serif") that fontconfig's
// own rules add to a face name first; "sans-serif" when none.
std::string GenericFamilyOf(std::string_view face) {
  InitFontconfig();
  Pattern pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, Bytes(std::string(face)));
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcChar8* family = nullptr;
  for (int n = 0; FcPatternGetString(pattern.get(), FC_FAMILY, n, &family) == FcResultMatch; ++n) {
    const std::string name = base::LowerAscii(Chars(family));
    if (name == "serif" || name == "monospace" || name == "sans-serif") return name;
  }
  return "sans-serif";
}

bool HasFamily(FcPattern* font, std::string_view wanted) {
  FcChar8* family = nullptr;
  for (int n = 0; FcPatternGetString(font, FC_FAMILY, n, &family) == FcResultMatch; ++n)
    if (base::LowerAscii(Chars(family)) == base::LowerAscii(wanted)) return true;
  return false;
}

Pattern Match(const std::string& family, bool bold, bool italic) {
  Pattern pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, Bytes(family));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  return Pattern(FcFontMatch(nullptr, pattern.get(), &result));
}

}  // namespace

std::string StandInFamily(std::string_view windowsFace) {
  const std::string face = base::LowerAscii(base::TrimControls(windowsFace));
  for (const StandIn& standIn : kMetricCompatible)
    if (face == standIn.windowsFace) return std::string(standIn.family);
  const std::string generic = GenericFamilyOf(face);
  if (generic == "serif") return "DejaVu Serif";
  if (generic == "monospace") return "DejaVu Sans Mono";
  return "DejaVu Sans";
}

FontFile FindFontFile(std::string_view windowsFace, bool bold, bool italic) {
  InitFontconfig();
  std::string family = StandInFamily(windowsFace);
  Pattern font = Match(family, bold, italic);
  if (font && !HasFamily(font.get(), family)) {
    family = "DejaVu Sans";
    if (Pattern fallback = Match(family, bold, italic); fallback && HasFamily(fallback.get(), family))
      font = std::move(fallback);
  }
  FcChar8* file = nullptr;
  if (!font || FcPatternGetString(font.get(), FC_FILE, 0, &file) != FcResultMatch)
    throw std::runtime_error("no font for \"" + std::string(windowsFace) + "\": fontconfig knows no font file");
  FontFile found;
  found.path = Chars(file);
  FcPatternGetInteger(font.get(), FC_INDEX, 0, &found.index);
  FcChar8* name = nullptr;
  if (FcPatternGetString(font.get(), FC_FAMILY, 0, &name) == FcResultMatch) found.family = Chars(name);
  int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(font.get(), FC_WEIGHT, 0, &weight);
  FcPatternGetInteger(font.get(), FC_SLANT, 0, &slant);
  found.fakeBold = bold && weight < FC_WEIGHT_DEMIBOLD;
  found.fakeItalic = italic && slant == FC_SLANT_ROMAN;
  return found;
}

}  // namespace player
