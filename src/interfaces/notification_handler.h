#pragma once
// The consumer of the client's notification lines (the dispatcher). The
// session's incoming worker hands it each line, one at a time and in arrival
// order, and asks it to look for the client's confirmation window after every
// line and on every idle tick. The missed-call message of the session's
// interface is the dispatcher's too.
#include <string>

namespace tolvane {

class NotificationHandler {
 public:
  virtual ~NotificationHandler() = default;
  virtual void HandleLine(const std::string& line) = 0;
  virtual void CheckConfirmationWindow() = 0;
  // refresh 1: with no missed call, ask the client for the user's status
  // instead of showing "No Missed Calls !".
  virtual void ShowMissedCalls(int refresh) = 0;
};

}  // namespace tolvane
