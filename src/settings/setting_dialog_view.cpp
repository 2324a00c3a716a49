#include "settings/setting_dialog_view.h"

namespace settings {

SettingDialogView ViewOfProject(const project::TProjectInfo& project) {
  SettingDialogView view;
  view.showDialogImage = project.ShowDialogImage;
  view.clientWidth = kDialogClientWidth - (project.ShowDialogImage ? 0 : kImagePanelWidth);
  view.showAuthorPage = project.ShowAuthorInfo;
  view.actionMenuVisible = project.ShowAuthorInfo && project.ShowAuthorWebSite;
  view.helpMenuVisible = project.ShowHelpMenu;
  if (project.ShowAuthorInfo) {
    view.lbAuthor = project.AuthorName;
    view.plAuthwebVisible = project.ShowAuthorWebSite;
    if (view.plAuthwebVisible) view.lbAuthWebSite = project.AuthorWebSite;
    view.plAuthEMailVisible = project.ShowAuthorEmail;
    if (view.plAuthEMailVisible) view.lbEMail = project.AuthorEmail;
    view.edtDescVisible = project.ShowDescription;
    if (view.edtDescVisible) view.edtDesc = project.Description;
  } else {
    view.memdesc = project.Description;
  }
  view.mouseChoicesEnabled = project.RightClickMenu == 0;
  return view;
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace settings
