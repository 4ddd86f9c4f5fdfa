// The configuration file read and written with the real private-profile
// functions, through the session object as start-up and the dialogs use it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/fakes/skype_link_rig.h"
#include "ini_directory.h"
#include "config/configuration.h"

namespace tolvane {
namespace {

using testing::DirectoryProfileStore;
using testing::IniDirectory;
using testing::SkypeLinkRig;

class ConfigurationFileTest : public ::testing::Test {
 protected:
  ConfigurationFileTest() { rig.link->SetConfigurationPorts(&store, nullptr); }

  std::string Get(Status (SkypeLink::*getter)(char*), Status expected = kOk) {
    char out[kPathBufferSize] = "untouched";
    EXPECT_EQ((rig.link.get()->*getter)(out), expected);
    return out;
  }
  HandsetSettings& Settings() { return rig.handset.Settings(); }

  IniDirectory directory;
  DirectoryProfileStore store{directory};
  SkypeLinkRig rig;
};

TEST_F(ConfigurationFileTest, NoFileAtAll) {
  ASSERT_EQ(GetFileAttributesA((directory.path + "\\Tolvane.ini").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(rig.link->ReadSettings(), kOk);
  EXPECT_EQ(Settings().NotSupportedFont.load(), 1);
  EXPECT_EQ(Settings().SupportSky.load(), 1);
  EXPECT_EQ(Settings().SupportHideWindows.load(), 1);
  EXPECT_EQ(Settings().SupportAutoRunSkype.load(), 0);
  EXPECT_EQ(Settings().SupportAutoSwitchAudioDevice.load(), 0);
  EXPECT_EQ(Settings().SupportEnableKeyTone.load(), 0);
  EXPECT_EQ(Settings().SupportAGC.load(), 0);
  EXPECT_EQ(Settings().Reg04Value.load(), 16);
  EXPECT_EQ(Settings().Reg1CValue.load(), 8);
  EXPECT_EQ(Get(&SkypeLink::GetWindowTitle), "SkypeForWindow");
  EXPECT_EQ(Get(&SkypeLink::GetIconActive), "");
  EXPECT_EQ(Get(&SkypeLink::GetCustomerInfo, kFail), "untouched");
  EXPECT_EQ(rig.link->AppName(), "");
  EXPECT_EQ(store.lastFile, directory.IniFile());
  // Reading creates nothing.
  EXPECT_EQ(GetFileAttributesA((directory.path + "\\Tolvane.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ConfigurationFileTest, TwoLevelAudioSwitchWithProductDefaultOn) {
  struct Case {
    const char* settingsLine;  // "" for no SETTINGS key
    int effective;
  };
  for (const Case c : {Case{"SupportAutoSwitchAudioDevice=9\r\n", 1}, Case{"SupportAutoSwitchAudioDevice=2\r\n", 1},
                       Case{"", 1}, Case{"SupportAutoSwitchAudioDevice=0\r\n", 0}}) {
    directory.Write(std::string("[SYSTEM]\r\nSupportAutoSwitchAudioDevice=1\r\n[SETTINGS]\r\n") + c.settingsLine);
    rig.link->ReadSettings();
    EXPECT_EQ(Settings().SupportAutoSwitchAudioDevice.load(), c.effective) << c.settingsLine;
    EXPECT_EQ(Settings().defaultAutoSwitchAudioDevice.load(), 1);
  }
}

TEST_F(ConfigurationFileTest, OnlyOneSetsAFlagAndNotSupportedFontTwoMeansHandles) {
  directory.Write("[SYSTEM]\r\nSupportSky=2\r\nSupportFocusAddressBook=1\r\n[FONT]\r\nNotSupportedFont=2\r\n");
  rig.link->ReadSettings();
  EXPECT_EQ(Settings().SupportSky.load(), 0);
  EXPECT_EQ(Settings().SupportFocusAddressBook.load(), 1);
  EXPECT_EQ(Settings().NotSupportedFont.load(), 0);
}

TEST_F(ConfigurationFileTest, CustomerInfoWithABackslashNPairShowsTwoLines) {
  directory.Write("[NAME]\r\nCustomerINFO=Tolvane Phone\\nwww.example.org\r\n");
  rig.link->ReadSettings();
  EXPECT_EQ(Get(&SkypeLink::GetCustomerInfo), "Tolvane Phone\r\nwww.example.org");
}

TEST_F(ConfigurationFileTest, NamesAndIconsComeFromTheFile) {
  directory.Write(
      "[NAME]\r\nName=Tolvane\r\nAPINAME=TolvaneMain\r\n"
      "[ICON]\r\nFileNoHW=nohandset.ico\r\nFileNoANY=nothing.ico\r\nFileNoSkype=noskype.ico\r\nFileActive=active.ico\r\n"
      "[DEFAULT]\r\nReg04Value=20\r\nReg1CValue=4\r\n");
  rig.link->ReadSettings();
  EXPECT_EQ(rig.link->AppName(), "Tolvane");
  EXPECT_EQ(Get(&SkypeLink::GetWindowTitle), "TolvaneMain");
  EXPECT_EQ(Get(&SkypeLink::GetIconNoHandset), directory.path + "\\\\nohandset.ico");
  EXPECT_EQ(Get(&SkypeLink::GetIconNoSkype), directory.path + "\\\\noskype.ico");
  EXPECT_EQ(Get(&SkypeLink::GetIconActive), directory.path + "\\\\active.ico");
  EXPECT_EQ(Settings().Reg04Value.load(), 20);
  EXPECT_EQ(Settings().Reg1CValue.load(), 4);
  // The doubled backslash is accepted by the file functions.
  EXPECT_NE(GetFileAttributesA(directory.IniFile().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ConfigurationFileTest, LongTextsAreCutTo259Characters) {
  directory.Write("[NAME]\r\nName=" + std::string(300, 'n') + "\r\n");
  rig.link->ReadSettings();
  EXPECT_EQ(rig.link->AppName(), std::string(259, 'n'));
}

TEST_F(ConfigurationFileTest, SaveAndRestoreWriteOnlyTheThreeSettingsKeys) {
  directory.Write("[SYSTEM]\r\nSupportEnableKeyTone=1\r\nSupportAutoRunSkype=1\r\n");
  rig.link->ReadSettings();
  rig.handset.Settings().SupportAutoRunSkype.store(0);
  rig.handset.Settings().SupportEnableKeyTone.store(0);
  rig.handset.Settings().SupportAutoSwitchAudioDevice.store(1);
  rig.link->SaveSettings();
  char value[16] = {};
  GetPrivateProfileStringA("SETTINGS", "SupportAutoRunSkype", "", value, sizeof value, directory.IniFile().c_str());
  EXPECT_STREQ(value, "0");
  GetPrivateProfileStringA("SETTINGS", "SupportAutoSwitchAudioDevice", "", value, sizeof value,
                           directory.IniFile().c_str());
  EXPECT_STREQ(value, "1");

  // A fresh read honours the saved choices over the product defaults.
  rig.link->ReadSettings();
  EXPECT_EQ(Settings().SupportAutoRunSkype.load(), 0);
  EXPECT_EQ(Settings().SupportEnableKeyTone.load(), 0);
  EXPECT_EQ(Settings().SupportAutoSwitchAudioDevice.load(), 1);

  rig.link->RestoreDefaultSettings();
  EXPECT_EQ(rig.log.Matching("code"), (std::vector<std::string>{"code 40"}));
  rig.link->ReadSettings();
  EXPECT_EQ(Settings().SupportAutoRunSkype.load(), 1);
  EXPECT_EQ(Settings().SupportEnableKeyTone.load(), 1);
  EXPECT_EQ(Settings().SupportAutoSwitchAudioDevice.load(), 0);
  const std::string text = directory.Read();
  EXPECT_NE(text.find("SupportAutoRunSkype=1"), std::string::npos) << text;
  EXPECT_EQ(text.find("[FONT]"), std::string::npos) << text;
}

// The store as the program uses it: the file beside the running executable.
TEST(ConfigurationBesideTheExecutableTest, PathIsFormedFromTheModuleFileName) {
  PrivateProfileStore store;
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string directory(module);
  directory.resize(directory.rfind('\\') + 1);
  const std::string plainPath = directory + "Tolvane.ini";
  ASSERT_EQ(GetFileAttributesA(plainPath.c_str()), INVALID_FILE_ATTRIBUTES) << "left over: " << plainPath;
  ASSERT_TRUE(WritePrivateProfileStringA("NAME", "APINAME", "BesideTheProgram", plainPath.c_str()));

  Configuration configuration(store);
  HandsetSettings settings;
  const ConfigurationTexts texts = configuration.Read(settings);
  DeleteFileA(plainPath.c_str());
  EXPECT_EQ(texts.windowTitle, "BesideTheProgram");
}

}  // namespace
}  // namespace tolvane
