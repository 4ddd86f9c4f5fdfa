#include "linux_process_win.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>

namespace tolvane::bench {
namespace {

const std::string kProc = "Z:\\proc\\";

// /proc files report no size: read until the end.
std::string ReadWhole(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::vector<std::string> NumericEntries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (!name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isdigit(c); })) {
      names.push_back(name);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

long long StatusField(const std::string& status, const std::string& field) {
  // At a line's start: "voluntary_ctxt_switches" also ends another name.
  const std::string key = "\n" + field + ":";
  const std::size_t at = status.find(key);
  if (at == std::string::npos) return 0;
  return std::atoll(status.c_str() + at + key.size());
}

// utime + stime from a stat line; the name in parentheses may hold blanks.
long long StatTicks(const std::string& stat) {
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(stat.substr(close + 2));
  std::string field;
  long long utime = 0;
  long long stime = 0;
  // After the name: state is field 3; utime and stime are fields 14 and 15.
  for (int n = 3; n <= 15 && fields >> field; ++n) {
    if (n == 14) utime = std::atoll(field.c_str());
    if (n == 15) stime = std::atoll(field.c_str());
  }
  return utime + stime;
}

}  // namespace

long long LinuxSample::SumSwitches() const {
  long long sum = 0;
  for (const LinuxTask& task : tasks) sum += task.voluntarySwitches;
  return sum;
}

int FindLinuxProcess(const std::string& windowsPath) {
  const std::string wanted = Lower(windowsPath);
  int match = 0;
  for (const std::string& pid : NumericEntries(kProc)) {
    std::string line = ReadWhole(kProc + pid + "\\cmdline");
    std::replace(line.begin(), line.end(), '\0', ' ');
    if (Lower(line).find(wanted) == std::string::npos) continue;
    if (match != 0) return 0;
    match = std::atoi(pid.c_str());
  }
  return match;
}

bool SampleLinuxProcess(int pid, LinuxSample* sample) {
  const std::string folder = kProc + std::to_string(pid) + "\\";
  const std::string status = ReadWhole(folder + "status");
  if (status.empty()) return false;
  sample->residentKb = StatusField(status, "VmRSS");
  sample->anonymousKb = StatusField(status, "RssAnon");
  sample->dataKb = StatusField(status, "VmData");
  sample->cpuTicks = StatTicks(ReadWhole(folder + "stat"));
  sample->tasks.clear();
  for (const std::string& tid : NumericEntries(folder + "task\\")) {
    const std::string taskFolder = folder + "task\\" + tid + "\\";
    LinuxTask task;
    task.tid = std::atoi(tid.c_str());
    task.name = ReadWhole(taskFolder + "comm");
    while (!task.name.empty() && std::isspace(static_cast<unsigned char>(task.name.back()))) task.name.pop_back();
    task.voluntarySwitches = StatusField(ReadWhole(taskFolder + "status"), "voluntary_ctxt_switches");
    task.cpuTicks = StatTicks(ReadWhole(taskFolder + "stat"));
    sample->tasks.push_back(std::move(task));
  }
  return true;
}

long long TicksPerSecond() { return 100; }

}  // namespace tolvane::bench
