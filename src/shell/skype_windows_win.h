#pragma once
// Starting the Skype client from its registered path and finding its child
// windows.
#include <windows.h>

#include "shell/skype_windows.h"

namespace tolvane {

// Starts the executable that HKEY_CURRENT_USER\Software\Skype\Phone
// "SkypePath" names (at most 255 bytes, any value type), with owner as the
// parent of any message the shell shows. True when the value was read and
// the start requested (whether the start worked is not known); false when
// there is no key, no value, or an empty or longer one, and nothing was
// started.
bool LaunchSkypeFromRegistry(HWND owner);

// Finds the client's main window and keeps the first child window of each of
// the three classes in windows. Without a main window the handles keep their
// values.
void FindSkypeWindows(SkypeChildWindows& windows = ProcessSkypeChildWindows());

// The EnumChildWindows callback of that search, for every enumeration of the
// client's children. lParam points to the SkypeChildWindows to fill; 0 means
// the process-wide set. Always TRUE: every child is visited.
BOOL CALLBACK SkypeChildWindowCallback(HWND window, LPARAM lParam);

}  // namespace tolvane
