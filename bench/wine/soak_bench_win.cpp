// Soak: whole calls one after another, as fast as the client and Tolvane
// let them go (each call starts once the last one's closing screen has been
// shown), with Tolvane's memory before and after.
#include <windows.h>
#include <psapi.h>

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

struct Memory {
  double privateMb = 0;   // GetProcessMemoryInfo: PrivateUsage
  double residentMb = 0;  // VmRSS of the Wine process
};

Memory Measure(HANDLE process, int linuxPid) {
  Memory memory;
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
    memory.privateMb = static_cast<double>(counters.PrivateUsage) / (1024.0 * 1024.0);
  }
  LinuxSample sample;
  if (linuxPid != 0 && SampleLinuxProcess(linuxPid, &sample)) {
    memory.residentMb = static_cast<double>(sample.residentKb) / 1024.0;
  }
  return memory;
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
  const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, rig.TolvaneId());
  const int linuxPid = FindLinuxProcess(rig.Program("Tolvane.exe"));
  for (int n = 0; n < kWarmUpCalls; ++n) {
    if (!PlayCall(rig, n)) return 1;
  }
  const Memory start = Measure(process, linuxPid);
  Say("  after the warm-up: private %.2f MB, resident %.2f MB\n", start.privateMb, start.residentMb);
  const auto began = std::chrono::steady_clock::now();
  int played = 0;
  int result = 0;
  for (; played < calls; ++played) {
    if (!PlayCall(rig, kWarmUpCalls + played)) {
      result = 1;
      break;
    }
    if ((played + 1) % 100 == 0) {
      const Memory now = Measure(process, linuxPid);
      Say("  %4d calls: private %.2f MB, resident %.2f MB\n", played + 1, now.privateMb, now.residentMb);
    }
  }
  const double minutes = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count() / 60.0;
  const Memory end = Measure(process, linuxPid);
  Say("  %d calls in %.2f min: %.1f calls per minute\n", played, minutes, static_cast<double>(played) / minutes);
  Say("  at the end: private %.2f MB (%+.3f MB), resident %.2f MB (%+.3f MB) (target: flat within 1 MB)\n",
      end.privateMb, end.privateMb - start.privateMb, end.residentMb, end.residentMb - start.residentMb);
  if (process != nullptr) CloseHandle(process);
  return result;
}

}  // namespace tolvane::bench
