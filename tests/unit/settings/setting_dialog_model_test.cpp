#include "settings/setting_dialog_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings/fake_settings_backend.h"

namespace settings {
namespace {

using ::testing::HasSubstr;
using testing::FakeSettingsBackend;

int CheckedCount(const TransitionChecks& checks) {
  int count = 0;
  for (bool checked : checks) count += checked ? 1 : 0;
  return count;
}

TransitionChecks ChecksOf(std::string_view list) {
  TransitionChecks checks{};
  CheckNamedTransitions(list, checks);
  return checks;
}

class SettingDialogModelTest : public ::testing::Test {
 protected:
  FakeSettingsBackend backend;
  TRWSetting setting{"Sunset.scr", backend};

  // Shows `setting` in a dialog for a project with `rightClickMenu` and presses OK.
  ApplyResult DisplayAndApply(int32_t rightClickMenu = 0) {
    SettingDialogModel model(rightClickMenu);
    model.DisplaySetting(setting);
    return model.ApplySetting(setting);
  }
};

TEST_F(SettingDialogModelTest, FreshStoreShowsTheDefaults) {
  SettingDialogModel model(0);
  model.DisplaySetting(setting);
  const SettingControls& c = model.controls;
  EXPECT_EQ(c.tbMouseSensitivity, 15);
  EXPECT_EQ(CheckedCount(c.clbInEffect), 161);
  EXPECT_EQ(c.tbInSpeed, 25);
  EXPECT_EQ(c.udMaxRunTime, 60);
  EXPECT_TRUE(c.ckbRandomInEffect);
  EXPECT_TRUE(c.ckbMouseMove && c.ckbMouseRightClick && c.ckbMouseDoubleClick && c.ckbEscKey && c.ckbEnterkey);
  EXPECT_FALSE(c.ckbMouseLeftClick || c.ckbSpecifyKey || c.ckbMaxRuntime || c.ckbEnabledPassword);
  EXPECT_TRUE(c.ckbEnabledMusic);
  EXPECT_EQ(c.edtKeyValue, "A");
  EXPECT_FALSE(c.ckbtransitionused);
  EXPECT_FALSE(c.transitionChoiceEnabled);
  EXPECT_TRUE(c.mouseMoveEnabled && c.mouseRightClickEnabled);
}

TEST_F(SettingDialogModelTest, OkOnTheDefaultsWritesTheDefaults) {
  ASSERT_TRUE(DisplayAndApply().saved);
  TRWSetting reread("Sunset", backend);
  reread.TransitionSpeed = 0;
  ASSERT_TRUE(reread.ReadSetting());
  EXPECT_EQ(reread.MouseSensitivity, 5);
  EXPECT_EQ(reread.Transition, project::AllTransitionsList());
  EXPECT_EQ(reread.TransitionSpeed, 25);
  EXPECT_EQ(reread.MaxRunTime, 60);
  EXPECT_EQ(reread.KeyValue, "A");
  EXPECT_TRUE(reread.MouseMove);
  EXPECT_TRUE(reread.RandomTransition);
  EXPECT_EQ(backend.keys.at("Software\\Halberline\\Sunset").size(), 18u);
}

TEST_F(SettingDialogModelTest, RightClickMenuDisablesAndClearsMouseMoveAndRightClick) {
  SettingDialogModel model(2);
  model.DisplaySetting(setting);
  EXPECT_FALSE(model.controls.ckbMouseMove);
  EXPECT_FALSE(model.controls.ckbMouseRightClick);
  EXPECT_FALSE(model.controls.mouseMoveEnabled);
  EXPECT_FALSE(model.controls.mouseRightClickEnabled);
  EXPECT_TRUE(model.controls.ckbMouseDoubleClick);
  // Even a box checked behind the user's back counts as the disabled box shows.
  model.controls.ckbMouseMove = true;
  ASSERT_TRUE(model.ApplySetting(setting).saved);
  EXPECT_FALSE(setting.MouseMove);
  EXPECT_FALSE(setting.MouseRightClick);
  EXPECT_TRUE(setting.MouseDoubleClick);
}

TEST_F(SettingDialogModelTest, SensitivityIsTwentyMinusTheTrackBar) {
  for (int sensitivity = 0; sensitivity <= 19; ++sensitivity) {
    setting.MouseSensitivity = sensitivity;
    SettingDialogModel model(0);
    model.DisplaySetting(setting);
    EXPECT_EQ(model.controls.tbMouseSensitivity, 20 - sensitivity);
    setting.MouseSensitivity = -100;
    ASSERT_TRUE(model.ApplySetting(setting).saved);
    EXPECT_EQ(setting.MouseSensitivity, sensitivity);
  }
  // Values no dialog writes are shown at the nearer end of the bar.
  setting.MouseSensitivity = 25;
  ASSERT_TRUE(DisplayAndApply().saved);
  EXPECT_EQ(setting.MouseSensitivity, 19);
  setting.MouseSensitivity = -3;
  ASSERT_TRUE(DisplayAndApply().saved);
  EXPECT_EQ(setting.MouseSensitivity, 0);
}

TEST_F(SettingDialogModelTest, MaxRunTimeIsASixteenBitUpDownPositionWithinItsRange) {
  struct Case {
    int32_t stored;
    int shown;
  };
  for (const Case& c : {Case{60, 60}, Case{999, 999}, Case{1000, 999}, Case{65536 + 60, 60}, Case{0, 1},
                        Case{-5, 1}, Case{70000, 999}}) {
    setting.MaxRunTime = c.stored;
    SettingDialogModel model(0);
    model.DisplaySetting(setting);
    EXPECT_EQ(model.controls.udMaxRunTime, c.shown) << c.stored;
    ASSERT_TRUE(model.ApplySetting(setting).saved);
    EXPECT_EQ(setting.MaxRunTime, c.shown);
  }
}

TEST_F(SettingDialogModelTest, SpeedIsShownWithinTheBarAndStoredAsItStands) {
  setting.TransitionSpeed = 0;
  ASSERT_TRUE(DisplayAndApply().saved);
  EXPECT_EQ(setting.TransitionSpeed, 1);
  setting.TransitionSpeed = 80;
  ASSERT_TRUE(DisplayAndApply().saved);
  EXPECT_EQ(setting.TransitionSpeed, 50);
}

TEST(TransitionListTest, ChecksTheNamedEntries) {
  const TransitionChecks checks = ChecksOf("3;17;40;");
  EXPECT_EQ(CheckedCount(checks), 3);
  EXPECT_TRUE(checks[3] && checks[17] && checks[40]);
  EXPECT_EQ(CheckedCount(ChecksOf("")), 0);
  EXPECT_EQ(CheckedCount(ChecksOf("4;4;4;")), 1);
  EXPECT_TRUE(ChecksOf("160;")[160]);
}

TEST(TransitionListTest, PiecesThatAreNotNumbersNameTheFirstEntry) {
  const TransitionChecks checks = ChecksOf("5;x;");
  EXPECT_EQ(CheckedCount(checks), 2);
  EXPECT_TRUE(checks[0] && checks[5]);
  EXPECT_TRUE(ChecksOf(";")[0]);
  // Blanks around a number are allowed, as in every list of numbers.
  EXPECT_TRUE(ChecksOf(" 9 ;")[9]);
}

TEST(TransitionListTest, TextAfterTheLastSemicolonIsIgnored) {
  const TransitionChecks checks = ChecksOf("7;12");
  EXPECT_EQ(CheckedCount(checks), 1);
  EXPECT_TRUE(checks[7]);
  EXPECT_EQ(CheckedCount(ChecksOf("12")), 0);
}

TEST(TransitionListTest, IndicesOutsideTheListAreSkipped) {
  EXPECT_EQ(CheckedCount(ChecksOf("161;-1;999;")), 0);
  // A number too large for 32 bits is no number: it names entry 0.
  EXPECT_TRUE(ChecksOf("2147483648;")[0]);
  const TransitionChecks checks = ChecksOf("-1;1;161;");
  EXPECT_EQ(CheckedCount(checks), 1);
  EXPECT_TRUE(checks[1]);
}

TEST(TransitionListTest, IsBuiltInIndexOrder) {
  TransitionChecks checks{};
  checks[40] = checks[3] = checks[17] = true;
  EXPECT_EQ(TransitionListOf(checks), "3;17;40;");
  EXPECT_EQ(TransitionListOf(TransitionChecks{}), "");
  checks.fill(true);
  EXPECT_EQ(TransitionListOf(checks), project::AllTransitionsList());
  EXPECT_EQ(TransitionListOf(ChecksOf("160;0;99;")), "0;99;160;");
}

TEST_F(SettingDialogModelTest, ClearingEveryTransitionStoresTheEmptyList) {
  SettingDialogModel model(0);
  model.DisplaySetting(setting);
  model.btnInClearAllClick();
  EXPECT_EQ(CheckedCount(model.controls.clbInEffect), 0);
  ASSERT_TRUE(model.ApplySetting(setting).saved);
  EXPECT_EQ(setting.Transition, "");
  TRWSetting reread("Sunset.scr", backend);
  ASSERT_TRUE(reread.ReadSetting());
  EXPECT_EQ(reread.Transition, "");
  SettingDialogModel shown(0);
  shown.DisplaySetting(reread);
  EXPECT_EQ(CheckedCount(shown.controls.clbInEffect), 0);
  shown.btnInSelectAllClick();
  EXPECT_EQ(CheckedCount(shown.controls.clbInEffect), 161);
}

TEST_F(SettingDialogModelTest, TransitionChoiceFollowsTheUseBoxButIsStoredEitherWay) {
  setting.NewTransition = true;
  setting.Transition = "1;2;";
  SettingDialogModel model(0);
  model.DisplaySetting(setting);
  EXPECT_TRUE(model.controls.ckbtransitionused);
  EXPECT_TRUE(model.controls.transitionChoiceEnabled);
  model.controls.clbInEffect[9] = true;
  model.ckbtransitionusedClick(false);
  EXPECT_FALSE(model.controls.transitionChoiceEnabled);
  ASSERT_TRUE(model.ApplySetting(setting).saved);
  EXPECT_FALSE(setting.NewTransition);
  EXPECT_EQ(setting.Transition, "1;2;9;");
  model.ckbtransitionusedClick(true);
  EXPECT_TRUE(model.controls.transitionChoiceEnabled);
}

TEST_F(SettingDialogModelTest, DisplayThenApplyKeepsEveryValue) {
  setting.EnabledPassword = true;
  setting.Password = "pw";
  setting.MouseSensitivity = 12;
  setting.MouseMove = false;
  setting.MouseLeftClick = true;
  setting.MouseRightClick = false;
  setting.MouseDoubleClick = false;
  setting.EscKey = false;
  setting.EnterKey = false;
  setting.SpecifiedKey = true;
  setting.KeyValue = "q";
  setting.EnabledMusic = false;
  setting.UseMaxRunTime = true;
  setting.MaxRunTime = 7;
  setting.Transition = "3;17;40;";
  setting.RandomTransition = false;
  setting.TransitionSpeed = 44;
  setting.NewTransition = true;
  ASSERT_TRUE(setting.WriteSetting());
  const auto written = backend.keys;
  ASSERT_TRUE(DisplayAndApply().saved);
  EXPECT_EQ(backend.keys, written);
}

TEST_F(SettingDialogModelTest, EmptyPasswordIsRefusedAndNothingIsWritten) {
  setting.Password = "old";
  for (const char* typed : {"", "   ", "\t\r\n "}) {
    SettingDialogModel model(0);
    model.DisplaySetting(setting);
    model.controls.ckbEnabledPassword = true;
    model.controls.edtPassword = typed;
    model.controls.edtConform = typed;
    model.controls.ckbEscKey = false;
    const ApplyResult result = model.ApplySetting(setting);
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.message, "Please input password!");
  }
  EXPECT_EQ(backend.writeOpens, 0);
  EXPECT_EQ(setting.Password, "old");
  EXPECT_FALSE(setting.EnabledPassword);
  EXPECT_TRUE(setting.EscKey);
}

TEST_F(SettingDialogModelTest, DifferentConfirmationIsRefused) {
  for (const char* confirm : {"secret2", "SECRET", "", "sec ret"}) {
    SettingDialogModel model(0);
    model.DisplaySetting(setting);
    model.controls.ckbEnabledPassword = true;
    model.controls.edtPassword = "secret";
    model.controls.edtConform = confirm;
    const ApplyResult result = model.ApplySetting(setting);
    EXPECT_FALSE(result.saved) << confirm;
    EXPECT_EQ(result.message, "New Password <> Confirm Password");
  }
  EXPECT_EQ(backend.writeOpens, 0);
  EXPECT_EQ(setting.Password, "");
}

TEST_F(SettingDialogModelTest, AcceptedPasswordIsStoredTrimmed) {
  SettingDialogModel model(0);
  model.DisplaySetting(setting);
  model.controls.ckbEnabledPassword = true;
  model.controls.edtPassword = "  Open Sesame\t";
  model.controls.edtConform = "Open Sesame\r\n";
  ASSERT_TRUE(model.ApplySetting(setting).saved);
  EXPECT_EQ(setting.Password, "Open Sesame");
  EXPECT_TRUE(setting.EnabledPassword);
  EXPECT_EQ(std::get<std::string>(backend.keys.at("Software\\Halberline\\Sunset").at("Pwd")), "Open Sesame");
}

TEST_F(SettingDialogModelTest, PasswordOffKeepsTheStoredPasswordWhateverTheEditsHold) {
  setting.Password = "kept";
  SettingDialogModel model(0);
  model.DisplaySetting(setting);
  EXPECT_EQ(model.controls.edtPassword, "kept");
  EXPECT_EQ(model.controls.edtConform, "kept");
  model.controls.edtPassword = "other";
  model.controls.edtConform = "";
  ASSERT_TRUE(model.ApplySetting(setting).saved);
  EXPECT_EQ(setting.Password, "kept");
  EXPECT_FALSE(setting.EnabledPassword);
}

TEST_F(SettingDialogModelTest, KeyValueIsStoredAsItStands) {
  SettingDialogModel model(0);
  model.DisplaySetting(setting);
  model.controls.edtKeyValue = "";
  ASSERT_TRUE(model.ApplySetting(setting).saved);
  EXPECT_EQ(setting.KeyValue, "");
  model.controls.edtKeyValue = "z";
  ASSERT_TRUE(model.ApplySetting(setting).saved);
  EXPECT_EQ(setting.KeyValue, "z");
}

TEST_F(SettingDialogModelTest, RefusedKeyTellsTheUserWhy) {
  backend.refuseWrite = true;
  ApplyResult result = DisplayAndApply();
  EXPECT_TRUE(result.saved) << "the user's own key, without a word";
  EXPECT_EQ(result.message, "");

  backend.refuseUserWrite = true;
  result = DisplayAndApply();
  EXPECT_FALSE(result.saved);
  EXPECT_THAT(result.message, HasSubstr("HKLM\\Software\\Halberline\\Sunset"));
  EXPECT_THAT(result.message, HasSubstr("HKCU\\Software\\Halberline\\Sunset"));
  EXPECT_THAT(result.message, HasSubstr("administrator"));

  backend.refusal = KeyFailure::Other;
  result = DisplayAndApply();
  EXPECT_FALSE(result.saved);
  EXPECT_THAT(result.message, HasSubstr("could not be opened or created"));

  backend.refuseWrite = false;
  backend.refuseUserWrite = false;
  backend.unsettable.insert("Pwd");
  result = DisplayAndApply();
  EXPECT_FALSE(result.saved);
  EXPECT_EQ(result.message, "Failed to set data for 'Pwd'");
}

}  // namespace
}  // namespace settings
