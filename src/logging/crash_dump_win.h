#pragma once
// The process's last-chance handler. An exception that no thread handles (and
// std::terminate, which an escaped C++ exception reaches) writes a minidump
// with the thread and module lists but no heap to
// "<folder>\<prefix>-<yyyymmdd>-<hhmmss>.dmp", keeps the newest kDumpsKept
// such files, writes one line to the log and ends the process with the
// exception's code.
#include <string>

namespace tolvane {

inline constexpr int kDumpsKept = 5;

void InstallCrashHandler(const std::wstring& folder, const std::wstring& prefix);

}  // namespace tolvane
