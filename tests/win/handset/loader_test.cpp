// The loader of QorHIDCtrl.dll: the real library file is the simulated one;
// broken stand-ins produce each failure box.
#include <gtest/gtest.h>

#include "handset/handset_control.h"
#include "win_handset_support.h"

namespace tolvane::testing {
namespace {

TEST(HidCtrlLoader, LoadsTheLibraryBesideTheProgramAndCreatesItsInstance) {
  SimEnvironment sim;
  auto library = HidCtrlModule::Load(RecordingOptions());
  ASSERT_NE(library, nullptr);
  EXPECT_NE(library->Instance(), nullptr);
  EXPECT_TRUE(ShownBoxes().empty());
  EXPECT_NE(GetModuleHandleA("QorHIDCtrl.dll"), nullptr);
}

TEST(HidCtrlLoader, UnloadShutsTheDeviceDownDeletesTheInstanceAndFreesTheLibrary) {
  SimEnvironment sim;
  {
    HandsetControl handset(LoadHandsetLibrary(RecordingOptions()));
    ASSERT_EQ(handset.OpenDevice(), 1);
  }
  EXPECT_TRUE(ShownBoxes().empty());
  EXPECT_EQ(GetModuleHandleA("QorHIDCtrl.dll"), nullptr);
  const std::vector<std::string> entries = sim.Transcript();
  ASSERT_GE(entries.size(), 2u);
  EXPECT_EQ(entries[entries.size() - 2], "ShutdownDevice");
  EXPECT_EQ(entries.back(), "deleted");
}

struct FailureCase {
  const char* moduleName;
  const char* text;
  const char* caption;
  bool failsAtLoad;
};

TEST(HidCtrlLoader, EachFailureShowsItsOwnErrorBoxAndLetsTheLibraryGo) {
  const FailureCase cases[] = {
      {"NoSuchHidCtrl.dll", "Failed to load module - QorHIDCtrl.dll", "CreateHidCtrlInstance", true},
      {"broken_hidctrl_nocreate.dll", "Failed to Get API - CreateComponentInstance", "CreateDLLInstance", true},
      {"broken_hidctrl_createfails.dll", "Failed to create instance in module - QorHIDCtrl.dll", "CreateDLLInstance",
       true},
      // Without the delete entry the library works; the box comes at unload.
      {"broken_hidctrl_nodelete.dll", "Failed to Get API - DeleteComponentInstance", "DeleteDLLInstance", false},
      {"broken_hidctrl_deletefails.dll", "Failed to detete instance in module - QorHIDCtrl.DLL", "DeleteDLLInstance",
       false},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.moduleName);
    auto library = HidCtrlModule::Load(RecordingOptions(c.moduleName));
    EXPECT_EQ(library == nullptr, c.failsAtLoad);
    library.reset();
    ASSERT_EQ(ShownBoxes().size(), 1u);
    const ShownBox& box = ShownBoxes().front();
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.caption, c.caption);
    EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(GetModuleHandleA(c.moduleName), nullptr) << "the library was kept loaded";
  }
}

TEST(HidCtrlLoader, HandsetWithoutLibraryStillAnswers) {
  HandsetControl handset(LoadHandsetLibrary(RecordingOptions("NoSuchHidCtrl.dll")));
  EXPECT_EQ(handset.OpenDevice(), 0);
  EXPECT_EQ(handset.SendCode(81), 1);
}

}  // namespace
}  // namespace tolvane::testing
