#pragma once
// What the tray tests share: waiting for another process's windows, reading
// their texts, and a fixture that runs Tolvane.exe installed as it ships
// (the default configuration and the tray icons beside it) in the test's
// scratch folder, against the simulated client and handset.
#include <windows.h>

#include <chrono>
#include <string>

#include "programs_fixture.h"

namespace tolvane::testing {

// Another process's windows and their state change without an event this
// process could wait on: `found` is asked every `period` until it gives a
// value that counts as true or the deadline has passed (then the empty one).
template <typename Found>
auto PollUntil(std::chrono::milliseconds deadline, Found found,
               std::chrono::milliseconds period = std::chrono::milliseconds(50)) -> decltype(found()) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  for (;;) {
    if (auto result = found()) return result;
    if (std::chrono::steady_clock::now() >= end) return {};
    Sleep(static_cast<DWORD>(period.count()));
  }
}

inline constexpr UINT kTrayCallback = 0x800A;
inline constexpr WPARAM kTrayIconId = 112;

// Windows of other processes appear asynchronously; found within a deadline.
HWND WaitForWindow(const char* className, const char* title,
                   std::chrono::milliseconds deadline = std::chrono::seconds(20));
// The first visible dialog of the process that appears within the deadline.
HWND WaitForDialog(DWORD process, std::chrono::milliseconds deadline = std::chrono::seconds(20));
bool WaitUntilGone(HWND window, std::chrono::milliseconds deadline = std::chrono::seconds(20));
// Hidden or destroyed: a menu put away (its window may be kept for the next).
bool WaitUntilHidden(HWND window, std::chrono::milliseconds deadline = std::chrono::seconds(20));

std::string ReadFile(const std::string& path);
void PressKey(HWND window, WPARAM key);
// A window's text as the window itself answers it (WM_GETTEXT).
std::wstring WindowText(HWND window);
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& text);
DWORD ProcessOf(HWND window);
// A dialog control's answer to a message without arguments (a slider's
// position, a list's selection), asked across processes without hanging on
// a busy dialog: -1 when it has not answered within 10 s.
LRESULT AskControl(HWND dialog, int control, UINT message);

class InstalledTolvaneTest : public ProgramsTest {
 protected:
  void SetUp() override;
  // Starts Tolvane.exe from the installed folder and waits for the client's
  // set-up; `main` is its main window.
  void StartInstalled();
  // Ends it through the menu's Exit command.
  void ExitThroughMenu();

  std::string installed;  // the folder, with its trailing backslash
  std::string iniPath;
  HWND main = nullptr;
};

}  // namespace tolvane::testing
