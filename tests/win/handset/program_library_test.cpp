// Tolvane.exe with its handset library as a user installs it: the library's
// entry points in either calling convention, and libraries taken only from
// the program's own folder, never from the working folder or PATH. Each test
// gives Tolvane a program folder of its own under the scratch folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "call_fixture.h"

namespace tolvane::testing {
namespace {

using namespace std::chrono_literals;

constexpr WPARAM kCommandExit = 40001;
constexpr int kKeyOffHook = 31;
constexpr char kDecoyMark[] = "decoy-loaded.txt";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

BOOL CALLBACK CollectText(HWND child, LPARAM found) {
  char text[256] = {};
  GetWindowTextA(child, text, sizeof text);
  reinterpret_cast<std::vector<std::string>*>(found)->push_back(text);
  return TRUE;
}

std::vector<std::string> ChildTexts(HWND window) {
  std::vector<std::string> texts;
  EnumChildWindows(window, &CollectText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

// A message box is another process's window: looked for every 100 ms.
HWND WaitForMessageBox(const char* caption, std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  for (;;) {
    if (const HWND box = FindWindowA("#32770", caption)) return box;
    if (std::chrono::steady_clock::now() >= end) return nullptr;
    Sleep(100);
  }
}

class ProgramLibraryTest : public CallTest {
 protected:
  // A program folder as the installer leaves it, with the handset library
  // given (none when empty) copied in as QorHIDCtrl.dll.
  std::string MakeProgramFolder(const std::string& handsetLibrary) {
    const std::string folder = scratch + "program\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* file : {"Tolvane.exe", "QorFontProcessLib.dll"}) {
      EXPECT_TRUE(CopyFileA((programs + file).c_str(), (folder + file).c_str(), FALSE)) << file;
    }
    if (!handsetLibrary.empty()) {
      EXPECT_TRUE(CopyFileA(handsetLibrary.c_str(), (folder + "QorHIDCtrl.dll").c_str(), FALSE)) << handsetLibrary;
    }
    return folder;
  }

  // A folder holding a decoy QorHIDCtrl.dll, which leaves a mark beside
  // itself when any process loads it.
  std::string MakeDecoyFolder(const std::string& label) {
    const std::string folder = scratch + label + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_TRUE(CopyFileA(TOLVANE_DECOY_HIDCTRL, (folder + "QorHIDCtrl.dll").c_str(), FALSE));
    return folder;
  }

  // Tolvane started from `workingFolder`, with `pathFolder` first on PATH.
  void StartTolvane(const std::string& programFolder, const std::string& workingFolder,
                    const std::string& pathFolder) {
    char path[32767] = {};
    GetEnvironmentVariableA("PATH", path, sizeof path);
    const std::string oldPath = path;
    SetEnvironmentVariableA("PATH", (pathFolder + ";" + oldPath).c_str());
    const bool started = tolvane.Start("\"" + programFolder + "Tolvane.exe\"", workingFolder);
    SetEnvironmentVariableA("PATH", oldPath.c_str());
    ASSERT_TRUE(started);
  }

  void ExitAndExpectACleanEnd() {
    Handset("mark exit");
    const HWND main = FindWindowA("QorMainWndClass", "SkypeForWindow");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PostMessageA(main, WM_COMMAND, kCommandExit, 0));
    DWORD code = 1;
    ASSERT_TRUE(tolvane.WaitForExit(30s, &code));
    EXPECT_EQ(code, 0u);
    // The device shut down and the instance deleted through the library's
    // delete entry, which said it succeeded.
    const HandsetLog::Entries all = handset->Since("exit");
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[all.size() - 2], "ShutdownDevice");
    EXPECT_EQ(all.back(), "deleted");
  }
};

// A vendor library may export its two entry points standard-call or C-call;
// on 32-bit Windows a wrong guess leaves the stack four bytes off.
class EntryConventionTest : public ProgramLibraryTest {
 protected:
  void AttachRingTakeAKeyAndEnd(const char* library) {
    programs = MakeProgramFolder(library);
    StartReady();
    Control("incoming alice.example");
    ASSERT_TRUE(WaitForCode(kRing));
    ASSERT_TRUE(WaitForCode(kTextReady));
    ASSERT_TRUE(WaitForReceived("GET CALL 1000 PARTNER_DISPNAME"));
    Handset("key " + std::to_string(kKeyOffHook));
    ASSERT_TRUE(WaitForReceived("SET CALL  1000 STATUS INPROGRESS"));
    ASSERT_TRUE(WaitForCode(kCallInProgress));
    ExitAndExpectACleanEnd();
  }
};

TEST_F(EntryConventionTest, StandardCallEntryPoints) { AttachRingTakeAKeyAndEnd(TOLVANE_SIM_HIDCTRL); }

TEST_F(EntryConventionTest, CCallEntryPoints) { AttachRingTakeAKeyAndEnd(TOLVANE_SIM_HIDCTRL_CCALL); }

using LibrarySearchTest = ProgramLibraryTest;

TEST_F(LibrarySearchTest, WithoutTheLibraryBesideItTolvaneSaysSoAndLoadsNoOtherFile) {
  const std::string program = MakeProgramFolder("");
  const std::string working = MakeDecoyFolder("working");
  const std::string onPath = MakeDecoyFolder("on-path");
  StartTolvane(program, working, onPath);

  const HWND box = WaitForMessageBox("CreateHidCtrlInstance", 30s);
  ASSERT_NE(box, nullptr) << "no load failure was shown; shown instead: "
                          << (FindWindowA("#32770", "CreateDLLInstance") != nullptr ? "CreateDLLInstance" : "none");
  const std::vector<std::string> texts = ChildTexts(box);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Failed to load module - QorHIDCtrl.dll"), texts.end());
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  DWORD code = 1;
  ASSERT_TRUE(tolvane.WaitForExit(30s, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_FALSE(Exists(working + kDecoyMark)) << "the copy in the working folder was loaded";
  EXPECT_FALSE(Exists(onPath + kDecoyMark)) << "the copy on PATH was loaded";
}

TEST_F(LibrarySearchTest, WithTheLibraryBesideItTolvaneWorksFromAnyWorkingFolder) {
  const std::string program = MakeProgramFolder(TOLVANE_SIM_HIDCTRL);
  const std::string working = MakeDecoyFolder("working");
  const std::string onPath = MakeDecoyFolder("on-path");
  StartTolvane(program, working, onPath);
  ASSERT_TRUE(transcript->WaitFor("recv", "SEARCH CALLS")) << "the client never received the set-up";
  ExitAndExpectACleanEnd();
  EXPECT_FALSE(Exists(working + kDecoyMark));
  EXPECT_FALSE(Exists(onPath + kDecoyMark));
}

}  // namespace
}  // namespace tolvane::testing
