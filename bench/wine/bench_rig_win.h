#pragma once
// Tolvane.exe between the simulated client and the simulated handset (a
// display model that asks for its screen by itself), started as the
// end-to-end tests start them, with both transcripts on the shared clock:
// what every Wine benchmark stands on.
#include <windows.h>

#include <memory>
#include <string>

#include "e2e_support.h"
#include "transcript_follower_win.h"

namespace tolvane::bench {

class BenchRig {
 public:
  // `label` names the scratch folder and the simulators' instance.
  explicit BenchRig(const std::string& label);

  // The client with `scenario`, then Tolvane, attached and set up, the
  // handset identified; false (with a note on stderr) when something never
  // came.
  bool StartReady(const std::string& scenario);

  // A command to the simulated client / handset; false if not taken.
  bool Control(const std::string& command);
  bool Handset(const std::string& command);

  // The Windows path of a staged program.
  std::string Program(const std::string& file) const { return programs_ + file; }
  DWORD TolvaneId() const { return tolvane_.Id(); }

  std::unique_ptr<TranscriptFollower> client;
  std::unique_ptr<TranscriptFollower> handset;

 private:
  std::string programs_;
  std::string scratch_;
  std::string simName_;
  std::string pipe_;
  testing::ChildProcess sim_;
  testing::ChildProcess tolvane_;
};

// Prints to stdout and flushes: the figures appear as they are measured.
void Say(const char* format, ...);

}  // namespace tolvane::bench
