#include "settings/about_box_texts.h"

namespace settings {

std::string MemoryText(uint64_t totalPhysicalBytes) { return std::to_string(totalPhysicalBytes / 1024) + " K"; }

AboutBoxTexts AboutTextsOf(const project::TProjectInfo& project, uint64_t totalPhysicalBytes) {
  AboutBoxTexts texts;
  texts.caption = "About " + project.ProjectName;
  texts.lbProjectName = project.ProjectName;
  texts.lbVersion = project.Version;
  texts.lbCopyright = project.Copyright;
  texts.lbMemory = MemoryText(totalPhysicalBytes);
  texts.labelversion = project.VersionLabelText();
  texts.lbavailmemory = project.MemoryLabelText();
  return texts;
}

}  // namespace settings
