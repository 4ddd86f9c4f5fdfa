// simhandset_ctl: sends one command to the simulated handset and prints its
// reply, e.g. `simhandset_ctl key 31`. The pipe is taken from
// TOLVANE_SIM_HANDSET_PIPE when set. Exit code 0 for "ok", 1 otherwise.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sim_handset_client.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: simhandset_ctl <command> [arguments]   (see sim/handset/README.md)\n");
    return 2;
  }
  std::string command = argv[1];
  for (int i = 2; i < argc; ++i) command += std::string(" ") + argv[i];
  const char* pipe = std::getenv("TOLVANE_SIM_HANDSET_PIPE");
  const std::string reply =
      simhandset::SendCommand(pipe != nullptr && *pipe != '\0' ? pipe : simhandset::kDefaultPipeName, command,
                              std::chrono::seconds(3));
  std::printf("%s\n", reply.c_str());
  return reply.rfind("ok", 0) == 0 ? 0 : 1;
}
