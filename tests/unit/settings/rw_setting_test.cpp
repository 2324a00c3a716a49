#include "settings/rw_setting.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings/fake_settings_backend.h"

namespace settings {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using testing::FakeSettingsBackend;
using testing::Key;

const std::vector<std::string> kValueOrder = {
    "Enabled password", "Pwd", "Mouse Sensitivity", "Mouse Move", "Mouse Left Click", "Mouse Right Click",
    "Mouse Double Click", "Esc Key", "Enter Key", "Specified Key", "Key Value", "Enabled Music",
    "Use Max Run Time", "Max Run Time", "transition", "random transition", "transition speed", "newtransition"};

std::vector<std::string> Prefixed(const std::string& prefix, size_t count) {
  std::vector<std::string> out;
  for (size_t i = 0; i < count; ++i) out.push_back(prefix + kValueOrder[i]);
  return out;
}

// A key in which every value differs from its default.
Key NonDefaultKey() {
  return {{"Enabled password", 1u}, {"Pwd", std::string("secret")}, {"Mouse Sensitivity", 12u},
          {"Mouse Move", 0u}, {"Mouse Left Click", 1u}, {"Mouse Right Click", 0u},
          {"Mouse Double Click", 0u}, {"Esc Key", 0u}, {"Enter Key", 0u}, {"Specified Key", 1u},
          {"Key Value", std::string("q")}, {"Enabled Music", 0u}, {"Use Max Run Time", 1u},
          {"Max Run Time", 7u}, {"transition", std::string("3;17;40;")}, {"random transition", 0u},
          {"transition speed", 44u}, {"newtransition", 1u}};
}

void ExpectNonDefault(const TRWSetting& s) {
  EXPECT_TRUE(s.EnabledPassword);
  EXPECT_EQ(s.Password, "secret");
  EXPECT_EQ(s.MouseSensitivity, 12);
  EXPECT_FALSE(s.MouseMove);
  EXPECT_TRUE(s.MouseLeftClick);
  EXPECT_FALSE(s.MouseRightClick);
  EXPECT_FALSE(s.MouseDoubleClick);
  EXPECT_FALSE(s.EscKey);
  EXPECT_FALSE(s.EnterKey);
  EXPECT_TRUE(s.SpecifiedKey);
  EXPECT_EQ(s.KeyValue, "q");
  EXPECT_FALSE(s.EnabledMusic);
  EXPECT_TRUE(s.UseMaxRunTime);
  EXPECT_EQ(s.MaxRunTime, 7);
  EXPECT_EQ(s.Transition, "3;17;40;");
  EXPECT_FALSE(s.RandomTransition);
  EXPECT_EQ(s.TransitionSpeed, 44);
  EXPECT_TRUE(s.NewTransition);
}

void ExpectDefaults(const TRWSetting& s) {
  EXPECT_FALSE(s.EnabledPassword);
  EXPECT_EQ(s.Password, "");
  EXPECT_EQ(s.MouseSensitivity, 5);
  EXPECT_TRUE(s.MouseMove);
  EXPECT_FALSE(s.MouseLeftClick);
  EXPECT_TRUE(s.MouseRightClick);
  EXPECT_TRUE(s.MouseDoubleClick);
  EXPECT_TRUE(s.EscKey);
  EXPECT_TRUE(s.EnterKey);
  EXPECT_FALSE(s.SpecifiedKey);
  EXPECT_EQ(s.KeyValue, "A");
  EXPECT_TRUE(s.EnabledMusic);
  EXPECT_FALSE(s.UseMaxRunTime);
  EXPECT_EQ(s.MaxRunTime, 60);
  EXPECT_EQ(s.Transition, project::AllTransitionsList());
  EXPECT_TRUE(s.RandomTransition);
  EXPECT_EQ(s.TransitionSpeed, 25);
  EXPECT_FALSE(s.NewTransition);
}

TEST(KeyPathTest, CutsTheExtensionByTheLastDotAfterTheLastSeparator) {
  EXPECT_EQ(KeyPathForProject("Sunset.scr"), "Software\\Halberline\\Sunset");
  EXPECT_EQ(KeyPathForProject("Show 1.5"), "Software\\Halberline\\Show 1");
  EXPECT_EQ(KeyPathForProject("Garden Party"), "Software\\Halberline\\Garden Party");
  EXPECT_EQ(KeyPathForProject("a.b.c"), "Software\\Halberline\\a.b");
  EXPECT_EQ(KeyPathForProject("old.v2\\Show"), "Software\\Halberline\\old.v2\\Show");
  EXPECT_EQ(KeyPathForProject("D.1:Show"), "Software\\Halberline\\D.1:Show");
  EXPECT_EQ(KeyPathForProject(".scr"), "Software\\Halberline\\");
}

TEST(AllTransitionsListTest, NamesEveryIndexInAscendingOrder) {
  const std::string list = project::AllTransitionsList();
  EXPECT_EQ(list.substr(0, 8), "0;1;2;3;");
  EXPECT_EQ(list.substr(list.size() - 8), "159;160;");
  // 10 one-digit, 90 two-digit and 61 three-digit indices, each with its ";".
  EXPECT_EQ(list.size(), 10u * 2 + 90u * 3 + 61u * 4);
}

TEST(RWSettingTest, CreationSetsDefaultsAndTouchesNothing) {
  FakeSettingsBackend backend;
  TRWSetting setting("Sunset.scr", backend);
  EXPECT_EQ(setting.KeyPath, "Software\\Halberline\\Sunset");
  ExpectDefaults(setting);
  EXPECT_TRUE(backend.log.empty());
  EXPECT_TRUE(backend.keys.empty());
}

TEST(RWSettingTest, MissingKeyReadsFalseAndKeepsTheFields) {
  FakeSettingsBackend backend;
  TRWSetting setting("Sunset.scr", backend);
  setting.MaxRunTime = 123;
  EXPECT_FALSE(setting.ReadSetting());
  EXPECT_EQ(setting.MaxRunTime, 123);
  EXPECT_TRUE(backend.log.empty());
}

TEST(RWSettingTest, ReadsEveryValueInOrder) {
  FakeSettingsBackend backend;
  backend.keys["Software\\Halberline\\Sunset"] = NonDefaultKey();
  TRWSetting setting("Sunset.scr", backend);
  ASSERT_TRUE(setting.ReadSetting());
  ExpectNonDefault(setting);
  EXPECT_THAT(backend.log, ElementsAreArray(Prefixed("read ", 18)));
}

TEST(RWSettingTest, WritesEighteenValuesOfTheRightTypesInOrder) {
  FakeSettingsBackend backend;
  TRWSetting setting("Sunset.scr", backend);
  setting.MouseLeftClick = true;
  ASSERT_TRUE(setting.WriteSetting());
  EXPECT_THAT(backend.log, ElementsAreArray(Prefixed("write ", 18)));
  const Key& key = backend.keys.at("Software\\Halberline\\Sunset");
  ASSERT_EQ(key.size(), 18u);
  for (const char* name : {"Pwd", "Key Value", "transition"})
    EXPECT_TRUE(std::holds_alternative<std::string>(key.at(name))) << name;
  EXPECT_EQ(std::get<uint32_t>(key.at("Mouse Left Click")), 1u);
  EXPECT_EQ(std::get<uint32_t>(key.at("Mouse Move")), 1u);
  EXPECT_EQ(std::get<uint32_t>(key.at("Specified Key")), 0u);
  EXPECT_EQ(std::get<uint32_t>(key.at("Max Run Time")), 60u);
  EXPECT_EQ(std::get<std::string>(key.at("Key Value")), "A");

  TRWSetting again("Sunset.exe", backend);
  again.MouseSensitivity = 0;
  ASSERT_TRUE(again.ReadSetting());
  EXPECT_TRUE(again.MouseLeftClick);
  EXPECT_EQ(again.MouseSensitivity, 5);
}

TEST(RWSettingTest, RoundTripsNonDefaultValuesAndAnEmptyTransitionList) {
  FakeSettingsBackend backend;
  backend.keys["Software\\Halberline\\Sunset"] = NonDefaultKey();
  TRWSetting first("Sunset.scr", backend);
  ASSERT_TRUE(first.ReadSetting());
  first.Transition = "";
  first.MaxRunTime = -1;
  ASSERT_TRUE(first.WriteSetting());
  TRWSetting second("Sunset.scr", backend);
  ASSERT_TRUE(second.ReadSetting());
  EXPECT_EQ(second.Transition, "");
  EXPECT_EQ(second.MaxRunTime, -1);
  second.Transition = "3;17;40;";
  second.MaxRunTime = 7;
  ExpectNonDefault(second);
}

TEST(RWSettingTest, AnyNonZeroDwordReadsTrue) {
  FakeSettingsBackend backend;
  Key key = NonDefaultKey();
  key["Mouse Move"] = 7u;
  key["Esc Key"] = 0xFFFFFFFFu;
  backend.keys["Software\\Halberline\\Sunset"] = key;
  TRWSetting setting("Sunset.scr", backend);
  ASSERT_TRUE(setting.ReadSetting());
  EXPECT_TRUE(setting.MouseMove);
  EXPECT_TRUE(setting.EscKey);
}

TEST(RWSettingTest, MissingStringsReadAsEmpty) {
  FakeSettingsBackend backend;
  Key key = NonDefaultKey();
  key.erase("Pwd");
  key.erase("Key Value");
  key.erase("transition");
  backend.keys["Software\\Halberline\\Sunset"] = key;
  TRWSetting setting("Sunset.scr", backend);
  ASSERT_TRUE(setting.ReadSetting());
  EXPECT_EQ(setting.Password, "");
  EXPECT_EQ(setting.KeyValue, "");
  EXPECT_EQ(setting.Transition, "");
  EXPECT_TRUE(setting.NewTransition);
}

TEST(RWSettingTest, MissingLastDwordYieldsAllOthersThenTheError) {
  FakeSettingsBackend backend;
  Key key = NonDefaultKey();
  key.erase("newtransition");
  backend.keys["Software\\Halberline\\Sunset"] = key;
  TRWSetting setting("Sunset.scr", backend);
  try {
    setting.ReadSetting();
    FAIL() << "no error";
  } catch (const SettingsError& error) {
    EXPECT_STREQ(error.what(), "Failed to get data for 'newtransition'");
  }
  EXPECT_FALSE(setting.NewTransition);
  setting.NewTransition = true;  // the only field left at its default
  ExpectNonDefault(setting);
}

TEST(RWSettingTest, MissingDwordStopsTheReadWhereItIs) {
  FakeSettingsBackend backend;
  Key key = NonDefaultKey();
  key.erase("Mouse Sensitivity");
  backend.keys["Software\\Halberline\\Sunset"] = key;
  TRWSetting setting("Sunset.scr", backend);
  EXPECT_THROW(setting.ReadSetting(), SettingsError);
  EXPECT_THAT(backend.log, ElementsAreArray(Prefixed("read ", 3)));
  EXPECT_TRUE(setting.EnabledPassword);
  EXPECT_EQ(setting.Password, "secret");
  EXPECT_EQ(setting.MouseSensitivity, 5);
  EXPECT_TRUE(setting.MouseMove);
  EXPECT_EQ(setting.Transition, project::AllTransitionsList());
}

TEST(RWSettingTest, ValueOfTheWrongTypeNamesIt) {
  struct Case {
    const char* name;
    testing::StoredValue value;
  };
  for (const Case& c : {Case{"Mouse Move", std::string("1")}, Case{"Key Value", 65u},
                        Case{"transition speed", std::string("25")}}) {
    FakeSettingsBackend backend;
    Key key = NonDefaultKey();
    key[c.name] = c.value;
    backend.keys["Software\\Halberline\\Sunset"] = key;
    TRWSetting setting("Sunset.scr", backend);
    try {
      setting.ReadSetting();
      ADD_FAILURE() << c.name << ": no error";
    } catch (const SettingsError& error) {
      EXPECT_EQ(error.what(), "Invalid data type for '" + std::string(c.name) + "'");
    }
  }
}

TEST(RWSettingTest, RefusedKeysWriteNothingAndSayWhy) {
  FakeSettingsBackend backend;
  backend.refuseWrite = true;
  backend.refuseUserWrite = true;
  TRWSetting setting("Sunset.scr", backend);
  EXPECT_FALSE(setting.WriteSetting());
  EXPECT_EQ(setting.LastWriteFailure(), KeyFailure::AccessDenied);
  EXPECT_TRUE(backend.keys.empty());
  EXPECT_TRUE(backend.userKeys.empty());
  EXPECT_TRUE(backend.log.empty());
  EXPECT_THAT(setting.KeyDisplayName(KeyScope::Machine), HasSubstr("Software\\Halberline\\Sunset"));

  backend.refuseWrite = false;
  EXPECT_TRUE(setting.WriteSetting());
  EXPECT_EQ(setting.LastWriteFailure(), KeyFailure::None);
}

// A standard user may not change the machine's key: the settings go to the
// user's own key, silently, and are read from there first.
TEST(RWSettingTest, TheUsersOwnKeyWhenTheMachinesIsRefused) {
  const std::string path = "Software\\Halberline\\Sunset";
  FakeSettingsBackend backend;
  backend.keys[path] = NonDefaultKey();  // as an installer left it
  backend.refuseWrite = true;
  TRWSetting user("Sunset.scr", backend);
  ASSERT_TRUE(user.ReadSetting());
  user.TransitionSpeed = 7;
  ASSERT_TRUE(user.WriteSetting());
  EXPECT_EQ(user.LastWriteFailure(), KeyFailure::None);
  EXPECT_EQ(backend.keys.at(path), NonDefaultKey()) << "the machine's key is untouched";
  EXPECT_EQ(std::get<uint32_t>(backend.userKeys.at(path).at("transition speed")), 7u);
  EXPECT_EQ(backend.userKeys.at(path).size(), 18u);

  TRWSetting reader("Sunset.scr", backend);
  ASSERT_TRUE(reader.ReadSetting());
  EXPECT_EQ(reader.TransitionSpeed, 7);
  // An administrator's change reaches the machine's key and this user's own.
  backend.refuseWrite = false;
  user.TransitionSpeed = 9;
  ASSERT_TRUE(user.WriteSetting());
  EXPECT_EQ(std::get<uint32_t>(backend.keys.at(path).at("transition speed")), 9u);
  ASSERT_TRUE(reader.ReadSetting());
  EXPECT_EQ(reader.TransitionSpeed, 9);
  // Without a key of the user's own, the machine's is read.
  backend.userKeys.clear();
  backend.keys[path]["transition speed"] = uint32_t{11};
  ASSERT_TRUE(reader.ReadSetting());
  EXPECT_EQ(reader.TransitionSpeed, 11);
}

TEST(RWSettingTest, ValueThatCannotBeSetStopsTheWrite) {
  FakeSettingsBackend backend;
  backend.unsettable.insert("Esc Key");
  TRWSetting setting("Sunset.scr", backend);
  try {
    setting.WriteSetting();
    FAIL() << "no error";
  } catch (const SettingsError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'Esc Key'");
  }
  EXPECT_THAT(backend.log, ElementsAreArray(Prefixed("write ", 8)));
  EXPECT_EQ(backend.keys.at("Software\\Halberline\\Sunset").size(), 7u);
}

TEST(RWSettingTest, ProjectsKeepSeparateKeys) {
  FakeSettingsBackend backend;
  TRWSetting sunset("Sunset.scr", backend);
  TRWSetting garden("Garden.scr", backend);
  sunset.TransitionSpeed = 3;
  ASSERT_TRUE(sunset.WriteSetting());
  EXPECT_FALSE(garden.ReadSetting());
  ASSERT_TRUE(garden.WriteSetting());
  ASSERT_TRUE(garden.ReadSetting());
  EXPECT_EQ(garden.TransitionSpeed, 25);
  EXPECT_EQ(backend.keys.size(), 2u);
}

TEST(RWSettingTest, RereadAfterTheKeyIsGoneKeepsTheLastValues) {
  FakeSettingsBackend backend;
  backend.keys["Software\\Halberline\\Sunset"] = NonDefaultKey();
  TRWSetting setting("Sunset.scr", backend);
  ASSERT_TRUE(setting.ReadSetting());
  backend.keys.clear();
  EXPECT_FALSE(setting.ReadSetting());
  ExpectNonDefault(setting);
}

}  // namespace
}  // namespace settings
