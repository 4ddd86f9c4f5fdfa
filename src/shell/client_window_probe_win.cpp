#include "shell/client_window_probe_win.h"

#include <windows.h>

namespace tolvane {

bool Win32ClientWindowProbe::WindowExists(const char* className) const {
  return FindWindowA(className, nullptr) != nullptr;
}

}  // namespace tolvane
