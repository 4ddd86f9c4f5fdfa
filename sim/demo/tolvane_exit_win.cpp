// Asks a running Tolvane to exit: posts the Exit menu command to its hidden
// main window. Exit code 0 when the window was found, 2 when none runs.
#include <windows.h>

#include <cstdio>

namespace {
constexpr WPARAM kCommandExit = 40001;  // the tray menu's Exit
}

int main() {
  HWND window = FindWindowA("QorMainWndClass", nullptr);
  if (window == nullptr) {
    std::fputs("tolvane_exit: Tolvane is not running\n", stderr);
    return 2;
  }
  return PostMessageA(window, WM_COMMAND, kCommandExit, 0) ? 0 : 1;
}
