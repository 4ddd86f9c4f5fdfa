#include "bench_rig_win.h"

#include <cstdarg>
#include <cstdio>
#include <fstream>

#include "sim_control_win.h"
#include "sim_handset_client.h"

namespace tolvane::bench {

void Say(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::vprintf(format, arguments);
  va_end(arguments);
  std::fflush(stdout);
}

BenchRig::BenchRig(const std::string& label)
    : programs_(testing::ProgramFolder()),
      scratch_(testing::MakeScratchFolder(label)),
      simName_("bench-" + std::to_string(GetCurrentProcessId()) + "-" + label),
      pipe_("\\\\.\\pipe\\" + simName_) {
  client = std::make_unique<TranscriptFollower>(scratch_ + "transcript.txt", simskype::TranscriptEventName(simName_),
                                                true);
  handset = std::make_unique<TranscriptFollower>(scratch_ + "handset\\transcript.txt",
                                                 simhandset::TranscriptEventName(pipe_), false);
}

bool BenchRig::StartReady(const std::string& scenario) {
  std::ofstream(scratch_ + "scenario.txt") << scenario;
  // Both simulators, and Tolvane (which loads the handset's library), take
  // these from the environment they inherit.
  SetEnvironmentVariableA("TOLVANE_SIM_PRECISE_CLOCK", "1");
  CreateDirectoryA((scratch_ + "handset").c_str(), nullptr);
  SetEnvironmentVariableA("TOLVANE_SIM_HANDSET_DIR", (scratch_ + "handset").c_str());
  SetEnvironmentVariableA("TOLVANE_SIM_HANDSET_PIPE", pipe_.c_str());
  SetEnvironmentVariableA("TOLVANE_SIM_HANDSET_AUTODISPLAY", "1");
  const auto fail = [](const char* what) {
    std::fprintf(stderr, "bench: %s\n", what);
    return false;
  };
  if (!sim_.Start("\"" + programs_ + "SimSkype.exe\" --name " + simName_ + " --transcript \"" + scratch_ +
                      "transcript.txt\" --scenario \"" + scratch_ + "scenario.txt\"",
                  programs_)) {
    return fail("SimSkype.exe did not start");
  }
  if (client->WaitForText(0, "start", true) == TranscriptFollower::kNone) return fail("the client never started");
  if (!tolvane_.Start("\"" + programs_ + "Tolvane.exe\"", programs_)) return fail("Tolvane.exe did not start");
  if (client->WaitForText(0, "recv SEARCH CALLS") == TranscriptFollower::kNone) {
    return fail("the client never received the set-up");
  }
  if (handset->WaitForText(0, "SendCode 6") == TranscriptFollower::kNone) {
    return fail("the handset was never told the session is ready");
  }
  const std::size_t mark = handset->Size();
  if (!Handset("ident 128") || handset->WaitForText(mark, "SendCode 115") == TranscriptFollower::kNone) {
    return fail("the handset's identification was never answered");
  }
  return true;
}

bool BenchRig::Control(const std::string& command) {
  const bool taken = simskype::SendControlCommand(simName_, command, 20000) == simskype::ControlResult::kAccepted;
  if (!taken) std::fprintf(stderr, "bench: the client did not take \"%s\"\n", command.c_str());
  return taken;
}

bool BenchRig::Handset(const std::string& command) {
  const std::string reply = simhandset::SendCommand(pipe_, command, std::chrono::seconds(20));
  if (!reply.starts_with("ok")) std::fprintf(stderr, "bench: handset \"%s\": %s\n", command.c_str(), reply.c_str());
  return reply.starts_with("ok");
}

}  // namespace tolvane::bench
