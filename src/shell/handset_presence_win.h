#pragma once
// The Win32 side of following the handset: the main window's timers, the
// start of the client program and the registration for HID device
// notifications.
#include <windows.h>


#include "shell/handset_presence.h"

namespace tolvane {

class WindowCheckTimers final : public CheckTimers {
 public:
  explicit WindowCheckTimers(HWND window) : window_(window) {}
  void Arm(unsigned id, unsigned milliseconds) override { SetTimer(window_, id, milliseconds, nullptr); }
  void Disarm(unsigned id) override { KillTimer(window_, id); }

 private:
  HWND window_;
};

class ShellClientLauncher final : public ClientLauncher {
 public:
  explicit ShellClientLauncher(HWND owner) : owner_(owner) {}
  bool LaunchFromRegistry() override;
  void LaunchDefault() override;

 private:
  HWND owner_;
};

// WM_DEVICECHANGE for every HID device interface, to window.
void RegisterHandsetNotifications(HWND window);

}  // namespace tolvane
