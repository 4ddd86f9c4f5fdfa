#pragma once
// The icon for the main window's class and the tray: the file the
// configuration names, or, when it cannot be loaded (no Tolvane.ini, or its
// icon files missing), the icon built into the program, so that neither the
// window nor the notification area is left with a blank picture.
#include <windows.h>

#include <string>

namespace tolvane {

// The caller owns the icon (DestroyIcon); null only when the module has no
// icon of its own either (a test program).
HICON LoadProgramIcon(HINSTANCE instance, const std::string& path);

}  // namespace tolvane
