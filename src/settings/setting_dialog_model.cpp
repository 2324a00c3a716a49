#include "settings/setting_dialog_model.h"

#include <algorithm>

#include "base/ascii.h"
#include "project/number_list.h"

namespace settings {

void CheckNamedTransitions(std::string_view list, TransitionChecks& checks) {
  for (const project::ListEntry& entry : project::ListEntries(list)) {
    const int index = entry.value.value_or(0);
    if (index >= 0 && index < project::kTransitionCount) checks[static_cast<size_t>(index)] = true;
  }
}

std::string TransitionListOf(const TransitionChecks& checks) {
  std::string list;
  for (size_t i = 0; i < checks.size(); ++i)
    if (checks[i]) list += std::to_string(i) + ";";
  return list;
}

std::string WriteRefusedMessage(const TRWSetting& setting) {
  const std::string machine = setting.KeyDisplayName(KeyScope::Machine);
  const std::string user = setting.KeyDisplayName(KeyScope::User);
  if (setting.LastWriteFailure() == KeyFailure::AccessDenied)
    return "The settings were not saved: this user account may change neither the registry key " + machine +
           " nor its own key " + user + ".\n\nAsk an administrator to change them, or run the settings as "
           "administrator.";
  return "The settings were not saved: the registry keys " + machine + " and " + user +
         " could not be opened or created.";
}

SettingDialogModel::SettingDialogModel(int32_t rightClickMenu) : rightClickMenu_(rightClickMenu) {
  controls.mouseMoveEnabled = rightClickMenu_ == 0;
  controls.mouseRightClickEnabled = rightClickMenu_ == 0;
}

void SettingDialogModel::DisplaySetting(const TRWSetting& setting) {
  SettingControls& c = controls;
  c.ckbEnabledPassword = setting.EnabledPassword;
  c.edtPassword = setting.Password;
  c.edtConform = setting.Password;
  c.tbMouseSensitivity = std::clamp(20 - setting.MouseSensitivity, kSensitivityMin, kSensitivityMax);
  c.ckbMouseMove = setting.MouseMove && rightClickMenu_ == 0;
  c.ckbMouseLeftClick = setting.MouseLeftClick;
  c.ckbMouseRightClick = setting.MouseRightClick && rightClickMenu_ == 0;
  c.ckbMouseDoubleClick = setting.MouseDoubleClick;
  c.ckbEscKey = setting.EscKey;
  c.ckbEnterkey = setting.EnterKey;
  c.ckbSpecifyKey = setting.SpecifiedKey;
  c.edtKeyValue = setting.KeyValue;
  c.ckbEnabledMusic = setting.EnabledMusic;
  c.ckbMaxRuntime = setting.UseMaxRunTime;
  // The up-down control holds a 16-bit position within its range.
  c.udMaxRunTime = std::clamp<int>(static_cast<int16_t>(setting.MaxRunTime), kMaxRunTimeMin, kMaxRunTimeMax);
  c.ckbRandomInEffect = setting.RandomTransition;
  c.tbInSpeed = std::clamp(setting.TransitionSpeed, kSpeedMin, kSpeedMax);
  c.clbInEffect.fill(false);
  CheckNamedTransitions(setting.Transition, c.clbInEffect);
  ckbtransitionusedClick(setting.NewTransition);
}

ApplyResult SettingDialogModel::ApplySetting(TRWSetting& setting) const {
  const SettingControls& c = controls;
  if (c.ckbEnabledPassword) {
    const std::string_view password = base::TrimControls(c.edtPassword);
    if (password.empty()) return {false, std::string(kMsgPasswordEmpty)};
    if (password != base::TrimControls(c.edtConform)) return {false, std::string(kMsgPasswordMismatch)};
    setting.Password = std::string(password);
  }
  setting.EnabledPassword = c.ckbEnabledPassword;
  setting.MouseSensitivity = 20 - c.tbMouseSensitivity;
  setting.MouseMove = c.ckbMouseMove && c.mouseMoveEnabled;
  setting.MouseLeftClick = c.ckbMouseLeftClick;
  setting.MouseRightClick = c.ckbMouseRightClick && c.mouseRightClickEnabled;
  setting.MouseDoubleClick = c.ckbMouseDoubleClick;
  setting.EscKey = c.ckbEscKey;
  setting.EnterKey = c.ckbEnterkey;
  setting.SpecifiedKey = c.ckbSpecifyKey;
  setting.KeyValue = c.edtKeyValue;
  setting.EnabledMusic = c.ckbEnabledMusic;
  setting.UseMaxRunTime = c.ckbMaxRuntime;
  setting.MaxRunTime = static_cast<int16_t>(c.udMaxRunTime);
  setting.Transition = TransitionListOf(c.clbInEffect);
  setting.TransitionSpeed = c.tbInSpeed;
  setting.RandomTransition = c.ckbRandomInEffect;
  setting.NewTransition = c.ckbtransitionused;
  try {
    if (!setting.WriteSetting()) return {false, WriteRefusedMessage(setting)};
  } catch (const SettingsError& error) {
    return {false, error.what()};
  }
  return {true, {}};
}

void SettingDialogModel::ckbtransitionusedClick(bool checked) {
  controls.ckbtransitionused = checked;
  controls.transitionChoiceEnabled = checked;
}

void SettingDialogModel::btnInSelectAllClick() { controls.clbInEffect.fill(true); }

void SettingDialogModel::btnInClearAllClick() { controls.clbInEffect.fill(false); }

}  // namespace settings
