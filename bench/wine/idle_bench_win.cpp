// Idle: Tolvane attached, a handset in, nothing happening, next to the
// floor program, both watched for the same window from the Linux side.
#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

#include "bench_rig_win.h"
#include "linux_process_win.h"
#include "wine_benches_win.h"

namespace tolvane::bench {
namespace {

struct IdleFigures {
  double wakeupsPerSecond = 0;
  double cpuPercent = 0;
};

IdleFigures Figures(const LinuxSample& start, const LinuxSample& end, double seconds) {
  IdleFigures figures;
  figures.wakeupsPerSecond = static_cast<double>(end.SumSwitches() - start.SumSwitches()) / seconds;
  figures.cpuPercent = 100.0 * static_cast<double>(end.cpuTicks - start.cpuTicks) /
                       static_cast<double>(TicksPerSecond()) / seconds;
  return figures;
}

// Each thread's wake-ups in the window, busiest first: who wakes.
void PrintTasks(const char* who, const LinuxSample& start, const LinuxSample& end, double seconds) {
  std::map<int, long long> before;
  for (const LinuxTask& task : start.tasks) before[task.tid] = task.voluntarySwitches;
  std::vector<std::pair<long long, const LinuxTask*>> rows;
  for (const LinuxTask& task : end.tasks) rows.emplace_back(task.voluntarySwitches - before[task.tid], &task);
  std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (const auto& [woken, task] : rows) {
    Say("    %-7s thread %-7d %-16s %7.2f wake-ups/s (%lld in the window, %lld since it started)\n", who,
        task->tid, task->name.c_str(), static_cast<double>(woken) / seconds, woken, task->voluntarySwitches);
  }
}

}  // namespace

int RunIdle(std::chrono::seconds window) {
  Say("== idle: Tolvane.exe attached to the simulated client, handset plugged in and identified, %llds\n",
      static_cast<long long>(window.count()));
  BenchRig rig("idle");
  if (!rig.StartReady(CallScenario())) return 1;
  testing::ChildProcess floor;
  if (!floor.Start("\"" + rig.Program("idle_floor.exe") + "\"", rig.Program(""))) {
    Say("idle: the floor program did not start\n");
    return 1;
  }
  // Settle: the set-up's last replies and screens, the floor's start-up.
  WaitForQuiet(*rig.client, *rig.handset, std::chrono::seconds(3), std::chrono::seconds(30));
  const int tolvanePid = FindLinuxProcess(rig.Program("Tolvane.exe"));
  const int floorPid = FindLinuxProcess(rig.Program("idle_floor.exe"));
  if (tolvanePid == 0 || floorPid == 0) {
    Say("idle: the Linux processes were not found (Tolvane %d, floor %d)\n", tolvanePid, floorPid);
    return 1;
  }
  LinuxSample tolvaneStart, floorStart, tolvaneEnd, floorEnd;
  const auto began = std::chrono::steady_clock::now();
  SampleLinuxProcess(tolvanePid, &tolvaneStart);
  SampleLinuxProcess(floorPid, &floorStart);
  std::this_thread::sleep_for(window);
  SampleLinuxProcess(tolvanePid, &tolvaneEnd);
  SampleLinuxProcess(floorPid, &floorEnd);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  rig.client->Update();
  rig.handset->Update();

  const IdleFigures tolvane = Figures(tolvaneStart, tolvaneEnd, seconds);
  const IdleFigures idleFloor = Figures(floorStart, floorEnd, seconds);
  Say("  Tolvane.exe     (Linux pid %d, %zu threads): %7.2f wake-ups/s, CPU %.2f%%\n", tolvanePid,
      tolvaneEnd.tasks.size(), tolvane.wakeupsPerSecond, tolvane.cpuPercent);
  Say("  idle_floor.exe  (Linux pid %d, %zu threads): %7.2f wake-ups/s, CPU %.2f%%\n", floorPid,
      floorEnd.tasks.size(), idleFloor.wakeupsPerSecond, idleFloor.cpuPercent);
  Say("  Tolvane above the floor: %+.2f wake-ups/s (target: at most +1)\n",
      tolvane.wakeupsPerSecond - idleFloor.wakeupsPerSecond);
  PrintTasks("Tolvane", tolvaneStart, tolvaneEnd, seconds);
  PrintTasks("floor", floorStart, floorEnd, seconds);
  return 0;
}

}  // namespace tolvane::bench
