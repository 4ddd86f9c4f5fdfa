#pragma once
// The Win32 side of following the handset: the main window's timers, the
// start of the client program, the look for the handset's mixer device, and
// the registration for HID device notifications.
#include <windows.h>

#include <functional>
#include <string>

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

// Looks for the handset's mixer device by the handset prefix in its name;
// opening and closing the mixer controls is handed to `open` and `close`
// (empty: nothing to open).
class WinmmHandsetMixers final : public MixerControls {
 public:
  WinmmHandsetMixers(HWND window, std::string prefix) : window_(window), prefix_(std::move(prefix)) {}
  void Open() override {
    if (open) open();
  }
  void Close() override {
    if (close) close();
  }
  int Present() override;

  std::function<void()> open;
  std::function<void()> close;

 private:
  HWND window_;
  std::string prefix_;
};

// WM_DEVICECHANGE for every HID device interface, to window.
void RegisterHandsetNotifications(HWND window);

}  // namespace tolvane
