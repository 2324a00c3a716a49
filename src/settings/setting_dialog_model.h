// What the settings dialog's controls show, and the rules that move values
// between them and the settings store. The Windows dialog copies this state
// to and from its controls; everything decided here is tested natively.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/rw_setting.h"
#include "transitions/transition_names.h"

namespace settings {

inline constexpr int kSensitivityMin = 1;
inline constexpr int kSensitivityMax = 20;
inline constexpr int kSensitivityLineSize = 10;
inline constexpr int kSpeedMin = 1;
inline constexpr int kSpeedMax = 50;
inline constexpr int kMaxRunTimeMin = 1;
inline constexpr int kMaxRunTimeMax = 999;
inline constexpr int kMaxRunTimeDigits = 3;
inline constexpr int kKeyValueLength = 1;

inline constexpr std::string_view kMsgPasswordEmpty = "Please input password!";
inline constexpr std::string_view kMsgPasswordMismatch = "New Password <> Confirm Password";

using TransitionChecks = std::array<bool, transitions::kTransitionCount>;

// The state of the dialog's controls, named after them. Positions are those a
// control would hold, that is within its range.
struct SettingControls {
  // Page "Normal" (never shown).
  bool ckbEnabledPassword = false;
  std::string edtPassword;
  std::string edtConform;
  // Page "Setting".
  bool ckbMouseMove = false;
  bool ckbMouseLeftClick = false;
  bool ckbMouseRightClick = false;
  bool ckbMouseDoubleClick = false;
  bool ckbEscKey = false;
  bool ckbEnterkey = false;
  bool ckbSpecifyKey = false;
  bool mouseMoveEnabled = true;        // ckbMouseMove
  bool mouseRightClickEnabled = true;  // ckbMouseRightClick
  std::string edtKeyValue = "A";
  int tbMouseSensitivity = kSensitivityMin;
  bool ckbEnabledMusic = false;
  bool ckbMaxRuntime = false;
  int udMaxRunTime = kMaxRunTimeMin;
  // Page "Transitions".
  bool ckbtransitionused = false;
  // clbInEffect, btnInSelectAll, btnInClearAll, ckbRandomInEffect, tbInSpeed.
  bool transitionChoiceEnabled = true;
  TransitionChecks clbInEffect{};
  bool ckbRandomInEffect = false;
  int tbInSpeed = kSpeedMin;
};

// The outcome of ApplySetting: saved, or the message to show.
struct ApplyResult {
  bool saved = false;
  std::string message;
};

// Checks the list entries named by a transition list ("3;17;40;"). A piece
// that is not a decimal number names entry 0; an index outside the list is
// skipped; text after the last ";" is ignored. Other entries are unchanged.
void CheckNamedTransitions(std::string_view list, TransitionChecks& checks);
// The checked entries as a transition list, in index order; "" for none.
std::string TransitionListOf(const TransitionChecks& checks);

// The message shown when "OK" or "Save" cannot write the key.
std::string WriteRefusedMessage(const TRWSetting& setting);

class SettingDialogModel {
 public:
  // RightClickMenu of the project: non-zero disables "Mouse Move" and
  // "Mouse Right Click" and shows them unchecked.
  explicit SettingDialogModel(int32_t rightClickMenu);

  // Copies the store into the controls.
  void DisplaySetting(const TRWSetting& setting);
  // Checks the input, copies the controls into the store and writes it. A
  // rejected password changes nothing in the store.
  ApplyResult ApplySetting(TRWSetting& setting) const;

  void ckbtransitionusedClick(bool checked);
  void btnInSelectAllClick();
  void btnInClearAllClick();

  SettingControls controls;

 private:
  int32_t rightClickMenu_;
};

}  // namespace settings
