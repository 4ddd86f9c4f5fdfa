#pragma once
// Tells the program when the client's confirmation window appears, without
// looking for it on a timer: an out-of-context WinEvent hook on the thread
// that creates this object (the UI thread, whose message loop delivers the
// events) reports every top-level window created or shown in another
// process, and the ones of the confirmation window's class are passed on.
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

  // Whether the hook could be set.
  bool Hooked() const { return hook_ != nullptr; }

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                               DWORD thread, DWORD time);

  std::function<void()> appeared_;
  HWINEVENTHOOK hook_ = nullptr;
};

}  // namespace tolvane
