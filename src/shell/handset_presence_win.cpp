#include "shell/handset_presence_win.h"

#include <dbt.h>
#include <mmsystem.h>
// MinGW's hidsdi.h declares its functions without C linkage.
extern "C" {
#include <hidsdi.h>
}
#include <shellapi.h>

#include "shell/skype_windows_win.h"

namespace tolvane {
namespace {

constexpr int kNoMixerDevice = 0;
constexpr int kNoHandsetMixer = 1;
constexpr int kHandsetMixerFound = 2;

}  // namespace

bool ShellClientLauncher::LaunchFromRegistry() { return LaunchSkypeFromRegistry(owner_); }

void ShellClientLauncher::LaunchDefault() {
  ShellExecuteA(owner_, "open", kSkypeDefaultExecutable, nullptr, nullptr, SW_SHOWNORMAL);
}

int WinmmHandsetMixers::Present() {
  const UINT count = mixerGetNumDevs();
  if (count == 0) return kNoMixerDevice;
  for (UINT id = 0; id < count; ++id) {
    HMIXER mixer = nullptr;
    if (mixerOpen(&mixer, id, reinterpret_cast<DWORD_PTR>(window_), 0, CALLBACK_WINDOW) != MMSYSERR_NOERROR) {
      continue;
    }
    MIXERCAPSA caps{};
    const bool read = mixerGetDevCapsA(reinterpret_cast<UINT_PTR>(mixer), &caps, sizeof(caps)) == MMSYSERR_NOERROR;
    mixerClose(mixer);
    if (!read) return kNoMixerDevice;
    caps.szPname[MAXPNAMELEN - 1] = '\0';
    if (std::string_view(caps.szPname).find(prefix_) != std::string_view::npos) return kHandsetMixerFound;
  }
  return kNoHandsetMixer;
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
