#include <windows.h>

#include "common/windows_version.h"

namespace tolvane {
namespace {

OSVERSIONINFOA VersionInfo() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  // Deprecated, but it is the call whose answer the rules were written for.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExA(&info);
#pragma GCC diagnostic pop
  return info;
}

}  // namespace

int WindowsVersionCode() {
  const DWORD version = GetVersion();
  if ((version & 0x80000000u) != 0) {
    return ClassifyWindowsVersion(true, LOBYTE(LOWORD(version)), HIBYTE(LOWORD(version)));
  }
  const OSVERSIONINFOA info = VersionInfo();
  return ClassifyWindowsVersion(false, info.dwMajorVersion, info.dwMinorVersion);
}

std::string WindowsVersionText() {
  const OSVERSIONINFOA info = VersionInfo();
  return std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion) + "." +
         std::to_string(info.dwBuildNumber);
}

}  // namespace tolvane
