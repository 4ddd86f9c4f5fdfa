#pragma once
// The fixture of the tests that play calls and keys through: Tolvane.exe
// between the simulated client, which keeps its own calls and history, and
// the simulated handset, which records every code and display character it
// is sent, started ready for calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "programs_fixture.h"

namespace tolvane::testing {

using Codes = std::vector<int>;
using Lines = std::vector<std::string>;

// Handset codes.
constexpr int kReadyFollowUp = 6;
constexpr int kCallInProgress = 31;
constexpr int kCallFinished = 32;
constexpr int kMuteOff = 46;
constexpr int kMuteOn = 47;
constexpr int kReady = 81;
constexpr int kHandleReady = 62;
constexpr int kTextReady = 63;
constexpr int kOutgoingPlaced = 152;
constexpr int kRing = 158;
constexpr int kClientPrompt = 159;

class CallTest : public ProgramsTest {
 protected:
  // The SkypeOut balance the client reports, in hundredths.
  virtual int Balance() const { return 0; }
  // How often the handset is told that the session is ready before it is
  // identified: once for the set-up, and once more when a history read at
  // set-up has been loaded. Each lets the next report in whatever its number,
  // so the tests start after the last.
  virtual std::size_t ReadySignals() const { return 1; }

  std::string Scenario() const override {
    // The client writes its history only when a test says so, so that a
    // reload does not cross the steps under test.
    return "friends alice.example, bob.example\n"
           "user alice.example Alice Example\n"
           "user bob.example Bob Example\n"
           "callee bob.example answer 300\n"
           "history-delay off\n";
  }

  // Tolvane attached and set up, the history read, the handset told that
  // the session is ready (81, 6), and then identified as a model with a
  // display, which makes Tolvane ask for the user's status and show it (115:
  // online). The ready signal lets the next report in whatever its number;
  // the identification is that report.
  void StartReady() {
    StartTolvaneAndWaitForSetUp();
    ASSERT_TRUE(transcript->WaitFor("send", "PROFILE PSTN_BALANCE " + std::to_string(Balance())));
    // The handset's library is loaded by Tolvane: its whole transcript.
    ASSERT_TRUE(handset->WaitFor("", "SendCode 6", ReadySignals())) << "the handset was never told the session is ready";
    Handset("mark ident");
    Handset("ident 128");
    ASSERT_TRUE(handset->WaitFor("ident", "SendCode 115"));
    Handset("mark call");
  }

  Codes CodesSinceStart() const { return SentCodes(handset->Since("call")); }
  bool WaitForCode(int code, std::size_t count = 1) const {
    return handset->WaitFor("call", "SendCode " + std::to_string(code), count);
  }

  // Asks the handset for its screen and returns the text streamed to it.
  std::string ShownOnRequest(const std::string& label) {
    Handset("mark " + label);
    Handset("display");
    EXPECT_TRUE(handset->WaitFor(label, "SendDisplayChar 26 10")) << "the screen was never ended";
    return StreamedText(handset->Since(label));
  }

  // The lines the client received after it sent `after`, in order.
  Lines ReceivedAfter(const std::string& after) const {
    const Transcript all = transcript->Read();
    Lines lines;
    bool seen = false;
    for (const TranscriptEntry& entry : all) {
      if (seen && entry.kind == "recv") lines.push_back(entry.text);
      if (entry.kind == "send" && entry.text == after) seen = true;
    }
    return lines;
  }

  bool WaitForReceived(const std::string& line, std::size_t count = 1) const {
    return transcript->WaitUntil([&](const Transcript& all) { return CountOf(all, "recv", line) >= count; });
  }
};

}  // namespace tolvane::testing
