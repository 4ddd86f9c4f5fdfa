#pragma once
// A HandsetControl with everything its indicator thread reaches: the
// recording library, session and renderer, the recording stores (whose
// selected entry and texts a test sets) and a recording pacing, so that a
// whole screen runs at once and its pauses show in the log ("pause <ms>").
// The report thread runs with its turn opened; screens are asked for with
// display requests, and a run's end is its thread's end ("thread indicator
// ended").
#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/fakes/recording_contact_list.h"
#include "core/fakes/recording_phone_state.h"
#include "core/fakes/recording_renderer.h"
#include "handset_fixture.h"

namespace tolvane::testing {

class DisplayIndicatorTest : public HandsetTest {
 protected:
  DisplayIndicatorTest() {
    handset->SetPorts({&transport, &link, nullptr, nullptr, &phone, &contacts, &pacing, nullptr, &threads});
    handset->SetDisplayRenderer(&renderer);
    handset->StartReportThread();
    handset->QueueReport(kOpeningReport, 0);
  }
  // The threads are joined before the fakes they use go.
  ~DisplayIndicatorTest() override { handset.reset(); }

  // Prepares `mode`, has the handset ask for it and waits until the run has
  // ended; returns what the handset, the renderer and the session were asked.
  EventLog::Events RunScreen(std::uint32_t mode) {
    handset->SetMode(mode);
    WaitForEnd(RequestScreen());
    return Screen();
  }

  // The handset asks for the prepared screen; returns what WaitForEnd needs.
  std::size_t RequestScreen() {
    const std::size_t ended = log.Count(kRunEnded) + 1;
    handset->QueueReport(kDisplayRequest, 0);
    return ended;
  }
  void WaitForEnd(std::size_t ended) { EXPECT_TRUE(log.WaitFor(kRunEnded, ended)); }

  EventLog::Events Screen() const {
    return log.MatchingAny({"lib SendDisplayChar", "pause", "renderer", "link"});
  }

  RecordingPhoneState phone{log};
  RecordingContactList contacts{log};
  RecordingRenderer renderer{log};
  RecordingPacing pacing{log};
  EndLoggingThreads threads{log};
};

// Expected events, spelled as the fakes log them.
inline std::string Char(int code, int parameter) {
  return "lib SendDisplayChar " + std::to_string(code) + " " + std::to_string(parameter);
}

inline std::string Paused(int milliseconds) { return "pause " + std::to_string(milliseconds); }

// A text streamed one character at a time: 0 for the first, then 5 and 0 in
// turn, a 1 ms pause after each.
inline EventLog::Events Streamed(std::string_view text) {
  EventLog::Events events;
  int parameter = 0;
  for (char c : text) {
    events.push_back(Char(static_cast<unsigned char>(c), parameter));
    events.push_back(Paused(1));
    parameter = parameter == 0 ? 5 : 0;
  }
  return events;
}

inline EventLog::Events Joined(std::initializer_list<EventLog::Events> parts) {
  EventLog::Events all;
  for (const EventLog::Events& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The opening of the caller, missed-call and focused-contact screens.
inline const EventLog::Events kBeginScreen = {Paused(15), Char(0, 79), Paused(25)};
// The end sequence of every run.
inline const EventLog::Events kEndOfScreen = {Char(26, 10), Paused(5), "renderer CancelDisplay 0"};
// The user's and the connection's status asked for again.
inline const EventLog::Events kStatusRefresh = {"link SendCommand 30 0", "link SendCommand 33 0"};

}  // namespace tolvane::testing
