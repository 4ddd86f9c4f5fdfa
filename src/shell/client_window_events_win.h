#pragma once
// Tells the program when the client's confirmation window appears, without
// looking for it on a timer: an out-of-context WinEvent hook on the thread
// that creates this object (the UI thread, whose message loop delivers the
// events) reports the top-level windows created or shown by the attached
// client's process, and the ones of the confirmation window's class are
// passed on. Until a client is attached nothing is hooked, so that windows
// coming and going in other programs never wake this one.
// Windows sends both events; Wine 8 sends the creation only, which is
// enough, since the look-up finds a window that exists whether shown or not.
//
// One object per process: the hook's callback carries no context of its own.
// Created and destroyed on the same thread; the callback given must stay
// valid until the object is destroyed.
#include <windows.h>

#include <functional>

namespace tolvane {

class ClientWindowEvents {
 public:
  explicit ClientWindowEvents(std::function<void()> confirmationWindowAppeared);
  ~ClientWindowEvents();
  ClientWindowEvents(const ClientWindowEvents&) = delete;
  ClientWindowEvents& operator=(const ClientWindowEvents&) = delete;

  // The client granted the attach from this API window: watch its process
  // from now on (a client restarted or replaced is a new process). A window
  // whose process cannot be told leaves nothing hooked. The UI thread.
  void FollowClient(HWND clientApiWindow);

  // Whether a client's process is watched.
  bool Hooked() const { return hook_ != nullptr; }

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                               DWORD thread, DWORD time);

  void Unhook();

  std::function<void()> appeared_;
  // Whether this is the process's one object, the one the callback serves.
  bool registered_ = false;
  HWINEVENTHOOK hook_ = nullptr;
  DWORD clientProcess_ = 0;
};

}  // namespace tolvane
