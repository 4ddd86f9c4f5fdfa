#pragma once
// The fixture of the multi-process tests: Tolvane.exe, the simulated Skype
// client (SimSkype.exe) and the simulated handset library, started fresh for
// each test with a scratch folder, a client of the test's own name and a
// private handset pipe, and both transcripts read as they grow.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>

#include "e2e_support.h"
#include "sim_control_win.h"
#include "sim_handset_client.h"

namespace tolvane::testing {

class ProgramsTest : public ::testing::Test {
 protected:
  // The simulated client's scenario. Protocol 2 by default: the client's
  // PROTOCOL reply asks for nothing more, so the set-up lines are the first
  // the client receives.
  virtual std::string Scenario() const { return "protocol 2\n"; }

  void SetUp() override {
    programs = ProgramFolder();
    for (const char* file : {"Tolvane.exe", "SimSkype.exe", "QorHIDCtrl.dll", "QorFontProcessLib.dll"}) {
      if (GetFileAttributesA((programs + file).c_str()) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << file << " is not staged next to the test program";
      }
    }
    std::string label = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    // A parameterised test's name carries a slash, which no folder name may.
    std::replace(label.begin(), label.end(), '/', '-');
    scratch = MakeScratchFolder(label);
    simName = "e2e-" + std::to_string(GetCurrentProcessId()) + "-" + label;
    handsetPipe = "\\\\.\\pipe\\" + simName;
    std::ofstream(scratch + "scenario.txt") << Scenario();
    transcript = std::make_unique<TranscriptReader>(scratch + "transcript.txt",
                                                    simskype::TranscriptEventName(simName));
    handset = std::make_unique<HandsetLog>(scratch + "transcript-handset\\transcript.txt",
                                           simhandset::TranscriptEventName(handsetPipe));
    ASSERT_TRUE(sim.Start("\"" + programs + "SimSkype.exe\" --name " + simName + " --transcript \"" + scratch +
                              "transcript.txt\" --scenario \"" + scratch + "scenario.txt\"",
                          programs));
    ASSERT_TRUE(transcript->WaitFor("start"));
    // The simulated handset, plugged, with its transcript and pipe private to
    // this test; Tolvane inherits them.
    CreateDirectoryA((scratch + "transcript-handset").c_str(), nullptr);
    SetEnvironmentVariableA("TOLVANE_SIM_HANDSET_DIR", (scratch + "transcript-handset").c_str());
    SetEnvironmentVariableA("TOLVANE_SIM_HANDSET_PIPE", handsetPipe.c_str());
  }

  void StartTolvaneAndWaitForSetUp() {
    ASSERT_TRUE(tolvane.Start("\"" + programs + "Tolvane.exe\"", programs));
    ASSERT_TRUE(transcript->WaitFor("recv", "SEARCH CALLS")) << "the client never received the set-up";
  }

  // A command to the simulated client; it must be taken.
  void Control(const std::string& command) {
    // Generous: a loaded machine slows every Wine process down.
    const simskype::ControlResult result = simskype::SendControlCommand(simName, command, 20000);
    ASSERT_EQ(static_cast<int>(result), static_cast<int>(simskype::ControlResult::kAccepted))
        << command << " (0 taken, 1 not understood, 2 no simulator, 3 no answer)";
  }

  // A command to the simulated handset; it must answer "ok".
  void Handset(const std::string& command) {
    const std::string reply = simhandset::SendCommand(handsetPipe, command, std::chrono::seconds(20));
    ASSERT_TRUE(reply.starts_with("ok")) << command << ": " << reply;
  }

  std::string programs;
  std::string scratch;
  std::string simName;
  std::string handsetPipe;
  std::unique_ptr<TranscriptReader> transcript;
  std::unique_ptr<HandsetLog> handset;
  // Killed by their destructors if a test leaves them running.
  ChildProcess sim;
  ChildProcess tolvane;
};

}  // namespace tolvane::testing
