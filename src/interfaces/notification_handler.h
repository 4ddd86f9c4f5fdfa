#pragma once
// The consumer of the client's notification lines (the dispatcher). The
// session's incoming worker hands it each line, one at a time and in arrival
// order, and asks it to look for the client's confirmation window after
// every line, when the client's windows change, and, while the handler says
// that the window can appear unannounced, on a short tick. While nothing is
// under way the worker sleeps until a line or a window change arrives. The
// missed-call message of the session's interface is the dispatcher's too.
#include <string>

namespace tolvane {

class NotificationHandler {
 public:
  virtual ~NotificationHandler() = default;
  virtual void HandleLine(const std::string& line) = 0;
  virtual void CheckConfirmationWindow() = 0;
  // Whether the incoming worker should keep looking for the confirmation
  // window between lines (a call is ringing, being placed or in progress).
  // Asked by the worker before each wait.
  virtual bool WatchesClientWindows() const = 0;
  // refresh 1: with no missed call, ask the client for the user's status
  // instead of showing "No Missed Calls !".
  virtual void ShowMissedCalls(int refresh) = 0;
};

}  // namespace tolvane
