// Tolvane.exe's tray icon, menu and option dialogs against the simulated
// client and handset, on a real (virtual) X display: the icon and its hidden
// window exist, a double click opens Advanced Settings, which saves its
// check boxes on Escape, a right click opens the menu whose item opens its
// dialog, and Exit from the menu ends the program with the detach sent. The
// tooltip that the notification area shows follows the handset and the
// client; the About box shows the configured text or nothing; Advanced
// Settings sends the key-tone code once per change; Audio Device Settings
// without wave devices shows its placeholders and never writes them.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <dbt.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <string>

#include "shell_tooltips.h"
#include "tray_support.h"

namespace tolvane::testing {
namespace {

using namespace std::chrono_literals;

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

class InstalledTrayTest : public InstalledTolvaneTest {
 protected:
  // Opens a dialog as the menu's command does; the dialog's window.
  HWND Open(WORD command) {
    if (!PostMessageA(main, WM_COMMAND, command, 0)) return nullptr;
    return WaitForDialog(ProcessOf(main));
  }
  void Close(HWND dialog, WORD button) {
    ASSERT_TRUE(PostMessageA(dialog, WM_COMMAND, button, 0));
    ASSERT_TRUE(WaitUntilGone(dialog));
  }
};

// Read where the user reads it: the tooltip the notification area shows.
TEST_F(InstalledTrayTest, TheTooltipFollowsTheHandsetAndTheClient) {
#ifndef _WIN64
  GTEST_SKIP() << "the shell's tooltip records are read in its own (64-bit) layout";
#endif
  StartInstalled();
  const DWORD shell = ShellProcess();
  ASSERT_NE(shell, 0u) << "no taskbar: the run has no Wine desktop";
  std::vector<std::wstring> tips;
  const auto shows = [&](const wchar_t* tip) { return WaitForShellTooltip(shell, tip, &tips); };
  EXPECT_TRUE(shows(L"REROzode In-Used; Skype On-line")) << "both on-line; shown:" << Quoted(tips);
  Control("conn-status OFFLINE");
  EXPECT_TRUE(shows(L"Skype disconnect.")) << "the client off-line; shown:" << Quoted(tips);
  Control("conn-status ONLINE");
  EXPECT_TRUE(shows(L"REROzode In-Used; Skype On-line")) << "the client back; shown:" << Quoted(tips);
  Handset("unplug quiet");
  DWORD_PTR result = 0;
  SendMessageTimeoutA(main, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0, SMTO_ABORTIFHUNG, 10000, &result);
  EXPECT_TRUE(shows(L"REROzode disconnect.")) << "the handset pulled out; shown:" << Quoted(tips);
}

TEST_F(InstalledTrayTest, AboutShowsNothingWithoutACustomerText) {
  ASSERT_TRUE(WritePrivateProfileStringA("NAME", "CustomerINFO", nullptr, iniPath.c_str()));
  StartInstalled();
  const HWND about = Open(40002);
  ASSERT_NE(about, nullptr);
  const HWND text = GetDlgItem(about, 1001);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(WindowText(text), L"") << "the template's lines are replaced, also by nothing";
  Close(about, IDOK);
}

TEST_F(InstalledTrayTest, AdvancedSettingsSendsTheKeyToneCodeOncePerChange) {
  StartInstalled();
  const auto keyToneCodes = [&](const std::string& mark) {
    std::vector<int> codes = SentCodes(handset->Since(mark));
    std::erase_if(codes, [](int code) { return code != 0x28 && code != 0x29; });
    return codes;
  };

  // Switched on and closed with OK: "on" once, and saved.
  Handset("mark on");
  HWND advanced = Open(40008);
  ASSERT_NE(advanced, nullptr);
  ASSERT_EQ(SendDlgItemMessageA(advanced, 1010, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "shipped off";
  SendDlgItemMessageA(advanced, 1010, BM_SETCHECK, BST_CHECKED, 0);
  Close(advanced, IDOK);
  EXPECT_EQ(keyToneCodes("on"), std::vector<int>{0x28});
  EXPECT_EQ(GetPrivateProfileIntA("SETTINGS", "SupportEnableKeyTone", -1, iniPath.c_str()), 1);

  // Default Value turns it off again and says so once; closing the dialog
  // afterwards changes nothing, so it sends nothing more.
  Handset("mark default");
  advanced = Open(40008);
  ASSERT_NE(advanced, nullptr);
  EXPECT_EQ(SendDlgItemMessageA(advanced, 1010, BM_GETCHECK, 0, 0), BST_CHECKED);
  ASSERT_TRUE(PostMessageA(advanced, WM_COMMAND, 1024, 0));
  ASSERT_TRUE(handset->WaitFor("default", "SendCode 41"));
  Close(advanced, IDCANCEL);
  Handset("mark closed");
  EXPECT_EQ(keyToneCodes("default"), std::vector<int>{0x29});
  EXPECT_EQ(GetPrivateProfileIntA("SETTINGS", "SupportEnableKeyTone", -1, iniPath.c_str()), 0);
}

// This prefix has no wave devices: the dialog offers its placeholders, its
// watch thread finds nothing to follow, and closing it (either button
// applies the shown choice) never writes a placeholder as a device.
TEST_F(InstalledTrayTest, AudioDeviceSettingsWithoutWaveDevicesKeepsTheDefaults) {
  constexpr char kSoundMapper[] = "Software\\Microsoft\\Multimedia\\Sound Mapper";
  const auto set = [&](const char* value, const char* text) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kSoundMapper, value, REG_SZ, text,
                              static_cast<DWORD>(std::strlen(text) + 1)),
              ERROR_SUCCESS);
  };
  const auto get = [&](const char* value) {
    char text[128] = {};
    DWORD size = sizeof text;
    RegGetValueA(HKEY_CURRENT_USER, kSoundMapper, value, RRF_RT_REG_SZ, nullptr, text, &size);
    return std::string(text);
  };
  set("Playback", "Speakers");
  set("Record", "Microphone");
  StartInstalled();
  const HWND devices = Open(40009);
  ASSERT_NE(devices, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(devices, 1015)), L"No Speaker");
  EXPECT_EQ(WindowText(GetDlgItem(devices, 1016)), L"No MIC");

  // Changed elsewhere while the dialog is open: no device has that name, so
  // the watch (once a second) moves nothing. Two rounds are given.
  set("Playback", "Headset");
  Sleep(2500);
  EXPECT_EQ(WindowText(GetDlgItem(devices, 1015)), L"No Speaker");

  const auto closing = std::chrono::steady_clock::now();
  Close(devices, IDCANCEL);
  EXPECT_LT(std::chrono::steady_clock::now() - closing, 3s) << "the watch thread holds the dialog up";
  EXPECT_EQ(get("Playback"), "Headset");
  EXPECT_EQ(get("Record"), "Microphone");
}

}  // namespace
}  // namespace tolvane::testing
