// FindSkypeWindows and SkypeChildWindowCallback on real windows that the
// test creates in its own process: a main window of the client's class and
// children whose classes are spelt in other mixes of case. Window classes
// are case-insensitive, so each spelling is registered once per process.
// Needs a Windows desktop (Wine's null driver serves); no client may run in
// the same Wine session, since the search looks at every top-level window.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "shell/skype_windows_win.h"

namespace tolvane {
namespace {

constexpr const char* kPageSpelling = "ttntpagecontrol.UNICODECLASS";
constexpr const char* kGridSpelling = "TSKBGGRID.unicodeclass";
constexpr const char* kListSpelling = "tSkContactList.UnicodeClass";
constexpr const char* kOtherChild = "TolvaneTestOtherChild";

WindowHandle W(HWND window) { return static_cast<WindowHandle>(window); }

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

void RegisterOnce() {
  static const bool registered = [] {
    for (const char* name : {kSkypeMainWindowClass, kPageSpelling, kGridSpelling, kListSpelling, kOtherChild}) {
      WNDCLASSA windowClass{};
      windowClass.lpfnWndProc = &DefWindowProcA;
      windowClass.hInstance = GetModuleHandleA(nullptr);
      windowClass.lpszClassName = name;
      if (RegisterClassA(&windowClass) == 0) return false;
    }
    return true;
  }();
  ASSERT_TRUE(registered);
}

class FindSkypeWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterOnce();
    if (FindWindowA(kSkypeMainWindowClass, nullptr) != nullptr) {
      GTEST_SKIP() << "a Skype client window already exists in this Wine session";
    }
  }
  void TearDown() override {
    if (main != nullptr) DestroyWindow(main);
  }

  void CreateMain() {
    main = CreateWindowExA(0, kSkypeMainWindowClass, "Skype", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(main, nullptr);
  }
  HWND CreateChild(const char* className, HWND parent = nullptr) {
    HWND child = CreateWindowExA(0, className, "", WS_CHILD, 0, 0, 10, 10, parent != nullptr ? parent : main,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(child, nullptr);
    return child;
  }
  // The children in the order the system enumerates them.
  std::vector<HWND> Enumerated() {
    std::vector<HWND> children;
    EnumChildWindows(main, &CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
  }
  void FillWithSentinels() {
    windows.pageControlWindow = reinterpret_cast<WindowHandle>(std::uintptr_t{0x11});
    windows.bgGridWindow = reinterpret_cast<WindowHandle>(std::uintptr_t{0x22});
    windows.contactListWindow = reinterpret_cast<WindowHandle>(std::uintptr_t{0x33});
  }

  HWND main = nullptr;
  SkypeChildWindows windows;
};

TEST_F(FindSkypeWindowsTest, WithoutAMainWindowTheHandlesKeepTheirValues) {
  FillWithSentinels();
  FindSkypeWindows(windows);
  EXPECT_EQ(windows.pageControlWindow.load(), reinterpret_cast<WindowHandle>(std::uintptr_t{0x11}));
  EXPECT_EQ(windows.bgGridWindow.load(), reinterpret_cast<WindowHandle>(std::uintptr_t{0x22}));
  EXPECT_EQ(windows.contactListWindow.load(), reinterpret_cast<WindowHandle>(std::uintptr_t{0x33}));
}

TEST_F(FindSkypeWindowsTest, AMainWindowWithoutTheChildClassesLeavesTheHandlesNull) {
  CreateMain();
  CreateChild(kOtherChild);
  FillWithSentinels();
  FindSkypeWindows(windows);
  EXPECT_EQ(windows.pageControlWindow.load(), nullptr);
  EXPECT_EQ(windows.bgGridWindow.load(), nullptr);
  EXPECT_EQ(windows.contactListWindow.load(), nullptr);
}

TEST_F(FindSkypeWindowsTest, ChildClassesMatchWhateverTheirCase) {
  CreateMain();
  CreateChild(kOtherChild);
  HWND page = CreateChild(kPageSpelling);
  HWND grid = CreateChild(kGridSpelling);
  HWND list = CreateChild(kListSpelling);
  FindSkypeWindows(windows);
  EXPECT_EQ(windows.pageControlWindow.load(), W(page));
  EXPECT_EQ(windows.bgGridWindow.load(), W(grid));
  EXPECT_EQ(windows.contactListWindow.load(), W(list));
}

TEST_F(FindSkypeWindowsTest, TheFirstEnumeratedChildOfAClassWins) {
  CreateMain();
  HWND first = CreateChild(kListSpelling);
  HWND second = CreateChild(kListSpelling);
  const std::vector<HWND> order = Enumerated();
  ASSERT_EQ(order.size(), 2u);
  ASSERT_TRUE((order[0] == first && order[1] == second) || (order[0] == second && order[1] == first));
  FindSkypeWindows(windows);
  EXPECT_EQ(windows.contactListWindow.load(), W(order[0]));
}

TEST_F(FindSkypeWindowsTest, GrandchildrenAreVisitedToo) {
  CreateMain();
  HWND holder = CreateChild(kOtherChild);
  HWND grid = CreateChild(kGridSpelling, holder);
  FindSkypeWindows(windows);
  EXPECT_EQ(windows.bgGridWindow.load(), W(grid));
}

TEST_F(FindSkypeWindowsTest, TheCallbackWithoutATargetFillsTheProcessWideSet) {
  CreateMain();
  HWND page = CreateChild(kPageSpelling);
  SkypeChildWindows& shared = ProcessSkypeChildWindows();
  shared.Reset();
  EnumChildWindows(main, &SkypeChildWindowCallback, 0);
  EXPECT_EQ(shared.pageControlWindow.load(), W(page));
  shared.Reset();
  FindSkypeWindows();
  EXPECT_EQ(shared.pageControlWindow.load(), W(page));
  shared.Reset();
}

}  // namespace
}  // namespace tolvane
