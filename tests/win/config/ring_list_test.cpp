// The ring names of the RINGS section in a real combo box with id 1011, as
// the Advanced Settings dialog asks for them. Needs a Windows desktop (Wine's
// null driver serves).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fakes/skype_link_rig.h"
#include "ini_directory.h"
#include "config/dialog_list_win.h"

namespace tolvane {
namespace {

using testing::DirectoryProfileStore;
using testing::IniDirectory;
using testing::SkypeLinkRig;

constexpr int kRingListId = 1011;

class RingListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = CreateWindowExA(0, "STATIC", "dialog", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(dialog, nullptr);
    combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 200, 100, dialog,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRingListId)), GetModuleHandleA(nullptr),
                            nullptr);
    ASSERT_NE(combo, nullptr);
    rig.link->SetConfigurationPorts(&store, &comboList);
  }
  void TearDown() override {
    if (dialog != nullptr) DestroyWindow(dialog);
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> entries;
    const auto count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char text[300] = {};
      SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      entries.emplace_back(text);
    }
    return entries;
  }
  LRESULT Selection() const { return SendMessageA(combo, CB_GETCURSEL, 0, 0); }

  IniDirectory directory;
  DirectoryProfileStore store{directory};
  ComboBoxDialogList comboList;
  SkypeLinkRig rig;
  HWND dialog = nullptr;
  HWND combo = nullptr;
};

TEST_F(RingListTest, EveryCountedRingIsListedAndTheFirstSelected) {
  directory.Write("[RINGS]\r\nNUMOFRINGS=2\r\nRING_1=Classic\r\nRING_2=Chirp\r\nRING_3=Not counted\r\n");
  EXPECT_EQ(rig.link->FillRingList(dialog, kRingListId), kOk);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Classic", "Chirp"}));
  EXPECT_EQ(Selection(), 0);
}

TEST_F(RingListTest, AMissingRingLeavesAnEmptyEntryInItsPlace) {
  directory.Write("[RINGS]\r\nNUMOFRINGS=3\r\nRING_1=Classic\r\nRING_3=Bells\r\n");
  rig.link->FillRingList(dialog, kRingListId);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Classic", "", "Bells"}));
  EXPECT_EQ(Selection(), 0);
}

TEST_F(RingListTest, ANegativeCountListsNothing) {
  directory.Write("[RINGS]\r\nNUMOFRINGS=-2\r\nRING_1=Classic\r\n");
  rig.link->FillRingList(dialog, kRingListId);
  EXPECT_TRUE(Entries().empty());
  EXPECT_EQ(Selection(), CB_ERR);
}

TEST_F(RingListTest, NoFileListsNothing) {
  rig.link->FillRingList(dialog, kRingListId);
  EXPECT_TRUE(Entries().empty());
}

}  // namespace
}  // namespace tolvane
