// The simulated client's own windows, as the program uses them: what it
// sends them shows in the client's transcript as `window` lines, the page
// control answers with its page and is clicked to another, the prompt window
// closes, and a closed main window is hidden while the client runs on.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "e2e_support.h"
#include "sim_control_win.h"

namespace tolvane::testing {
namespace {

struct Search {
  DWORD process;
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[256] = {};
  GetClassNameA(window, className, sizeof className);
  if (process != search->process || lstrcmpiA(className, search->className) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

// A top-level window (no parent) or a child of `parent`, of that class and
// that process.
HWND FindOf(DWORD process, const char* className, HWND parent = nullptr) {
  Search search{process, className, nullptr};
  if (parent == nullptr) {
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
  } else {
    EnumChildWindows(parent, &MatchWindow, reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

TEST(SimulatedClientTest, RecordsWhatTheProgramSendsToItsWindows) {
  const std::string programs = ProgramFolder();
  if (GetFileAttributesA((programs + "SimSkype.exe").c_str()) == INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "SimSkype.exe is not staged next to the test program";
  }
  const std::string scratch = MakeScratchFolder("client-windows");
  const std::string name = "windows-" + std::to_string(GetCurrentProcessId());
  TranscriptReader transcript(scratch + "transcript.txt", simskype::TranscriptEventName(name));
  ChildProcess sim;
  ASSERT_TRUE(sim.Start("\"" + programs + "SimSkype.exe\" --name " + name + " --transcript \"" + scratch +
                            "transcript.txt\"",
                        programs));
  ASSERT_TRUE(transcript.WaitFor("start"));
  const auto control = [&](const std::string& command) {
    EXPECT_EQ(static_cast<int>(simskype::SendControlCommand(name, command, 20000)),
              static_cast<int>(simskype::ControlResult::kAccepted))
        << command;
  };
  control("window show");
  control("page 2");
  control("dialog confirm show");

  const HWND main = FindOf(sim.Id(), "tskMainForm.UnicodeClass");
  ASSERT_NE(main, nullptr);
  const HWND pages = FindOf(sim.Id(), "TTntPageControl.UnicodeClass", main);
  const HWND grid = FindOf(sim.Id(), "tSkBgGrid.UnicodeClass", main);
  const HWND confirm = FindOf(sim.Id(), "TskConFirmForm.UnicodeClass");
  ASSERT_NE(pages, nullptr);
  ASSERT_NE(grid, nullptr);
  ASSERT_NE(FindOf(sim.Id(), "tSkContactList.UnicodeClass", main), nullptr);
  ASSERT_NE(confirm, nullptr);

  // The dial page shows the grid; a click on the first tab goes back to the
  // contacts and hides it.
  EXPECT_EQ(SendMessageA(pages, TCM_GETCURSEL, 0, 0), 2);
  EXPECT_TRUE(IsWindowVisible(grid));
  PostMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(44, 14));
  PostMessageA(grid, WM_LBUTTONUP, 0, MAKELPARAM(44, 14));
  PostMessageA(pages, WM_LBUTTONDOWN, 0, MAKELPARAM(56, 11));
  PostMessageA(pages, WM_LBUTTONUP, 0, MAKELPARAM(56, 11));
  // Sent messages overtake posted ones: ask only once the clicks are in.
  ASSERT_TRUE(transcript.WaitFor("window", "page-control WM_LBUTTONUP wParam=0 x=56 y=11"));
  EXPECT_EQ(SendMessageA(pages, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_FALSE(IsWindowVisible(grid));

  // The prompt is activated and closed.
  SendMessageA(confirm, WM_ACTIVATE, WA_CLICKACTIVE, 0);
  PostMessageA(confirm, WM_CLOSE, 0, 0);
  ASSERT_TRUE(transcript.WaitFor("window", "confirm WM_CLOSE"));
  EXPECT_FALSE(IsWindow(confirm));

  // A Backspace typed once the client has come forward (as it does for
  // "FOCUS") reaches its window.
  control("window front");
  EXPECT_EQ(GetForegroundWindow(), main);
  keybd_event(VK_BACK, 8, 0, 0);
  keybd_event(VK_BACK, 8, KEYEVENTF_KEYUP, 0);
  EXPECT_TRUE(transcript.WaitFor("window", "main WM_KEYDOWN VK_BACK"));

  // Closed, the main window is hidden; the client still runs and answers.
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(transcript.WaitFor("window", "main WM_CLOSE"));
  EXPECT_TRUE(IsWindow(main));
  EXPECT_FALSE(IsWindowVisible(main));
  control("window show");
  EXPECT_TRUE(IsWindowVisible(main));

  EXPECT_EQ(Texts(OfKind(transcript.Read(), "window")),
            (std::vector<std::string>{"page-control TCM_GETCURSEL 2",
                                      "dial-grid WM_LBUTTONDOWN wParam=1 x=44 y=14",
                                      "dial-grid WM_LBUTTONUP wParam=0 x=44 y=14",
                                      "page-control WM_LBUTTONDOWN wParam=0 x=56 y=11",
                                      "page-control WM_LBUTTONUP wParam=0 x=56 y=11",
                                      "page-control TCM_GETCURSEL 0",
                                      "confirm WM_ACTIVATE WA_CLICKACTIVE",
                                      "confirm WM_CLOSE",
                                      "main WM_KEYDOWN VK_BACK",
                                      "main WM_CLOSE"}));
  control("quit");
  DWORD code = 1;
  EXPECT_TRUE(sim.WaitForExit(std::chrono::seconds(20), &code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace tolvane::testing
