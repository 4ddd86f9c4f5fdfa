// SimSkype.exe: a stand-in for the Skype desktop client, for tests and for
// trying the program by hand. Never shipped.
//   SimSkype.exe [--name <name>] [--scenario <file>] [--transcript <file>] [--window]
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "client_state.h"
#include "sim_control_win.h"
#include "sim_skype_win.h"
#include "transcript_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::string name = simskype::kDefaultName;
  std::string scenarioPath;
  std::string transcriptPath = "SimSkype-transcript.txt";
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
