#include <windows.h>

#include "common/windows_version.h"

namespace tolvane {

int CurrentWindowsVersionClass() {
  const DWORD version = GetVersion();
  if ((version & 0x80000000u) != 0) {
    return WindowsVersionClass(true, LOBYTE(LOWORD(version)), HIBYTE(LOWORD(version)));
  }
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  // Deprecated, but it is the call whose answer the rules were written for.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExA(&info);
#pragma GCC diagnostic pop
  return WindowsVersionClass(false, info.dwMajorVersion, info.dwMinorVersion);
}

}  // namespace tolvane
