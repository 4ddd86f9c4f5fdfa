#include "shell/client_window_events_win.h"

#include <cstring>
#include <utility>

#include "interfaces/client_windows.h"

namespace tolvane {
namespace {

// The one object whose callback the hook calls; set and cleared on the UI
// thread, which is also the only thread the events arrive on.
ClientWindowEvents* g_events = nullptr;

bool IsConfirmationWindow(HWND window) {
  char className[64] = {};
  if (GetClassNameA(window, className, sizeof className) == 0) return false;
  return std::strcmp(className, kClientConfirmationWindowClass) == 0;
}

}  // namespace

ClientWindowEvents::ClientWindowEvents(std::function<void()> confirmationWindowAppeared)
    : appeared_(std::move(confirmationWindowAppeared)) {
  if (g_events != nullptr) return;  // one per process
  g_events = this;
  registered_ = true;
}

ClientWindowEvents::~ClientWindowEvents() {
  Unhook();
  if (registered_) g_events = nullptr;
}

void ClientWindowEvents::FollowClient(HWND clientApiWindow) {
  if (!registered_) return;
  DWORD process = 0;
  if (clientApiWindow != nullptr) GetWindowThreadProcessId(clientApiWindow, &process);
  // The same client attaching again keeps its hook.
  if (hook_ != nullptr && process == clientProcess_) return;
  Unhook();
  if (process == 0 || process == GetCurrentProcessId()) return;
  // The client's process only, which is never this one. No
  // WINEVENT_SKIPOWNPROCESS: Wine compares it with the process the hook is
  // for rather than the one that set it, and would then report nothing.
  hook_ = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, nullptr, &ClientWindowEvents::OnEvent, process, 0,
                          WINEVENT_OUTOFCONTEXT);
  if (hook_ != nullptr) clientProcess_ = process;
}

void ClientWindowEvents::Unhook() {
  if (hook_ != nullptr) UnhookWinEvent(hook_);
  hook_ = nullptr;
  clientProcess_ = 0;
}

void CALLBACK ClientWindowEvents::OnEvent(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG object,
                                          LONG child, DWORD /*thread*/, DWORD /*time*/) {
  // The range also carries destructions, which the next look-up notices.
  if (event != EVENT_OBJECT_CREATE && event != EVENT_OBJECT_SHOW) return;
  if (window == nullptr || object != OBJID_WINDOW || child != CHILDID_SELF) return;
  if (g_events == nullptr || GetAncestor(window, GA_PARENT) != GetDesktopWindow()) return;
  if (!IsConfirmationWindow(window)) return;
  try {
    g_events->appeared_();
  } catch (...) {
    // Never into Windows: the next line handled looks for the window anyway.
  }
}

}  // namespace tolvane
