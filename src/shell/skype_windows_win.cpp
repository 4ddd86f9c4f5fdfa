#include "shell/skype_windows_win.h"

#include <shellapi.h>

#include <string>

namespace tolvane {
namespace {

// The registry value, at most 255 bytes, always terminated. Empty when it
// cannot be read.
std::string ReadRegisteredSkypePath() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSkypeRegistryKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  char path[256] = {};
  DWORD size = sizeof path - 1;
  const LONG result =
      RegQueryValueExA(key, kSkypeRegistryValue, nullptr, nullptr, reinterpret_cast<BYTE*>(path), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? std::string(path) : std::string();
}

}  // namespace

bool LaunchSkypeFromRegistry(HWND owner) {
  const std::string path = ReadRegisteredSkypePath();
  // An empty path would make the shell open a folder window instead.
  if (path.empty()) return false;
  ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return true;
}

void FindSkypeWindows(SkypeChildWindows& windows) {
  HWND main = FindWindowA(kSkypeMainWindowClass, nullptr);
  if (main == nullptr) return;
  windows.Reset();
  EnumChildWindows(main, &SkypeChildWindowCallback, reinterpret_cast<LPARAM>(&windows));
}

BOOL CALLBACK SkypeChildWindowCallback(HWND window, LPARAM lParam) {
  SkypeChildWindows& windows =
      lParam != 0 ? *reinterpret_cast<SkypeChildWindows*>(lParam) : ProcessSkypeChildWindows();
  char className[256] = {};
  const int length = GetClassNameA(window, className, sizeof className);
  if (length > 0) windows.Take(window, std::string_view(className, static_cast<std::size_t>(length)));
  return TRUE;
}

}  // namespace tolvane
