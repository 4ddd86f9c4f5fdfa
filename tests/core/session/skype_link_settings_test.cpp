// The session's configuration operations: the file's values reach the
// handset settings and the session's texts and change what the session does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fakes/memory_settings_store.h"
#include "core/fakes/recording_dialog_list.h"
#include "core/fakes/skype_link_rig.h"
#include "protocol/command_kind.h"

namespace tolvane {
namespace {

using testing::MemorySettingsStore;
using testing::RecordingDialogList;
using testing::SkypeLinkRig;
using Lines = std::vector<std::string>;

constexpr char kIni[] = "C:\\Program Files\\Tolvane\\\\Tolvane.ini";

std::string Copied(Status (SkypeLink::*getter)(char*), SkypeLink& link, Status expected = kOk) {
  char out[kPathBufferSize] = "untouched";
  EXPECT_EQ((link.*getter)(out), expected);
  return out;
}

class SkypeLinkConfigurationTest : public ::testing::Test {
 protected:
  SkypeLinkConfigurationTest() { rig.link->SetConfigurationPorts(&store, &ringList); }

  MemorySettingsStore store;
  RecordingDialogList ringList;
  SkypeLinkRig rig;
};

TEST_F(SkypeLinkConfigurationTest, NoFileLeavesTheTextsEmptyAndTheTitleAtItsDefault) {
  EXPECT_EQ(rig.link->ReadSettings(), kOk);
  EXPECT_EQ(Copied(&SkypeLink::GetWindowTitle, *rig.link), "SkypeForWindow");
  EXPECT_EQ(Copied(&SkypeLink::GetIconNoHandset, *rig.link), "");
  EXPECT_EQ(Copied(&SkypeLink::GetIconActive, *rig.link), "");
  EXPECT_EQ(Copied(&SkypeLink::GetCustomerInfo, *rig.link, kFail), "untouched");
  EXPECT_EQ(rig.link->AppName(), "");
  EXPECT_EQ(store.reads.front().file, kIni);
  EXPECT_EQ(rig.handset.Settings().NotSupportedFont.load(), 1);
  EXPECT_EQ(rig.handset.Settings().Reg04Value.load(), 16);
}

TEST_F(SkypeLinkConfigurationTest, FileValuesReachTheHandsetSettingsAndTheSessionTexts) {
  store.Set("NAME", "Name", "Tolvane Phone");
  store.Set("NAME", "APINAME", "Tolvane");
  store.Set("NAME", "CustomerINFO", "Tolvane 1.0\\nSupport: help@example.org");
  store.Set("ICON", "FileNoHW", "nohw.ico");
  store.Set("ICON", "FileNoSkype", "noskype.ico");
  store.Set("ICON", "FileActive", "active.ico");
  store.Set("SYSTEM", "SupportHideWindows", "0");
  store.Set("DEFAULT", "Reg1CValue", "12");
  rig.link->ReadSettings();
  EXPECT_EQ(Copied(&SkypeLink::GetWindowTitle, *rig.link), "Tolvane");
  EXPECT_EQ(Copied(&SkypeLink::GetIconNoHandset, *rig.link), "C:\\Program Files\\Tolvane\\\\nohw.ico");
  EXPECT_EQ(Copied(&SkypeLink::GetIconNoSkype, *rig.link), "C:\\Program Files\\Tolvane\\\\noskype.ico");
  EXPECT_EQ(Copied(&SkypeLink::GetIconActive, *rig.link), "C:\\Program Files\\Tolvane\\\\active.ico");
  EXPECT_EQ(Copied(&SkypeLink::GetCustomerInfo, *rig.link), "Tolvane 1.0\r\nSupport: help@example.org");
  EXPECT_EQ(rig.handset.Settings().SupportHideWindows.load(), 0);
  EXPECT_EQ(rig.handset.Settings().Reg1CValue.load(), 12);
}

TEST_F(SkypeLinkConfigurationTest, TheConfiguredNameGoesOutWithTheNameCommand) {
  store.Set("NAME", "Name", "Tolvane Phone");
  rig.link->ReadSettings();
  rig.link->SendCommand(kCmdName, nullptr, 0);
  ASSERT_TRUE(rig.log.WaitFor("send NAME Tolvane Phone"));
}

// Action 2 points the client at the handset only when the effective option,
// read through the two levels, is on.
TEST_F(SkypeLinkConfigurationTest, TheEffectiveAudioSwitchDecidesTheSetUpsAudioCommands) {
  struct Case {
    const char* user;
    bool switched;
  };
  for (const Case c : {Case{nullptr, true}, Case{"0", false}, Case{"9", true}}) {
    SkypeLinkRig local;
    MemorySettingsStore file;
    file.Set("SYSTEM", "SupportAutoSwitchAudioDevice", "1");
    if (c.user != nullptr) file.Set("SETTINGS", "SupportAutoSwitchAudioDevice", c.user);
    local.link->SetConfigurationPorts(&file, nullptr);
    local.link->ReadSettings();
    local.AttachStores();
    local.link->SetHandsetAudioDeviceName("USB Audio");
    local.link->RunSessionAction(kActionSetUpSession);
    ASSERT_TRUE(local.log.WaitFor("code 6"));
    ASSERT_TRUE(local.log.WaitFor("send SEARCH CALLS"));
    local.Stop();
    EXPECT_EQ(local.log.Matching("send GET AUDIO_IN").size(), c.switched ? 1u : 0u)
        << (c.user != nullptr ? c.user : "absent");
    EXPECT_EQ(local.log.Matching("send SET AUDIO_IN").size(), c.switched ? 1u : 0u)
        << (c.user != nullptr ? c.user : "absent");
  }
}

TEST_F(SkypeLinkConfigurationTest, SaveWritesWhatTheDialogLeftInTheSettings) {
  rig.link->ReadSettings();
  rig.handset.Settings().SupportAutoRunSkype.store(1);
  rig.handset.Settings().SupportEnableKeyTone.store(0);
  EXPECT_EQ(rig.link->SaveSettings(), kOk);
  EXPECT_EQ(store.Get("SETTINGS", "SupportAutoRunSkype"), "1");
  EXPECT_EQ(store.Get("SETTINGS", "SupportAutoSwitchAudioDevice"), "0");
  EXPECT_EQ(store.Get("SETTINGS", "SupportEnableKeyTone"), "0");
  EXPECT_TRUE(rig.log.All().empty());  // no handset code on a save
}

TEST_F(SkypeLinkConfigurationTest, RestoreDefaultsTellsTheHandsetItsKeyToneAndPauses) {
  store.Set("SYSTEM", "SupportEnableKeyTone", "1");
  store.Set("SETTINGS", "SupportEnableKeyTone", "0");
  rig.link->ReadSettings();
  EXPECT_EQ(rig.link->RestoreDefaultSettings(), kOk);
  EXPECT_EQ(rig.handset.Settings().SupportEnableKeyTone.load(), 1);
  EXPECT_EQ(store.Get("SETTINGS", "SupportEnableKeyTone"), "1");
  EXPECT_EQ(rig.log.All(), (Lines{"code 40", "sleep 5"}));
}

TEST_F(SkypeLinkConfigurationTest, RingListGoesIntoTheDialogsControl) {
  store.Set("RINGS", "NUMOFRINGS", "2");
  store.Set("RINGS", "RING_1", "Classic");
  store.Set("RINGS", "RING_2", "Chirp");
  EXPECT_EQ(rig.link->FillRingList(nullptr, 1011), kOk);
  EXPECT_EQ(ringList.events, (Lines{"0/1011 insert 0 'Classic'", "0/1011 insert 1 'Chirp'", "0/1011 select 0"}));
}

TEST(SkypeLinkWithoutConfigurationTest, SettingsOperationsChangeNothing) {
  SkypeLinkRig rig;
  rig.handset.Settings().SupportSky.store(0);
  EXPECT_EQ(rig.link->ReadSettings(), kOk);
  EXPECT_EQ(rig.link->SaveSettings(), kOk);
  EXPECT_EQ(rig.link->RestoreDefaultSettings(), kOk);
  EXPECT_EQ(rig.link->FillRingList(nullptr, 1011), kOk);
  EXPECT_EQ(rig.handset.Settings().SupportSky.load(), 0);
  EXPECT_TRUE(rig.log.All().empty());
}

}  // namespace
}  // namespace tolvane
