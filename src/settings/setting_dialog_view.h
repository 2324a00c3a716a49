// What the settings dialog shows of the project: the picture panel, the
// author or description page, the menus, and the dialog's size.
#pragma once

#include <string>

#include "project/project_info.h"

namespace settings {

inline constexpr int kDialogClientWidth = 450;
inline constexpr int kDialogClientHeight = 262;
inline constexpr int kImagePanelWidth = 121;  // the strip left of the pages with the picture
inline constexpr int kPageControlHeight = 225;

struct SettingDialogView {
  bool showDialogImage = false;  // the picture strip is shown
  int clientWidth = kDialogClientWidth;
  bool showAuthorPage = false;   // tbAuthInfo; otherwise tbDesc
  bool actionMenuVisible = false;
  bool helpMenuVisible = false;
  // Page "Author Infomation".
  std::string lbAuthor;
  bool plAuthwebVisible = false;
  std::string lbAuthWebSite;
  bool plAuthEMailVisible = false;
  std::string lbEMail;
  bool edtDescVisible = false;
  std::string edtDesc;
  // Page "Description".
  std::string memdesc;
  // "Mouse Move" and "Mouse Right Click".
  bool mouseChoicesEnabled = true;
};

SettingDialogView ViewOfProject(const project::TProjectInfo& project);

// Line breaks as a Windows edit control wants them: every lone CR or LF
// becomes CR LF.
std::string WithCrLf(const std::string& text);

}  // namespace settings
