#pragma once
// A HandsetControl with everything its keys reach: the recording library,
// wire, session, renderer and stores of the indicator tests, and the
// client's windows. The calls of the recording phone state and the handset's
// display are set by each test.
#include <string>

#include "core/fakes/fake_client_windows.h"
#include "display_indicator_fixture.h"

namespace tolvane::testing {

class KeyTest : public DisplayIndicatorTest {
 protected:
  KeyTest() {
    HandsetControl::Ports ports;
    ports.transport = &transport;
    ports.link = &link;
    ports.phoneState = &phone;
    ports.contactList = &contacts;
    ports.pacing = &pacing;
    ports.windows = &windows;
    ports.threads = &threads;
    handset->SetPorts(ports);
  }

  void SetCalls(int current, int currentStatus, int second = 0, int secondStatus = -1) {
    phone.currentCallId = current;
    phone.currentCallStatus = currentStatus;
    phone.secondCallId = second;
    phone.secondCallStatus = secondStatus;
  }

  // What went to the client and its windows, in order.
  EventLog::Events Sent() const { return log.MatchingAny({"send", "windows"}); }

  FakeClientWindows windows{&log};
};

inline std::string Line(const std::string& line) { return "send " + line; }

}  // namespace tolvane::testing
