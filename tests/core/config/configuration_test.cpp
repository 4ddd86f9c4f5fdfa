#include "config/configuration.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/fakes/memory_settings_store.h"
#include "core/fakes/recording_dialog_list.h"
#include "interfaces/handset_settings.h"

namespace tolvane {
namespace {

using testing::MemorySettingsStore;
using Access = MemorySettingsStore::Access;
using testing::RecordingDialogList;

constexpr char kIni[] = "C:\\Program Files\\Tolvane\\\\Tolvane.ini";

class ConfigurationTest : public ::testing::Test {
 protected:
  ConfigurationTexts Read() { return config.Read(settings); }

  MemorySettingsStore store;
  Configuration config{store};
  HandsetSettings settings;
};

TEST_F(ConfigurationTest, NoFileGivesTheProductDefaults) {
  // Start from the opposite of every default, so each one is really written.
  settings.NotSupportedFont = 0;
  settings.SupportSky = 0;
  settings.SupportHideWindows = 0;
  settings.SupportFontFile = 1;
  settings.SupportAGC = 1;
  settings.SupportAutoRunSkype = 1;
  settings.SupportAutoSwitchAudioDevice = 1;
  settings.SupportAutoSwitchSystemAudioDevice = 1;
  settings.SupportFocusAddressBook = 1;
  settings.SupportInterruptRingON = 1;
  settings.SupportEnableKeyTone = 1;
  settings.SupportContactFocus = 1;
  settings.SupprtAPIControlSpeakerVolune = 1;
  settings.Reg04Value = 0;
  settings.Reg1CValue = 0;

  const ConfigurationTexts texts = Read();
  EXPECT_EQ(settings.NotSupportedFont, 1);  // display names supported
  EXPECT_EQ(settings.SupportSky, 1);
  EXPECT_EQ(settings.SupportHideWindows, 1);
  for (const auto* flag : {&settings.SupportFontFile, &settings.SupportAGC, &settings.SupportAutoRunSkype,
                           &settings.SupportAutoSwitchAudioDevice, &settings.SupportAutoSwitchSystemAudioDevice,
                           &settings.SupportFocusAddressBook, &settings.SupportInterruptRingON,
                           &settings.SupportEnableKeyTone, &settings.SupportContactFocus,
                           &settings.SupprtAPIControlSpeakerVolune, &settings.defaultAutoRunSkype,
                           &settings.defaultAutoSwitchAudioDevice, &settings.defaultEnableKeyTone}) {
    EXPECT_EQ(*flag, 0);
  }
  EXPECT_EQ(settings.Reg04Value, 16);
  EXPECT_EQ(settings.Reg1CValue, 8);
  for (const std::string* text : {&texts.appName, &texts.windowTitle, &texts.customerInfo, &texts.iconNoHandset,
                                  &texts.iconNoAny, &texts.iconNoSkype, &texts.iconActive}) {
    EXPECT_EQ(*text, "");
  }
  EXPECT_TRUE(store.writes.empty());  // reading never creates anything
}

TEST_F(ConfigurationTest, KeysAreReadInOrderWithTheirDefaultsFromTheProgramsDirectory) {
  Read();
  const std::vector<Access> expected = {
      {kIni, "FONT", "NotSupportedFont", "0"},
      {kIni, "FONT", "SupportFontFile", "0"},
      {kIni, "SYSTEM", "SupportSky", "1"},
      {kIni, "SYSTEM", "SupportHideWindows", "1"},
      {kIni, "SYSTEM", "SupportAGC", "0"},
      {kIni, "SYSTEM", "SupportAutoRunSkype", "0"},
      {kIni, "SETTINGS", "SupportAutoRunSkype", "9"},
      {kIni, "SYSTEM", "SupportAutoSwitchAudioDevice", "0"},
      {kIni, "SETTINGS", "SupportAutoSwitchAudioDevice", "9"},
      {kIni, "SYSTEM", "SupportAutoSwitchSystemAudioDevice", "0"},
      {kIni, "SYSTEM", "SupportFocusAddressBook", "0"},
      {kIni, "SYSTEM", "SupportInterruptRingON", "0"},
      {kIni, "SYSTEM", "SupportEnableKeyTone", "0"},
      {kIni, "SETTINGS", "SupportEnableKeyTone", "9"},
      {kIni, "SYSTEM", "SupportContactFocus", "0"},
      {kIni, "SYSTEM", "SupprtAPIControlSpeakerVolune", "0"},
      {kIni, "DEFAULT", "Reg04Value", "16"},
      {kIni, "DEFAULT", "Reg1CValue", "8"},
      {kIni, "NAME", "Name", ""},
      {kIni, "NAME", "APINAME", ""},
      {kIni, "NAME", "CustomerINFO", ""},
      {kIni, "ICON", "FileNoHW", ""},
      {kIni, "ICON", "FileNoANY", ""},
      {kIni, "ICON", "FileNoSkype", ""},
      {kIni, "ICON", "FileActive", ""},
  };
  EXPECT_EQ(store.reads, expected);
}

TEST_F(ConfigurationTest, OnlyTheValueOneSetsAFlag) {
  struct Case {
    const char* value;
    int sky;  // default 1
    int agc;  // default 0
  };
  // An empty value reads as the key's default.
  const Case cases[] = {{"1", 1, 1}, {"2", 0, 0}, {"0", 0, 0}, {"-1", 0, 0}, {"", 1, 0}, {"x", 0, 0}};
  for (const Case& c : cases) {
    store.Set("SYSTEM", "SupportSky", c.value);
    store.Set("SYSTEM", "SupportAGC", c.value);
    Read();
    EXPECT_EQ(settings.SupportSky, c.sky) << "'" << c.value << "'";
    EXPECT_EQ(settings.SupportAGC, c.agc) << "'" << c.value << "'";
  }
}

TEST_F(ConfigurationTest, DisplayNamesAreSupportedOnlyWhenNotSupportedFontIsZero) {
  for (const auto& [value, supported] : std::vector<std::pair<std::string, int>>{{"0", 1}, {"1", 0}, {"2", 0}}) {
    store.Set("FONT", "NotSupportedFont", value);
    Read();
    EXPECT_EQ(settings.NotSupportedFont, supported) << value;
  }
}

// SETTINGS holds the user's choice (absent = 9); anything but 0 or 1 falls
// back to the SYSTEM product default.
TEST_F(ConfigurationTest, UserOptionsFollowTheTwoLevelScheme) {
  struct Case {
    const char* user;    // nullptr: absent
    const char* system;  // nullptr: absent
    int effective;
  };
  const Case cases[] = {
      {nullptr, "1", 1}, {"9", "1", 1}, {"2", "1", 1}, {"0", "1", 0}, {"1", "1", 1},
      {nullptr, "0", 0}, {"1", "0", 1}, {"2", "0", 0}, {nullptr, nullptr, 0}, {"1", nullptr, 1},
      {"9", "2", 0},  // a product default other than 1 is off
  };
  const char* keys[] = {"SupportAutoRunSkype", "SupportAutoSwitchAudioDevice", "SupportEnableKeyTone"};
  for (const Case& c : cases) {
    MemorySettingsStore fresh;
    for (const char* key : keys) {
      if (c.user != nullptr) fresh.Set("SETTINGS", key, c.user);
      if (c.system != nullptr) fresh.Set("SYSTEM", key, c.system);
    }
    HandsetSettings s;
    Configuration(fresh).Read(s);
    const std::string label = std::string("SETTINGS=") + (c.user ? c.user : "absent") +
                              " SYSTEM=" + (c.system ? c.system : "absent");
    EXPECT_EQ(s.SupportAutoRunSkype, c.effective) << label;
    EXPECT_EQ(s.SupportAutoSwitchAudioDevice, c.effective) << label;
    EXPECT_EQ(s.SupportEnableKeyTone, c.effective) << label;
  }
}

TEST_F(ConfigurationTest, ValuesAndTextsLandInTheirFields) {
  store.Set("DEFAULT", "Reg04Value", "20");
  store.Set("DEFAULT", "Reg1CValue", "-3");
  store.Set("FONT", "SupportFontFile", "1");
  store.Set("SYSTEM", "SupportAGC", "1");
  store.Set("SYSTEM", "SupportAutoSwitchSystemAudioDevice", "1");
  store.Set("SYSTEM", "SupportFocusAddressBook", "1");
  store.Set("SYSTEM", "SupportInterruptRingON", "1");
  store.Set("SYSTEM", "SupprtAPIControlSpeakerVolune", "1");
  store.Set("SYSTEM", "SupportHideWindows", "0");
  store.Set("NAME", "Name", "Tolvane Phone");
  store.Set("NAME", "APINAME", "TolvaneWindow");
  store.Set("NAME", "CustomerINFO", "Line one\\nLine two");
  store.Set("ICON", "FileNoHW", "nohw.ico");
  store.Set("ICON", "FileNoANY", "noany.ico");
  store.Set("ICON", "FileNoSkype", "noskype.ico");
  store.Set("ICON", "FileActive", "icons\\active.ico");
  const ConfigurationTexts texts = Read();
  EXPECT_EQ(settings.Reg04Value, 20);
  EXPECT_EQ(settings.Reg1CValue, -3);
  EXPECT_EQ(settings.SupportFontFile, 1);
  EXPECT_EQ(settings.SupportAGC, 1);
  EXPECT_EQ(settings.SupportAutoSwitchSystemAudioDevice, 1);
  EXPECT_EQ(settings.SupportFocusAddressBook, 1);
  EXPECT_EQ(settings.SupportInterruptRingON, 1);
  EXPECT_EQ(settings.SupprtAPIControlSpeakerVolune, 1);
  EXPECT_EQ(settings.SupportHideWindows, 0);
  EXPECT_EQ(texts.appName, "Tolvane Phone");
  EXPECT_EQ(texts.windowTitle, "TolvaneWindow");
  EXPECT_EQ(texts.customerInfo, "Line one\\nLine two");  // replaced only when shown
  EXPECT_EQ(texts.iconNoHandset, "C:\\Program Files\\Tolvane\\\\nohw.ico");
  EXPECT_EQ(texts.iconNoAny, "C:\\Program Files\\Tolvane\\\\noany.ico");
  EXPECT_EQ(texts.iconNoSkype, "C:\\Program Files\\Tolvane\\\\noskype.ico");
  EXPECT_EQ(texts.iconActive, "C:\\Program Files\\Tolvane\\\\icons\\active.ico");
}

TEST_F(ConfigurationTest, TextsAndPathsAreBoundedTo259Characters) {
  store.Set("NAME", "Name", std::string(400, 'n'));
  store.Set("ICON", "FileActive", std::string(250, 'i'));
  store.modulePath = "C:\\" + std::string(255, 'd') + "\\T.exe";
  const ConfigurationTexts texts = Read();
  EXPECT_EQ(texts.appName, std::string(259, 'n'));
  EXPECT_EQ(texts.iconActive.size(), 259u);
  EXPECT_EQ(store.reads.front().file.size(), 259u);
}

TEST_F(ConfigurationTest, SaveWritesTheThreeEffectiveOptions) {
  settings.SupportAutoRunSkype = 1;
  settings.SupportAutoSwitchAudioDevice = 0;
  settings.SupportEnableKeyTone = 1;
  config.Save(settings);
  const std::vector<Access> expected = {
      {kIni, "SETTINGS", "SupportAutoRunSkype", "1"},
      {kIni, "SETTINGS", "SupportAutoSwitchAudioDevice", "0"},
      {kIni, "SETTINGS", "SupportEnableKeyTone", "1"},
  };
  EXPECT_EQ(store.writes, expected);
}

TEST_F(ConfigurationTest, RestoreDefaultsTakesTheProductDefaultsAndReportsTheKeyToneCode) {
  store.Set("SYSTEM", "SupportAutoRunSkype", "1");
  store.Set("SYSTEM", "SupportEnableKeyTone", "1");
  store.Set("SETTINGS", "SupportAutoRunSkype", "0");
  store.Set("SETTINGS", "SupportAutoSwitchAudioDevice", "1");
  store.Set("SETTINGS", "SupportEnableKeyTone", "0");
  Read();
  ASSERT_EQ(settings.SupportEnableKeyTone, 0);
  EXPECT_EQ(config.RestoreDefaults(settings), 40);
  EXPECT_EQ(settings.SupportAutoRunSkype, 1);
  EXPECT_EQ(settings.SupportAutoSwitchAudioDevice, 0);
  EXPECT_EQ(settings.SupportEnableKeyTone, 1);
  const std::vector<Access> expected = {
      {kIni, "SETTINGS", "SupportAutoRunSkype", "1"},
      {kIni, "SETTINGS", "SupportAutoSwitchAudioDevice", "0"},
      {kIni, "SETTINGS", "SupportEnableKeyTone", "1"},
  };
  EXPECT_EQ(store.writes, expected);

  store.Set("SYSTEM", "SupportEnableKeyTone", "0");
  Read();
  EXPECT_EQ(config.RestoreDefaults(settings), 41);
}

TEST_F(ConfigurationTest, EveryOperationFormsThePathAfresh) {
  Read();
  store.modulePath = "D:\\Moved\\Tolvane.exe";
  config.Save(settings);
  EXPECT_EQ(store.writes.front().file, "D:\\Moved\\\\Tolvane.ini");
  store.modulePath = "E:\\Again\\Tolvane.exe";
  config.RestoreDefaults(settings);
  EXPECT_EQ(store.writes.back().file, "E:\\Again\\\\Tolvane.ini");
  store.modulePath = "F:\\Rings\\Tolvane.exe";
  RecordingDialogList list;
  config.FillRingList(list, nullptr, 1011);
  EXPECT_EQ(store.reads.back().file, "F:\\Rings\\\\Tolvane.ini");
}

TEST_F(ConfigurationTest, RingListHasOneEntryPerCountedRingEvenWhenOneIsMissing) {
  store.Set("RINGS", "NUMOFRINGS", "3");
  store.Set("RINGS", "RING_1", "Classic");
  store.Set("RINGS", "RING_3", "Chirp");
  store.Set("RINGS", "RING_4", "Not counted");
  RecordingDialogList list;
  config.FillRingList(list, reinterpret_cast<WindowHandle>(std::uintptr_t{7}), 1011);
  EXPECT_EQ(list.events, (std::vector<std::string>{"7/1011 insert 0 'Classic'", "7/1011 insert 1 ''",
                                                   "7/1011 insert 2 'Chirp'", "7/1011 select 0"}));
}

TEST_F(ConfigurationTest, AHugeRingCountListsOnlyTheFirstRings) {
  store.Set("RINGS", "NUMOFRINGS", "2000000000");
  RecordingDialogList list;
  config.FillRingList(list, nullptr, 1011);
  ASSERT_EQ(list.events.size(), static_cast<std::size_t>(Configuration::kMaxRings) + 1);
  EXPECT_EQ(list.events.back(), "0/1011 select 0");
}

TEST_F(ConfigurationTest, RingListWithoutOrWithANegativeCountIsEmpty) {
  for (const char* count : {"<absent>", "0", "-4"}) {
    MemorySettingsStore fresh;
    if (std::string(count) != "<absent>") fresh.Set("RINGS", "NUMOFRINGS", count);
    fresh.Set("RINGS", "RING_1", "Classic");
    RecordingDialogList list;
    Configuration(fresh).FillRingList(list, nullptr, 1011);
    EXPECT_EQ(list.events, (std::vector<std::string>{"0/1011 select 0"})) << count;
  }
}

TEST_F(ConfigurationTest, TheLogLevelIsZeroOneOrTwoAndOneWhenMissingOrOutOfRange) {
  struct Case {
    const char* value;  // null: no key
    int level;
  };
  for (const Case c : {Case{nullptr, 1}, Case{"0", 0}, Case{"1", 1}, Case{"2", 2}, Case{"3", 1}, Case{"-1", 1},
                       Case{"", 1}, Case{"off", 0}}) {
    MemorySettingsStore fresh;
    if (c.value != nullptr) fresh.Set("SETTINGS", "LogLevel", c.value);
    Configuration configuration(fresh);
    EXPECT_EQ(configuration.LogLevel(), c.level) << (c.value != nullptr ? c.value : "(missing)");
  }
}

}  // namespace
}  // namespace tolvane
