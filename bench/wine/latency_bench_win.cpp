// Latency on the shared clock: a ring line leaving the client to the ring
// code reaching the handset, and a hook key leaving the handset to its
// command reaching the client. Before each event both simulators have been
// quiet for a while, so that no earlier work (a screen, a status refresh)
// stands in the line's way and the path is measured alone.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_rig_win.h"
#include "wine_benches_win.h"

namespace tolvane::bench {
namespace {

constexpr auto kQuiet = std::chrono::milliseconds(60);
constexpr std::size_t kNone = TranscriptFollower::kNone;

struct Path {
  const char* name;
  const char* fixedPauses;
  double fixedMs;
  std::vector<double> ms;
  const char* target = " (target: p99 under 5 ms)";
};

void Print(Path& path) {
  if (path.ms.empty()) {
    Say("  %s: no events\n", path.name);
    return;
  }
  std::sort(path.ms.begin(), path.ms.end());
  const auto at = [&](double q) {
    return path.ms[std::min(path.ms.size() - 1, static_cast<std::size_t>(q * static_cast<double>(path.ms.size())))];
  };
  Say("  %s (%zu events)\n    fixed pauses on the path: %s = %.0f ms, subtracted\n", path.name, path.ms.size(),
      path.fixedPauses, path.fixedMs);
  Say("    beyond them: median %.2f ms, p99 %.2f ms, max %.2f ms%s\n", at(0.5) - path.fixedMs,
      at(0.99) - path.fixedMs, path.ms.back() - path.fixedMs, path.target);
}

// The handset's "post" line of the key just pressed, and the client's
// "recv <command>" that follows it; the time between them in ms, or -1.
double KeyToCommand(BenchRig& rig, const std::string& key, const std::string& command) {
  const std::size_t fromHandset = rig.handset->Size();
  const std::size_t fromClient = rig.client->Size();
  if (!rig.Handset("key " + key)) return -1;
  const std::size_t posted = rig.handset->WaitForText(fromHandset, "post 0x464", true);
  const std::size_t received = rig.client->WaitForText(fromClient, "recv " + command);
  if (posted == kNone || received == kNone) {
    std::fprintf(stderr, "bench: %s never became \"%s\"\n", key.c_str(), command.c_str());
    return -1;
  }
  return static_cast<double>(rig.client->Lines()[received].us - rig.handset->Lines()[posted].us) / 1000.0;
}

}  // namespace

int RunLatency(int events) {
  Say("== latency: %d incoming calls answered and hung up at the handset, each step after %lld ms of quiet\n",
      events, static_cast<long long>(kQuiet.count()));
  BenchRig rig("latency");
  if (!rig.StartReady(CallScenario())) return 1;
  Path ring{"ring: \"CALL <id> STATUS RINGING\" sent by the client -> code 158 at the handset",
            "none (a new call with nothing current rings at once; the display is idle, so no WaitDisplayIdle)", 0,
            {}};
  Path keys{"key: KEY_PAD_HOOK_UP / KEY_PAD_HOOK_DOWN posted by the handset -> its command at the client",
            "none (the indicator is idle, so neither key stops it)", 0, {}};
  // What the machine itself takes for one message to another process and
  // its answer, at the same moments: the scale the figures above stand on
  // (under Wine, on a machine shared with others, its tail is the
  // scheduler's).
  Path floor{"floor: one command to the simulated client and its answer (SendMessageTimeout, no Tolvane)",
             "none", 0, {}, ""};
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  for (int n = 0; n < events; ++n) {
    WaitForQuiet(*rig.client, *rig.handset, kQuiet);
    LARGE_INTEGER before{}, after{};
    QueryPerformanceCounter(&before);
    if (!rig.Control("set history-delay off")) return 1;
    QueryPerformanceCounter(&after);
    floor.ms.push_back(static_cast<double>(after.QuadPart - before.QuadPart) * 1000.0 /
                       static_cast<double>(frequency.QuadPart));
    WaitForQuiet(*rig.client, *rig.handset, kQuiet);
    const std::size_t fromClient = rig.client->Size();
    const std::size_t fromHandset = rig.handset->Size();
    if (!rig.Control("incoming alice.example")) return 1;
    const std::size_t rung = rig.handset->WaitForText(fromHandset, "SendCode 158");
    const std::size_t sent = rig.client->WaitFor(fromClient, [](const std::string& line) {
      return line.starts_with("send CALL ") && line.ends_with(" STATUS RINGING");
    });
    if (rung == kNone || sent == kNone) {
      std::fprintf(stderr, "bench: call %d never rang\n", n);
      return 1;
    }
    ring.ms.push_back(static_cast<double>(rig.handset->Lines()[rung].us - rig.client->Lines()[sent].us) / 1000.0);
    const std::string id = rig.client->Lines()[sent].text.substr(10, rig.client->Lines()[sent].text.find(" STATUS") - 10);
    // The caller's name is shown before the hook goes up.
    if (rig.handset->WaitForText(rung, "screen ", true) == kNone) return 1;
    WaitForQuiet(*rig.client, *rig.handset, kQuiet);
    char answer[64];
    std::snprintf(answer, sizeof answer, "SET CALL %5d STATUS INPROGRESS", std::atoi(id.c_str()));
    const double up = KeyToCommand(rig, "KEY_PAD_HOOK_UP", answer);
    if (up < 0) return 1;
    keys.ms.push_back(up);
    if (rig.handset->WaitForText(fromHandset, "SendCode 31") == kNone) return 1;
    WaitForQuiet(*rig.client, *rig.handset, kQuiet);
    const double down = KeyToCommand(rig, "KEY_PAD_HOOK_DOWN", "HOOK ON");
    if (down < 0) return 1;
    keys.ms.push_back(down);
    // The call is over once its length has been shown.
    if (rig.handset->WaitFor(fromHandset, [](const std::string& line) {
          return line.starts_with("screen ") && line.find("call-duration=") != std::string::npos;
        }) == kNone) {
      std::fprintf(stderr, "bench: call %d never ended\n", n);
      return 1;
    }
  }
  Print(ring);
  Print(keys);
  Print(floor);
  return 0;
}

}  // namespace tolvane::bench
