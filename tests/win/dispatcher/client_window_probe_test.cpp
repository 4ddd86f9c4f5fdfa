// Win32ClientWindows on windows that the test creates in its own
// process, and the dispatcher's confirmation watch driven by it. Needs a
// Windows desktop (Wine's null driver serves); no Skype client may run in
// the same Wine session, since the probe looks at every top-level window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/dispatcher/dispatcher_rig.h"
#include "interfaces/client_windows.h"
#include "shell/client_windows_win.h"

namespace tolvane {
namespace {

void RegisterOnce() {
  static const bool registered = [] {
    for (const char* name : {kClientConfirmationWindowClass, kClientErrorWindowClass}) {
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

class ClientWindowProbeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterOnce();
    if (probe.WindowExists(kClientConfirmationWindowClass) || probe.WindowExists(kClientErrorWindowClass)) {
      GTEST_SKIP() << "a Skype client window already exists in this Wine session";
    }
  }
  void TearDown() override {
    for (HWND window : windows) DestroyWindow(window);
  }

  // Hidden, as the client's windows may be when they first appear.
  HWND Create(const char* className, HWND parent = nullptr) {
    HWND window = CreateWindowExA(0, className, "Skype", parent == nullptr ? WS_OVERLAPPED : WS_CHILD, 0, 0, 200,
                                  100, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(window, nullptr);
    windows.insert(windows.begin(), window);
    return window;
  }

  Win32ClientWindows probe;
  std::vector<HWND> windows;
};

TEST_F(ClientWindowProbeTest, FindsATopLevelWindowOfTheClassWhateverItsTitle) {
  EXPECT_FALSE(probe.WindowExists(kClientConfirmationWindowClass));
  HWND prompt = Create(kClientConfirmationWindowClass);
  EXPECT_TRUE(probe.WindowExists(kClientConfirmationWindowClass));
  EXPECT_FALSE(probe.WindowExists(kClientErrorWindowClass));
  DestroyWindow(prompt);
  windows.clear();
  EXPECT_FALSE(probe.WindowExists(kClientConfirmationWindowClass));
}

TEST_F(ClientWindowProbeTest, ChildWindowOfTheClassIsNotTheClientsPrompt) {
  HWND error = Create(kClientErrorWindowClass);
  Create(kClientConfirmationWindowClass, error);
  EXPECT_TRUE(probe.WindowExists(kClientErrorWindowClass));
  EXPECT_FALSE(probe.WindowExists(kClientConfirmationWindowClass));
}

TEST_F(ClientWindowProbeTest, DispatcherSignalsThePromptOncePerAppearance) {
  testing::DispatcherRig rig;
  NotificationDispatcher dispatcher{NotificationDispatcher::Ports{&rig.session, &rig.handset, &rig.phone,
                                                                  &rig.contacts, &probe, &rig.delay}};
  dispatcher.CheckConfirmationWindow();
  HWND prompt = Create(kClientConfirmationWindowClass);
  dispatcher.CheckConfirmationWindow();
  dispatcher.CheckConfirmationWindow();
  DestroyWindow(prompt);
  windows.clear();
  dispatcher.CheckConfirmationWindow();
  Create(kClientConfirmationWindowClass);
  dispatcher.CheckConfirmationWindow();
  EXPECT_EQ(rig.Effects(), (std::vector<std::string>{"wait idle", "code 159", "wait idle", "code 159"}));
}

TEST_F(ClientWindowProbeTest, FailedCallWithTheClientsErrorWindowShowsThePromptCode) {
  testing::DispatcherRig rig;
  NotificationDispatcher dispatcher{NotificationDispatcher::Ports{&rig.session, &rig.handset, &rig.phone,
                                                                  &rig.contacts, &probe, &rig.delay}};
  rig.MakeCurrent(10, 3);
  Create(kClientErrorWindowClass);
  dispatcher.HandleLine("CALL 10 STATUS FAILED");
  EXPECT_EQ(rig.Since({"code "}), (std::vector<std::string>{"code 159", "code 32"}));
}

}  // namespace
}  // namespace tolvane
