// Tolvane.exe's tray icon, menu and option dialogs against the simulated
// client and handset, on a real (virtual) X display: the icon and its hidden
// window exist, a double click opens Advanced Settings, which saves its
// check boxes on Escape, a right click opens the menu whose item opens its
// dialog, and Exit from the menu ends the program with the detach sent. The
// tooltip that the notification area shows follows the handset and the
// client, also after another program announced a new taskbar, and the icon
// leaves with the program; installed without its icon files, the program
// shows its own icon; the About box shows the configured text or nothing;
// Advanced Settings sends the key-tone code once per change; Volume Control
// follows the handset's volume key; Audio Device Settings follows the
// default playback device changed elsewhere; no dialog turns off the
// switch that keeps the Windows default devices off the handset.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include <chrono>
#include <fstream>
#include <string>

#include "shell_tooltips.h"
#include "tray_support.h"
#include "window_capture.h"

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
  // with the handset connected and its sliders showing the faders' levels:
  // the handset's mixer here ("Out: USBHandset") is Wine's, at full volume
  // (level 32, the slider at the top), and has no microphone line (level 0,
  // the slider at the bottom).
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
  EXPECT_EQ(SendDlgItemMessageA(volume, 1004, TBM_GETPOS, 0, 0), 0);
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
class TooltipTest : public InstalledTrayTest {
 protected:
  // Waits until the notification area shows `tip` as Tolvane's tooltip.
  bool Shows(const wchar_t* tip) {
    if (shell == 0) shell = ShellProcess();
    return shell != 0 && WaitForShellTooltip(shell, tip, &tips);
  }
  // Where the icon with that tip sits on the screen; empty when none does.
  RECT Slot(const wchar_t* tip) const {
    for (const ShellTool& tool : ShellTools(shell)) {
      if (tool.text == tip) return tool.screenRect;
    }
    return {};
  }
  // Waits until the slot shows a picture (more than a background colour and
  // an edge), or no longer does; the shell paints when its queue runs empty.
  static bool Pictured(const RECT& slot, bool pictured) {
    return PollUntil(10s, [&] { return (DistinctColours(CaptureScreen(slot)) > 2) == pictured; }, 200ms);
  }
  // What it showed meanwhile, for a failure.
  std::string Shown() const { return shell == 0 ? "no taskbar: the run has no Wine desktop" : Quoted(tips); }

 private:
  DWORD shell = 0;
  std::vector<std::wstring> tips;
};

TEST_F(TooltipTest, FollowsTheHandsetAndTheClient) {
  StartInstalled();
  EXPECT_TRUE(Shows(L"REROzode In-Used; Skype On-line")) << "both on-line; shown: " << Shown();
  Control("conn-status OFFLINE");
  EXPECT_TRUE(Shows(L"Skype disconnect.")) << "the client off-line; shown: " << Shown();
  Control("conn-status ONLINE");
  EXPECT_TRUE(Shows(L"REROzode In-Used; Skype On-line")) << "the client back; shown: " << Shown();
  // Pulled out: the simulated handset tells every window as Windows does.
  Handset("unplug");
  EXPECT_TRUE(Shows(L"REROzode disconnect.")) << "the handset pulled out; shown: " << Shown();
}

// Any program may announce a new taskbar ("TaskbarCreated"); the shell, which
// did not restart, still holds the icon. It goes on following the state and
// leaves with the program.
TEST_F(TooltipTest, AnotherProgramsTaskbarAnnouncementLeavesTheIconWorking) {
  StartInstalled();
  ASSERT_TRUE(Shows(L"REROzode In-Used; Skype On-line")) << "both on-line; shown: " << Shown();
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 10000,
                      &answer);
  Control("conn-status OFFLINE");
  ASSERT_TRUE(Shows(L"Skype disconnect.")) << "the client off-line; shown: " << Shown();
  const RECT slot = Slot(L"Skype disconnect.");
  ASSERT_TRUE(Pictured(slot, true)) << "the icon's slot shows nothing";
  ExitThroughMenu();
  // Wine's shell keeps a deleted icon's tooltip: the picture is what goes.
  EXPECT_TRUE(Pictured(slot, false)) << "the icon outlived the program";
}

// Installed without its icon files, the program shows its own icon: the
// icon's slot in the notification area is not blank.
TEST_F(TooltipTest, WithoutItsIconFilesTheProgramShowsItsOwnIcon) {
  WIN32_FIND_DATAA entry{};
  const HANDLE found = FindFirstFileA((installed + "*.ico").c_str(), &entry);
  ASSERT_NE(found, INVALID_HANDLE_VALUE);
  do {
    ASSERT_TRUE(DeleteFileA((installed + entry.cFileName).c_str())) << entry.cFileName;
  } while (FindNextFileA(found, &entry));
  FindClose(found);
  StartInstalled();
  ASSERT_TRUE(Shows(L"REROzode In-Used; Skype On-line")) << "both on-line; shown: " << Shown();
  const RECT slot = Slot(L"REROzode In-Used; Skype On-line");
  ASSERT_GT(slot.right - slot.left, 0) << "the icon's slot has no place on the screen";
  EXPECT_TRUE(Pictured(slot, true)) << "a blank slot at " << slot.left << "," << slot.top << " "
                                    << slot.right - slot.left << "x" << slot.bottom - slot.top;
}

