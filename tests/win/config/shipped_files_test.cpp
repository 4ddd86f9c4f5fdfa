// The Tolvane.ini and the four icons that ship beside the program: a fresh
// install reads the product defaults and its tray icons load.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fakes/skype_link_rig.h"
#include "ini_directory.h"

namespace tolvane {
namespace {

using testing::DirectoryProfileStore;
using testing::IniDirectory;
using testing::SkypeLinkRig;

class ShippedFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string source = TOLVANE_RESOURCES_DIR;
    for (const char* name : {"Tolvane.ini", "tolvane_active.ico", "tolvane_no_skype.ico", "tolvane_no_handset.ico",
                             "tolvane_no_any.ico"}) {
      const std::string target = directory.path + "\\" + name;
      ASSERT_TRUE(CopyFileA((source + "/" + name).c_str(), target.c_str(), FALSE)) << source << "/" << name;
      copied.push_back(target);
    }
    rig.link->SetConfigurationPorts(&store, nullptr);
  }
  void TearDown() override {
    for (const std::string& file : copied) DeleteFileA(file.c_str());
  }

  std::string Icon(Status (SkypeLink::*getter)(char*)) {
    char path[kPathBufferSize] = {};
    (rig.link.get()->*getter)(path);
    return path;
  }

  IniDirectory directory;
  DirectoryProfileStore store{directory};
  SkypeLinkRig rig;
  std::vector<std::string> copied;
};

TEST_F(ShippedFilesTest, AFreshInstallReadsTheProductDefaults) {
  rig.link->ReadSettings();
  const HandsetSettings& s = rig.handset.Settings();
  EXPECT_EQ(s.NotSupportedFont.load(), 1);
  EXPECT_EQ(s.SupportSky.load(), 1);
  EXPECT_EQ(s.SupportHideWindows.load(), 1);
  EXPECT_EQ(s.SupportAutoSwitchAudioDevice.load(), 1);
  EXPECT_EQ(s.SupportAutoSwitchSystemAudioDevice.load(), 1);
  EXPECT_EQ(s.SupportAutoRunSkype.load(), 0);
  EXPECT_EQ(s.SupportEnableKeyTone.load(), 0);
  EXPECT_EQ(s.Reg04Value.load(), 16);
  EXPECT_EQ(s.Reg1CValue.load(), 8);
  EXPECT_EQ(rig.link->AppName(), "Tolvane");
  char about[kPathBufferSize] = {};
  EXPECT_EQ(rig.link->GetCustomerInfo(about), kOk);
  EXPECT_STREQ(about, "Tolvane\r\nUSB handset for Skype");
  const std::string ini = directory.path + "\\Tolvane.ini";
  EXPECT_EQ(GetPrivateProfileIntA("SETTINGS", "LogLevel", 7, ini.c_str()), 1u) << "the file names the log's level";
}

TEST_F(ShippedFilesTest, EveryTrayIconLoadsFromItsConfiguredPath) {
  rig.link->ReadSettings();
  for (auto getter : {&SkypeLink::GetIconNoHandset, &SkypeLink::GetIconNoSkype, &SkypeLink::GetIconActive}) {
    const std::string path = Icon(getter);
    HANDLE icon = LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    EXPECT_NE(icon, nullptr) << path;
    if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
  }
  // The fourth icon has no getter; it is formed the same way.
  HANDLE icon = LoadImageA(nullptr, (directory.path + "\\\\tolvane_no_any.ico").c_str(), IMAGE_ICON, 16, 16,
                           LR_LOADFROMFILE);
  EXPECT_NE(icon, nullptr);
  if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
}

}  // namespace
}  // namespace tolvane
