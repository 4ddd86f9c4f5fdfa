// SimSkype.exe: a stand-in for the Skype desktop client, for tests and for
// trying the program by hand. Never shipped.
//   SimSkype.exe [--name <name>] [--scenario <file>] [--transcript <file>] [--window]
// Options not given are taken from TOLVANE_SIM_SKYPE_NAME, _SCENARIO and
// _TRANSCRIPT when set: a program that starts the client by its path alone
// (as Tolvane does) passes them on to it that way.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "client_state.h"
#include "sim_control_win.h"
#include "sim_skype_win.h"
#include "transcript_win.h"

namespace {

std::string FromEnvironment(const char* variable, const char* fallback) {
  char value[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA(variable, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string(fallback);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::string name = FromEnvironment("TOLVANE_SIM_SKYPE_NAME", simskype::kDefaultName);
  std::string scenarioPath = FromEnvironment("TOLVANE_SIM_SKYPE_SCENARIO", "");
  std::string transcriptPath = FromEnvironment("TOLVANE_SIM_SKYPE_TRANSCRIPT", "SimSkype-transcript.txt");
  bool shown = false;
  for (int i = 1; i < __argc; ++i) {
    const std::string option = __argv[i];
    if (option == "--window") {
      shown = true;
      continue;
    }
    if (i + 1 == __argc) return 2;
    const std::string value = __argv[++i];
    if (option == "--name") {
      name = value;
    } else if (option == "--scenario") {
      scenarioPath = value;
    } else if (option == "--transcript") {
      transcriptPath = value;
    } else {
      return 2;
    }
  }

  simskype::Transcript transcript;
  if (!transcript.Open(transcriptPath, simskype::TranscriptEventName(name))) return 3;

  simskype::ClientState state;
  if (!scenarioPath.empty()) {
    std::ifstream scenario(scenarioPath);
    if (!scenario) {
      transcript.Write("note", "cannot read scenario " + scenarioPath);
      return 4;
    }
    for (int line : state.Load(scenario)) {
      transcript.Write("note", "scenario line " + std::to_string(line) + " not understood");
    }
  }

  simskype::SimSkype client(instance, name, state, transcript);
  if (!client.Create(shown)) {
    transcript.Write("note", "cannot create the windows");
    return 5;
  }
  return client.Run();
}
