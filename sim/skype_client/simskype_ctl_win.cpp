// simskype_ctl: sends one command to a running SimSkype.
//   simskype_ctl [--name <name>] <command ...>
// e.g. simskype_ctl push "CALL 12 STATUS RINGING"
// Exit code 0 when the simulator took the command, 1 when it rejected it,
// 2 when no simulator of that name runs or it did not answer.
#include <cstdio>
#include <string>

#include "sim_control_win.h"

int main(int argc, char** argv) {
  std::string name = simskype::kDefaultName;
  int first = 1;
  if (argc > 2 && std::string(argv[1]) == "--name") {
    name = argv[2];
    first = 3;
  }
  std::string command;
  for (int i = first; i < argc; ++i) {
    if (!command.empty()) command += ' ';
    command += argv[i];
  }
  if (command.empty()) {
    std::fprintf(stderr, "usage: simskype_ctl [--name <name>] <command ...>\n");
    return 2;
  }
  switch (simskype::SendControlCommand(name, command)) {
    case simskype::ControlResult::kAccepted:
      return 0;
    case simskype::ControlResult::kRejected:
      std::fprintf(stderr, "simskype_ctl: %s: command not understood\n", name.c_str());
      return 1;
    case simskype::ControlResult::kNoAnswer:
      std::fprintf(stderr, "simskype_ctl: %s did not answer\n", name.c_str());
      return 2;
    case simskype::ControlResult::kNoSimulator:
      break;
  }
  std::fprintf(stderr, "simskype_ctl: no simulator named %s is running\n", name.c_str());
  return 2;
}