// Started without the handset, Tolvane does not attach to the client: the
// tooltip says neither is on-line until the handset is plugged in.
TEST_F(TooltipTest, SaysNeitherIsOnLineUntilTheHandsetIsPluggedIn) {
  // The simulated handset in Tolvane's process takes its first state from
  // the environment it inherits.
  SetEnvironmentVariableA("TOLVANE_SIM_HANDSET_PLUGGED", "0");
  const bool started = tolvane.Start("\"" + installed + "Tolvane.exe\"", installed);
  SetEnvironmentVariableA("TOLVANE_SIM_HANDSET_PLUGGED", nullptr);
  ASSERT_TRUE(started);
  EXPECT_TRUE(Shows(L"REROzode disconnect; Skype disconnect.")) << "neither; shown: " << Shown();
  Handset("plug");
  EXPECT_TRUE(Shows(L"REROzode In-Used; Skype On-line")) << "plugged in; shown: " << Shown();
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
  EXPECT_EQ(keyToneCodes("default"), std::vector<int>{0x29});
  EXPECT_EQ(GetPrivateProfileIntA("SETTINGS", "SupportEnableKeyTone", -1, iniPath.c_str()), 0);
}

// The handset's speaker is the run's "Out: USBHandset" mixer
// (scripts/wine-x11-alsa.conf): its volume key moves the open dialog's
// speaker slider, by the dialog's own poll, within a second.
TEST_F(InstalledTrayTest, VolumeControlFollowsTheHandsetsVolumeKeyWithinASecond) {
  StartInstalled();
  const HWND volume = Open(40007);
  ASSERT_NE(volume, nullptr);
  const auto speaker = [&] { return AskControl(volume, 1004, TBM_GETPOS); };
  const LRESULT before = speaker();
  Handset("voldown");
  const auto pressed = std::chrono::steady_clock::now();
  PollUntil(10s, [&] { return speaker() != before; }, 20ms);
  const auto took = std::chrono::steady_clock::now() - pressed;
  EXPECT_GT(speaker(), before) << "quieter is lower on the slider";
  EXPECT_LT(took, 1s);
  Close(volume, IDOK);
}

// The wave-out devices' names, by index, as the program sees them.
std::vector<std::string> PlaybackDevices() {
  std::vector<std::string> names;
  for (UINT i = 0; i < waveOutGetNumDevs(); ++i) {
    WAVEOUTCAPSA caps{};
    names.emplace_back(waveOutGetDevCapsA(i, &caps, sizeof caps) == MMSYSERR_NOERROR ? caps.szPname : "");
  }
  return names;
}

// The Windows default playback device, as the Sound Mapper key names it.
constexpr char kSoundMapper[] = "Software\\Microsoft\\Multimedia\\Sound Mapper";

void SetPlayback(const std::string& name) {
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kSoundMapper, "Playback", REG_SZ, name.c_str(),
                            static_cast<DWORD>(name.size() + 1)),
            ERROR_SUCCESS);
}

std::string Playback() {
  char text[128] = {};
  DWORD size = sizeof text;
  RegGetValueA(HKEY_CURRENT_USER, kSoundMapper, "Playback", RRF_RT_REG_SZ, nullptr, text, &size);
  return text;
}

// The run's prefix has two playback devices (scripts/wine-x11-alsa.conf).
// The default playback device changed elsewhere (as the control panel does)
// moves the dialog's choice within about a second; what the user then picks
// is applied by Cancel just as by OK.
TEST_F(InstalledTrayTest, AudioDeviceSettingsFollowsTheDefaultDeviceChangedElsewhere) {
  const std::vector<std::string> devices = PlaybackDevices();
  ASSERT_GE(devices.size(), 2u) << "the run has no sound devices: is it under scripts/wine-x11-run?";
  StartInstalled();
  SetPlayback(devices[0]);
  const HWND dialog = Open(40009);
  ASSERT_NE(dialog, nullptr);
  const auto shown = [&] { return AskControl(dialog, 1015, CB_GETCURSEL); };
  ASSERT_EQ(SendDlgItemMessageA(dialog, 1015, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(devices.size()));
  ASSERT_EQ(shown(), 0) << "the default device when the dialog opened";

  SetPlayback(devices[1]);
  const auto changed = std::chrono::steady_clock::now();
  PollUntil(10s, [&] { return shown() == 1; });
  const auto took = std::chrono::steady_clock::now() - changed;
  ASSERT_EQ(shown(), 1) << "the choice did not follow the default device";
  EXPECT_LT(took, 2500ms) << "the watch reads the default device once a second";

  // The user picks the first device again; Cancel applies it.
  const HWND combo = GetDlgItem(dialog, 1015);
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1015, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  Close(dialog, IDCANCEL);
  EXPECT_EQ(Playback(), devices[0]);
}

// Shipped on, the system switch moves the Windows default devices off the
// handset before every discover. Its check box (1019) is in none of the
// dialogs' templates: closing a dialog leaves the switch as it was.
TEST_F(InstalledTrayTest, TheSystemDeviceSwitchOutlivesTheDialogs) {
  ASSERT_EQ(GetPrivateProfileIntA("SYSTEM", "SupportAutoSwitchSystemAudioDevice", -1, iniPath.c_str()), 1);
  StartInstalled();
  for (const WORD command : {WORD{40009}, WORD{40008}}) {
    const HWND dialog = Open(command);
    ASSERT_NE(dialog, nullptr) << command;
    Close(dialog, IDOK);
  }
  SetPlayback("not a device");
  // The client's API comes back: Tolvane discovers it again.
  Control("api-available");
  ASSERT_TRUE(transcript->WaitUntil([](const Transcript& all) { return OfKind(all, "discover").size() >= 2; }));
  EXPECT_NE(Playback(), "not a device") << "the default devices were left alone";
}

}  // namespace
}  // namespace tolvane::testing
