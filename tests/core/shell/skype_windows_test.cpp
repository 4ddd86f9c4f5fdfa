#include "shell/skype_windows.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tolvane {
namespace {

WindowHandle W(std::uintptr_t n) { return reinterpret_cast<WindowHandle>(n); }

TEST(SkypeChildWindowsTest, EachClassKeepsItsFirstWindowWhateverTheCase) {
  SkypeChildWindows windows;
  windows.Take(W(1), "ttntpagecontrol.unicodeclass");
  windows.Take(W(2), "TTNTPAGECONTROL.UNICODECLASS");
  windows.Take(W(3), "TSKBGGRID.unicodeclass");
  windows.Take(W(4), "tSkContactList.UnicodeClass");
  windows.Take(W(5), "tSkContactList.UnicodeClass");
  EXPECT_EQ(windows.pageControlWindow.load(), W(1));
  EXPECT_EQ(windows.bgGridWindow.load(), W(3));
  EXPECT_EQ(windows.contactListWindow.load(), W(4));
}

TEST(SkypeChildWindowsTest, OtherClassesAreIgnored) {
  SkypeChildWindows windows;
  for (const char* name : {"", "TTntPageControl", "TTntPageControl.UnicodeClass ", "xtSkBgGrid.UnicodeClass",
                           "tSkContactList.UnicodeClas", "tskMainForm.UnicodeClass", "TTntPageControl.UnicodeClass\xC9"}) {
    windows.Take(W(9), name);
  }
  EXPECT_EQ(windows.pageControlWindow.load(), nullptr);
  EXPECT_EQ(windows.bgGridWindow.load(), nullptr);
  EXPECT_EQ(windows.contactListWindow.load(), nullptr);
}

TEST(SkypeChildWindowsTest, ResetLetsTheNextSearchKeepNewWindows) {
  SkypeChildWindows windows;
  windows.Take(W(1), kSkypeBgGridClass);
  windows.Reset();
  EXPECT_EQ(windows.bgGridWindow.load(), nullptr);
  windows.Take(W(2), kSkypeBgGridClass);
  EXPECT_EQ(windows.bgGridWindow.load(), W(2));
}

}  // namespace
}  // namespace tolvane
