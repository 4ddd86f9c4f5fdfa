#include "shell/handset_presence_win.h"

#include <dbt.h>
// MinGW's hidsdi.h declares its functions without C linkage.
extern "C" {
#include <hidsdi.h>
}
#include <shellapi.h>

#include "shell/skype_windows_win.h"

namespace tolvane {
bool ShellClientLauncher::LaunchFromRegistry() { return LaunchSkypeFromRegistry(owner_); }

void ShellClientLauncher::LaunchDefault() {
  ShellExecuteA(owner_, "open", kSkypeDefaultExecutable, nullptr, nullptr, SW_SHOWNORMAL);
}

void RegisterHandsetNotifications(HWND window) {
  DEV_BROADCAST_DEVICEINTERFACE_A filter{};
  filter.dbcc_size = sizeof(filter);
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  HidD_GetHidGuid(&filter.dbcc_classguid);
  // Without the registration the handset is still found at start-up; only
  // its plugging in and out would go unnoticed.
  RegisterDeviceNotificationA(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

}  // namespace tolvane
