#include "tray_support.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace tolvane::testing {
namespace {

struct DialogSearch {
  DWORD process = 0;
  HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<DialogSearch*>(context);
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(window) || ProcessOf(window) != search->process) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND WaitForWindow(const char* className, const char* title, std::chrono::milliseconds deadline) {
  return PollUntil(deadline, [&]() -> HWND {
    const HWND window = FindWindowA(className, title);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
  });
}

HWND WaitForDialog(DWORD process, std::chrono::milliseconds deadline) {
  return PollUntil(deadline, [&]() -> HWND {
    DialogSearch search{process, nullptr};
    EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
  });
}

bool WaitUntilGone(HWND window, std::chrono::milliseconds deadline) {
  return PollUntil(deadline, [&] { return !IsWindow(window); });
}

bool WaitUntilHidden(HWND window, std::chrono::milliseconds deadline) {
  return PollUntil(deadline, [&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void PressKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 0);
  PostMessageA(window, WM_KEYUP, key, 0xC0000000);
}

std::wstring WindowText(HWND window) {
  // GetWindowTextW would answer from the caption stored with another
  // process's window; a combo box's text is only what it answers itself.
  wchar_t text[512] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 10000,
                           &length)) {
    return {};
  }
  return std::wstring(text, std::min<std::size_t>(length, 511));
}

std::wstring Wide(const std::string& utf8) {
  std::wstring text(utf8.size(), L'\0');
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                                         static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return text;
}

std::string Utf8(const std::wstring& text) {
  std::string utf8(text.size() * 4, '\0');
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                                         static_cast<int>(utf8.size()), nullptr, nullptr);
  utf8.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return utf8;
}

LRESULT AskControl(HWND dialog, int control, UINT message) {
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutA(GetDlgItem(dialog, control), message, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer) == 0) {
    return -1;
  }
  return static_cast<LRESULT>(answer);
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

void InstalledTolvaneTest::SetUp() {
  ProgramsTest::SetUp();
  if (IsSkipped() || HasFatalFailure()) return;
  // As the installer lays it out: the program, the two libraries, and the
  // shipped configuration and icons (staged under shipped\ by the build).
  installed = scratch + "installed\\";
  CreateDirectoryA(installed.c_str(), nullptr);
  const std::string shipped = programs + "shipped\\";
  for (const char* file : {"Tolvane.exe", "QorHIDCtrl.dll", "QorFontProcessLib.dll"}) {
    ASSERT_TRUE(CopyFileA((programs + file).c_str(), (installed + file).c_str(), FALSE)) << file;
  }
  WIN32_FIND_DATAA entry{};
  const HANDLE found = FindFirstFileA((shipped + "*").c_str(), &entry);
  ASSERT_NE(found, INVALID_HANDLE_VALUE) << "nothing staged in " << shipped;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    ASSERT_TRUE(CopyFileA((shipped + entry.cFileName).c_str(), (installed + entry.cFileName).c_str(), FALSE));
  } while (FindNextFileA(found, &entry));
  FindClose(found);
  iniPath = installed + "Tolvane.ini";
}

void InstalledTolvaneTest::StartInstalled() {
  ASSERT_TRUE(tolvane.Start("\"" + installed + "Tolvane.exe\"", installed));
  ASSERT_TRUE(transcript->WaitFor("recv", "SEARCH CALLS")) << "the client never received the set-up";
  main = FindWindowA("QorMainWndClass", nullptr);
  ASSERT_NE(main, nullptr);
}

void InstalledTolvaneTest::ExitThroughMenu() {
  ASSERT_TRUE(PostMessageA(main, WM_COMMAND, 40001, 0));
  DWORD code = 1;
  ASSERT_TRUE(tolvane.WaitForExit(std::chrono::seconds(20), &code));
  EXPECT_EQ(code, 0u);
}

}  // namespace tolvane::testing
