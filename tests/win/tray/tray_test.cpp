// Tolvane.exe's tray icon, menu and option dialogs against the simulated
// client and handset, on a real (virtual) X display: the icon and its hidden
// window exist, a double click opens Advanced Settings, which saves its
// check boxes on Escape, a right click opens the menu whose item opens its
// dialog, and Exit from the menu ends the program with the detach sent.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>

#include "programs_fixture.h"

namespace tolvane::testing {
namespace {

using namespace std::chrono_literals;

constexpr UINT kTrayCallback = 0x800A;
constexpr WPARAM kTrayIconId = 112;

// Windows of other processes appear asynchronously; found within a deadline.
HWND WaitForWindow(const char* className, const char* title, std::chrono::milliseconds deadline = 20s) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  for (;;) {
    if (const HWND window = FindWindowA(className, title); window != nullptr && IsWindowVisible(window)) {
      return window;
    }
    if (std::chrono::steady_clock::now() >= end) return nullptr;
    // Another process's window: there is no event to wait on.
    Sleep(50);
  }
}

bool WaitUntilGone(HWND window, std::chrono::milliseconds deadline = 20s) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (IsWindow(window)) {
    if (std::chrono::steady_clock::now() >= end) return false;
    Sleep(50);
  }
  return true;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void PressKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 0);
  PostMessageA(window, WM_KEYUP, key, 0xC0000000);
}

class TrayTest : public ProgramsTest {
 protected:
  void SetUp() override {
    ProgramsTest::SetUp();
    if (IsSkipped()) return;
    iniPath = programs + "Tolvane.ini";
    savedIni = ReadFile(iniPath);
  }
  void TearDown() override {
    if (!iniPath.empty()) std::ofstream(iniPath, std::ios::trunc) << savedIni;
  }
  std::string iniPath;
  std::string savedIni;
};

TEST_F(TrayTest, MenuDialogsAndExitThroughTheTrayIcon) {
  StartTolvaneAndWaitForSetUp();
  const HWND main = FindWindowA("QorMainWndClass", "SkypeForWindow");
  ASSERT_NE(main, nullptr);
  DWORD tolvaneProcess = 0;
  GetWindowThreadProcessId(main, &tolvaneProcess);
  const HWND hidden = FindWindowA("TrayIconClass", "");
  ASSERT_NE(hidden, nullptr) << "the tray icon's hidden window";
  DWORD hiddenProcess = 0;
  GetWindowThreadProcessId(hidden, &hiddenProcess);
  EXPECT_EQ(hiddenProcess, tolvaneProcess);

  // A notification for another icon id does nothing.
  EXPECT_EQ(SendMessageA(main, kTrayCallback, kTrayIconId + 1, WM_LBUTTONDBLCLK), 0);

  // A double click runs the menu's first command: Advanced Settings.
  ASSERT_TRUE(PostMessageA(main, kTrayCallback, kTrayIconId, WM_LBUTTONDBLCLK));
  HWND advanced = WaitForWindow("#32770", "Advanced Settings");
  ASSERT_NE(advanced, nullptr);
  // Asked again while it is open, it opens no second copy (a sent command
  // returns at once instead of running a second dialog).
  EXPECT_EQ(SendMessageA(main, WM_COMMAND, 40008, 0), 1);
  EXPECT_EQ(FindWindowExA(nullptr, advanced, "#32770", "Advanced Settings"), nullptr);
  const HWND autoRun = GetDlgItem(advanced, 1009);
  ASSERT_NE(autoRun, nullptr);
  const bool wasChecked = SendMessageA(autoRun, BM_GETCHECK, 0, 0) == BST_CHECKED;
  SendMessageA(autoRun, BM_CLICK, 0, 0);
  // Escape closes the dialog as IDCANCEL, and keeps what it shows.
  ASSERT_TRUE(PostMessageA(advanced, WM_COMMAND, IDCANCEL, 0));
  ASSERT_TRUE(WaitUntilGone(advanced));
  const std::string expected = std::string("SupportAutoRunSkype=") + (wasChecked ? "0" : "1");
  EXPECT_NE(ReadFile(iniPath).find(expected), std::string::npos) << ReadFile(iniPath);
  EXPECT_EQ(FindWindowA("#32770", "Advanced Settings"), nullptr);

  // OK saves as well: the box back as it was.
  ASSERT_TRUE(PostMessageA(main, kTrayCallback, kTrayIconId, WM_LBUTTONDBLCLK));
  advanced = WaitForWindow("#32770", "Advanced Settings");
  ASSERT_NE(advanced, nullptr);
  SendMessageA(GetDlgItem(advanced, 1009), BM_CLICK, 0, 0);
  ASSERT_TRUE(PostMessageA(advanced, WM_COMMAND, IDOK, 0));
  ASSERT_TRUE(WaitUntilGone(advanced));
  EXPECT_NE(ReadFile(iniPath).find(std::string("SupportAutoRunSkype=") + (wasChecked ? "1" : "0")),
            std::string::npos);

  // A right click opens the menu; the second item opens Volume Control,
  // with the handset connected and its sliders showing the faders' levels
  // (this prefix has no sound device: level 0, the slider at the bottom).
  ASSERT_TRUE(PostMessageA(main, kTrayCallback, kTrayIconId, WM_RBUTTONUP));
  HWND menu = WaitForWindow("#32768", nullptr);
  ASSERT_NE(menu, nullptr) << "the tray menu";
  PressKey(menu, VK_DOWN);
  PressKey(menu, VK_DOWN);
  PressKey(menu, VK_RETURN);
  const HWND volume = WaitForWindow("#32770", "Volume Control");
  ASSERT_NE(volume, nullptr);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(volume, 1003)));
  EXPECT_EQ(SendDlgItemMessageA(volume, 1003, TBM_GETPOS, 0, 0), 31);
  EXPECT_EQ(SendDlgItemMessageA(volume, 1004, TBM_GETPOS, 0, 0), 31);
  ASSERT_TRUE(PostMessageA(volume, WM_COMMAND, IDOK, 0));
  ASSERT_TRUE(WaitUntilGone(volume));

  // Exit, the menu's last item, detaches from the client and ends the program.
  ASSERT_TRUE(PostMessageA(main, kTrayCallback, kTrayIconId, WM_RBUTTONUP));
  menu = WaitForWindow("#32768", nullptr);
  ASSERT_NE(menu, nullptr);
  PressKey(menu, VK_UP);
  PressKey(menu, VK_RETURN);
  ASSERT_TRUE(transcript->WaitFor("detach"));
  DWORD code = 1;
  ASSERT_TRUE(tolvane.WaitForExit(20s, &code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace tolvane::testing
