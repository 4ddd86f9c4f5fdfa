#pragma once
// The Linux side of a Wine process, read through Wine's Z: drive (/proc):
// which Linux process runs a given Windows program, how often its threads
// have gone to sleep and been woken (voluntary context switches), its CPU
// time and its resident memory.
#include <string>
#include <vector>

namespace tolvane::bench {

struct LinuxTask {
  int tid = 0;
  std::string name;
  long long voluntarySwitches = 0;
  long long cpuTicks = 0;  // utime + stime of the thread
};

struct LinuxSample {
  std::vector<LinuxTask> tasks;
  long long cpuTicks = 0;  // utime + stime of the process
  long long residentKb = 0;       // VmRSS
  long long anonymousKb = 0;      // RssAnon: the resident part that is the process's own (heap, stacks)
  long long dataKb = 0;           // VmData: its private writable address space
  long long SumSwitches() const;
};

// The Linux pid of the one process whose command line names `windowsPath`
// (compared without regard to case); 0 when none or several do.
int FindLinuxProcess(const std::string& windowsPath);

// False when the process is gone.
bool SampleLinuxProcess(int pid, LinuxSample* sample);

// Clock ticks per second of the CPU times above.
long long TicksPerSecond();

}  // namespace tolvane::bench
