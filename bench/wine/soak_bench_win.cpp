// Soak: whole calls one after another, as fast as the client and Tolvane
// let them go (each call starts once the last one's closing screen has been
// shown), with Tolvane's memory before and after.
#include <chrono>
#include <cstdio>
#include <string>

#include "bench_rig_win.h"
#include "linux_process_win.h"
#include "wine_benches_win.h"

namespace tolvane::bench {
namespace {

constexpr std::size_t kNone = TranscriptFollower::kNone;
constexpr int kWarmUpCalls = 30;

// Of the Wine process, from /proc (Wine reports no private bytes of another
// process through GetProcessMemoryInfo).
struct Memory {
  double residentMb = 0;   // VmRSS
  double anonymousMb = 0;  // RssAnon: heap and stacks, what a leak grows
  double dataMb = 0;       // VmData
};

// Measured once both simulators have been quiet for a moment: the last
// screen's indicator thread has ended and Wine has let its stack go, so
// that every figure is taken in the same state.
Memory Measure(BenchRig& rig, int linuxPid) {
  WaitForQuiet(*rig.client, *rig.handset, std::chrono::milliseconds(300));
  Memory memory;
  LinuxSample sample;
  if (linuxPid != 0 && SampleLinuxProcess(linuxPid, &sample)) {
    memory.residentMb = static_cast<double>(sample.residentKb) / 1024.0;
    memory.anonymousMb = static_cast<double>(sample.anonymousKb) / 1024.0;
    memory.dataMb = static_cast<double>(sample.dataKb) / 1024.0;
  }
  return memory;
}

void PrintMemory(const char* when, const Memory& now, const Memory* start) {
  if (start == nullptr) {
    Say("  %s: resident %.2f MB, anonymous %.2f MB, data %.2f MB\n", when, now.residentMb, now.anonymousMb,
        now.dataMb);
    return;
  }
  Say("  %s: resident %.2f MB (%+.3f), anonymous %.2f MB (%+.3f), data %.2f MB (%+.3f)\n", when, now.residentMb,
      now.residentMb - start->residentMb, now.anonymousMb, now.anonymousMb - start->anonymousMb, now.dataMb,
      now.dataMb - start->dataMb);
}

bool ClosingScreen(const std::string& line) {
  return line.starts_with("screen ") &&
         (line.find("call-duration=") != std::string::npos || line.find("missed call") != std::string::npos);
}

// One whole call of kind n % 3: incoming answered and hung up at the
// handset; incoming missed (the caller gives up); outgoing, dialled in the
// client, answered by the far end and hung up at the handset.
bool PlayCall(BenchRig& rig, int n) {
  const std::size_t from = rig.handset->Size();
  const auto waitCode = [&](const char* code) { return rig.handset->WaitForText(from, code) != kNone; };
  bool played = false;
  switch (n % 3) {
    case 0:
      played = rig.Control("incoming alice.example") && waitCode("SendCode 158") && rig.Handset("key KEY_PAD_HOOK_UP") &&
               waitCode("SendCode 31") && rig.Handset("key KEY_PAD_HOOK_DOWN");
      break;
    case 1:
      played = rig.Control("incoming bob.example") && waitCode("SendCode 158") && rig.Control("far-hangup");
      break;
    default:
      played = rig.Control("call bob.example") && waitCode("SendCode 31") && rig.Handset("key KEY_PAD_HOOK_DOWN");
      break;
  }
  if (played && rig.handset->WaitFor(from, ClosingScreen) != kNone) return true;
  std::fprintf(stderr, "bench: call %d (kind %d) did not go through\n", n, n % 3);
  return false;
}

}  // namespace

int RunSoak(int calls) {
  Say("== soak: %d whole calls (incoming answered, missed, outgoing, in turn) after %d to warm up\n", calls,
      kWarmUpCalls);
  BenchRig rig("soak");
  // The far end answers at once: nothing waits on a timer of the client's.
  if (!rig.StartReady(CallScenario() + "ring-delay 0\ncallee bob.example answer 0\n")) return 1;
  const int linuxPid = FindLinuxProcess(rig.Program("Tolvane.exe"));
  for (int n = 0; n < kWarmUpCalls; ++n) {
    if (!PlayCall(rig, n)) return 1;
  }
  if (linuxPid == 0) Say("  (the Linux process of Tolvane.exe was not found: no memory figures)\n");
  const Memory start = Measure(rig, linuxPid);
  PrintMemory("after the warm-up", start, nullptr);
  auto began = std::chrono::steady_clock::now();
  int played = 0;
  int result = 0;
  for (; played < calls; ++played) {
    if (!PlayCall(rig, kWarmUpCalls + played)) {
      result = 1;
      break;
    }
    if ((played + 1) % 100 == 0) {
      // The measurement's wait for quiet is not the calls' time.
      const auto measuring = std::chrono::steady_clock::now();
      PrintMemory((std::to_string(played + 1) + " calls").c_str(), Measure(rig, linuxPid), &start);
      began += std::chrono::steady_clock::now() - measuring;
    }
  }
  const double minutes = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count() / 60.0;
  Say("  %d calls in %.2f min: %.1f calls per minute\n", played, minutes, static_cast<double>(played) / minutes);
  PrintMemory("at the end (target: flat within 1 MB)", Measure(rig, linuxPid), &start);
  return result;
}

}  // namespace tolvane::bench
