#pragma once
// The Skype client as a desktop program: where it records its executable,
// and which child window of each class (interfaces/client_windows.h) is
// kept. The Win32 side (skype_windows_win.h) starts the client and
// enumerates its windows.
#include <atomic>
#include <string_view>

#include "common/abi.h"
#include "interfaces/client_windows.h"

namespace tolvane {

// HKEY_CURRENT_USER key and value naming the client's executable.
inline constexpr const char* kSkypeRegistryKey = "Software\\Skype\\Phone";
inline constexpr const char* kSkypeRegistryValue = "SkypePath";
// Started when the registry does not name the executable.
inline constexpr const char* kSkypeDefaultExecutable = "C:\\Program Files\\Skype\\Phone\\Skype.exe";

// The client's child windows as last found. Written by the enumeration on the
// UI thread and read by the handset's report thread; a handle is not
// validated later and stays after the client exits.
struct SkypeChildWindows {
  std::atomic<WindowHandle> pageControlWindow{nullptr};
  std::atomic<WindowHandle> bgGridWindow{nullptr};
  std::atomic<WindowHandle> contactListWindow{nullptr};

  void Reset();
  // Keeps window as the handle of its class when the class (compared
  // without regard to case) is one of the three and no window of that class
  // has been kept since the last Reset: the first child of each class wins.
  void Take(WindowHandle window, std::string_view className);
};

// The process-wide set that FindSkypeWindows fills and the handset reads.
SkypeChildWindows& ProcessSkypeChildWindows();

}  // namespace tolvane
