#pragma once
// A HandsetControl wired to recording fakes: the library instance, the wire
// to the client and the session all write into one EventLog.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/fakes/event_log.h"
#include "core/fakes/fake_client_transport.h"
#include "handset/handset_control.h"
#include "handset_fakes.h"

namespace tolvane::testing {

class HandsetTest : public ::testing::Test {
 protected:
  HandsetTest() { handset->SetPorts({&transport, &link, nullptr, nullptr}); }

  // The library's, wire's and session's events (not the holder's).
  EventLog::Events Calls(std::string_view prefix) const { return log.Matching(prefix); }

  // Queues `reports` as the main window does and waits until `last` has been
  // logged once more: the report thread takes them in order, so the ones
  // before are done.
  void Feed(const std::vector<std::uint32_t>& reports, const std::string& last) {
    const std::size_t before = log.Count(last);
    for (std::uint32_t report : reports) handset->QueueReport(report, 0);
    EXPECT_TRUE(log.WaitFor(last, before + 1)) << "waiting for " << last;
  }

  EventLog log;
  FakeHidCtrl library{log};
  FakeClientTransport transport{log};
  RecordingSkypeLink link{log};
  std::unique_ptr<HandsetControl> handset =
      std::make_unique<HandsetControl>(std::make_unique<FakeHandsetLibrary>(log, &library));
};

}  // namespace tolvane::testing
