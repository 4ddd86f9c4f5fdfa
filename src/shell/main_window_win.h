#pragma once
// The program's hidden main window: the place where the Skype client's
// handshake messages and notification lines arrive, where the session's
// set-up is timed, and where the handset library posts its key reports.
//
// It is a hidden top-level window, not a message-only one: the client's
// discover handshake is a broadcast, and broadcasts reach top-level windows
// only. The C++ object owns its window and outlives it; the window holds a
// pointer back to the object from WM_NCCREATE to WM_NCDESTROY.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "shell/handset_presence.h"

namespace tolvane {

class HandsetControl;
class ISkypeLink;
class Win32ClientTransport;

class MainWindow {
 public:
  struct Parts {
    HINSTANCE instance = nullptr;
    ISkypeLink* link = nullptr;                 // required
    Win32ClientTransport* transport = nullptr;  // required; learns the window's handle
    HandsetControl* handset = nullptr;          // required
    // Looks up the client's main window and its children once the client
    // has granted the attach. Empty: nothing is looked up.
    std::function<void()> findClientWindows;
    // The client granted the attach from this API window. Empty: nothing
    // follows the client's process.
    std::function<void(HWND clientApiWindow)> clientAttached;
    // The handset's volume keys (report bit 16 up, bit 17 down) for the
    // speaker level. Empty: those reports are dropped.
    std::function<void(bool up)> volumeKey;
    // A mixer control changed (MM_MIXM_CONTROL_CHANGE: mixer, control id).
    // Empty: nothing follows the mixer.
    std::function<void(WPARAM mixer, LPARAM control)> mixerChange;
    // The tray icon's callback message. Empty: not handled.
    std::function<LRESULT(WPARAM id, LPARAM event)> trayNotification;
    // A menu command other than Exit: the dialogs. Empty: not handled.
    std::function<bool(WORD command)> menuCommand;
    // On Exit, before the window closes: stop the dialogs' workers and take
    // the tray icon away. Empty: nothing to do.
    std::function<void()> leaving;
  };

  // Timer that starts the session's set-up after the client granted the attach.
  static constexpr UINT_PTR kSetUpTimer = 0x8006;
  static constexpr UINT kSetUpDelayMs = 500;
  // Bounds the wait for the detach on exit.
  static constexpr UINT_PTR kExitDeadlineTimer = 0x8010;
  static constexpr UINT kExitDeadlineMs = 3000;
  // Menu command: detach from the client, then close.
  static constexpr WORD kCommandExit = 40001;
  // The tray icon's callback message.
  static constexpr UINT kTrayCallbackMessage = 0x800A;
  // Attach statuses of the client.
  static constexpr LPARAM kAttachSuccess = 0;
  static constexpr LPARAM kAttachApiAvailable = 0x8001;

  // The window class; `iconPath` names an icon file (empty or missing: the
  // program's own icon).
  // Returns the class atom, 0 on failure.
  static ATOM RegisterMainClass(HINSTANCE instance, const std::string& className,
                                const std::string& iconPath);

  // Creates the hidden window and tells the transport its handle. Null when
  // the window could not be created.
  static std::unique_ptr<MainWindow> Create(const Parts& parts, const std::string& className,
                                            const std::string& title);

  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  // Destroys the window if it still exists (on the thread that created it).
  ~MainWindow();

  // Null once the window has been destroyed.
  HWND Handle() const { return window_; }

  // Device and power events go to `presence` once start-up has made it; it
  // must outlive the window. The events that arrived before it (while
  // start-up waited on the shell or the handset) reach it now, in order.
  void SetPresence(HandsetPresence* presence);

 private:
  explicit MainWindow(const Parts& parts);

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

  LRESULT OnAttach(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
  LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
  LRESULT OnHandsetReport(WPARAM wParam, LPARAM lParam);
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnClientDetached();
  LRESULT OnPaint();
  LRESULT OnDeviceChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnPowerBroadcast(WPARAM wParam, LPARAM lParam);
  LRESULT OnMixerChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);
  LRESULT Answer(HandsetPresence::Reply reply, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnDestroy();

  void BeginExit();
  bool HandsetConnected() const;

  // Before the presence is attached: kept for it, up to a bound (a burst of
  // device events arms one check anyway).
  void KeepForPresence(UINT message, WPARAM event);

  Parts parts_;
  HandsetPresence* presence_ = nullptr;
  std::vector<std::pair<UINT, WPARAM>> early_;
  HWND window_ = nullptr;
  bool exiting_ = false;
};

}  // namespace tolvane
