// Installs the program's crash handler and log in the folder it is given,
// then faults on purpose on a thread of its own: "crash_probe <folder>".
#include <windows.h>

#include <cstdint>
#include <thread>

#include "common/log.h"
#include "logging/crash_dump_win.h"
#include "logging/diagnostic_log_win.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string folder = argv[1];
  const std::wstring wide(folder.begin(), folder.end());
  tolvane::DiagnosticLog log(tolvane::LogLevel::kEvents, wide);
  if (!log.Start()) return 3;
  tolvane::InstallCrashHandler(wide + L"\\crashes", L"Tolvane");
  tolvane::LogEvent("probe about to fault");
  // An address the compiler cannot see is null.
  volatile std::uintptr_t address = 0;
  std::thread faulting([&address] { *reinterpret_cast<volatile int*>(address) = 1; });
  faulting.join();
  return 0;
}
