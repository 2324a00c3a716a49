// The texts of the about box, from the project header and the machine's memory.
#pragma once

#include <cstdint>
#include <string>

#include "project/project_info.h"

namespace settings {

inline constexpr int kAboutClientWidth = 300;
inline constexpr int kAboutClientHeight = 140;
inline constexpr int kAboutPanelWidth = 73;   // the lowered square around the icon
inline constexpr int kAboutPanelHeight = 64;
inline constexpr int kAboutIconSize = 32;     // the program icon inside it

struct AboutBoxTexts {
  std::string caption;        // "About " + ProjectName
  std::string lbProjectName;
  std::string labelversion;   // VersionLabelText
  std::string lbVersion;
  std::string lbCopyright;
  std::string lbavailmemory;  // MemoryLabelText
  std::string lbMemory;       // total physical memory, "<n> K"
};

// The total physical memory in bytes, as the about box shows it: the number of
// whole kilobytes followed by " K".
std::string MemoryText(uint64_t totalPhysicalBytes);

AboutBoxTexts AboutTextsOf(const project::TProjectInfo& project, uint64_t totalPhysicalBytes);

// Where an item of `itemSize` goes to be centred in `panelSize`.
constexpr int CentredOffset(int panelSize, int itemSize) { return (panelSize - itemSize) / 2; }

}  // namespace settings
