#pragma once
// The Windows version class that decides a few platform rules (the handset
// prefix taken from the string table, the handling of a handset whose sound
// device has not appeared yet):
//   1  Windows 95/98 family before Me
//   2  Windows Me
//   3  Windows NT family, any minor version but 1 (2000, Vista, 8, 10, 11)
//   4  Windows NT family, minor version 1 (XP, 7)
#include <string>

namespace tolvane {

inline int ClassifyWindowsVersion(bool windows9xFamily, unsigned major, unsigned minor) {
  if (windows9xFamily) return major == 4 && minor >= 90 ? 2 : 1;
  return minor == 1 ? 4 : 3;
}

// The class of the system the program runs on (Win32 only).
int WindowsVersionCode();
// Its version as "major.minor.build" (Win32 only), for the diagnostic log.
std::string WindowsVersionText();

}  // namespace tolvane
