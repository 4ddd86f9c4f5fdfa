#include "logging/crash_dump_win.h"

#include <windows.h>

#include <dbghelp.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <exception>
#include <vector>

#include "common/log.h"
#include "logging/log_file_win.h"

namespace tolvane {
namespace {

// Set once at installation, so that the handler has nothing to build.
wchar_t dumpFolder[MAX_PATH] = {};
wchar_t dumpPrefix[64] = {};
std::atomic<bool> crashing{false};

// MiniDumpWriteDump, from the system's own dbghelp.dll, found when the handler
// is installed: a crashed process is no place to load a library, and a copy
// of dbghelp.dll beside the program is not the system's.
using WriteDumpFn = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE, PMINIDUMP_EXCEPTION_INFORMATION,
                                  PMINIDUMP_USER_STREAM_INFORMATION, PMINIDUMP_CALLBACK_INFORMATION);
WriteDumpFn writeDump = nullptr;

WriteDumpFn FindWriteDump() {
  wchar_t path[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH - 16) return nullptr;
  std::wcscat(path, L"\\dbghelp.dll");
  // Kept loaded for the rest of the process.
  HMODULE library = LoadLibraryW(path);
  if (library == nullptr) return nullptr;
  FARPROC address = GetProcAddress(library, "MiniDumpWriteDump");
  WriteDumpFn typed = nullptr;
  static_assert(sizeof typed == sizeof address);
  std::memcpy(&typed, &address, sizeof typed);
  return typed;
}

constexpr DWORD kTerminateCode = 3;  // what abort() would have ended with

std::wstring DumpPath() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  wchar_t name[MAX_PATH + 96];
  std::swprintf(name, sizeof name / sizeof name[0], L"%ls\\%ls-%04u%02u%02u-%02u%02u%02u.dmp", dumpFolder,
                dumpPrefix, now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
  return name;
}

bool WriteDump(EXCEPTION_POINTERS* exception, const std::wstring& path) {
  if (writeDump == nullptr) return false;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  MINIDUMP_EXCEPTION_INFORMATION where{};
  where.ThreadId = GetCurrentThreadId();
  where.ExceptionPointers = exception;
  where.ClientPointers = FALSE;
  // MiniDumpNormal: the threads with their stacks and the modules, no heap.
  const BOOL written = writeDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal,
                                 exception != nullptr ? &where : nullptr, nullptr, nullptr);
  CloseHandle(file);
  if (!written) DeleteFileW(path.c_str());
  return written != FALSE;
}

// The names carry the date and time, so their order is their age.
void KeepNewestDumps() {
  const std::wstring folder = dumpFolder;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"\\" + dumpPrefix + L"-*.dmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  std::vector<std::wstring> names;
  do {
    names.emplace_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  for (std::size_t i = 0; i + kDumpsKept < names.size(); ++i) DeleteFileW((folder + L"\\" + names[i]).c_str());
}

[[noreturn]] void EndWithDump(EXCEPTION_POINTERS* exception, DWORD code) {
  // A second thread failing meanwhile waits for the first to end the process.
  if (crashing.exchange(true)) Sleep(INFINITE);
  SHCreateDirectoryExW(nullptr, dumpFolder, nullptr);
  const std::wstring path = DumpPath();
  const bool written = WriteDump(exception, path);
  KeepNewestDumps();
  char codeText[16];
  std::snprintf(codeText, sizeof codeText, "0x%08lX", static_cast<unsigned long>(code));
  if (written) {
    // The file's name only: the folder's path holds the user's name.
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    LogEvent("crash: exception ", codeText, " in thread ", GetCurrentThreadId(), "; dump ", Utf8(name),
             " written to the crashes folder");
  } else {
    LogEvent("crash: exception ", codeText, " in thread ", GetCurrentThreadId(), "; no dump could be written");
  }
  FlushLog(std::chrono::seconds(2));
  TerminateProcess(GetCurrentProcess(), code);
  ExitProcess(code);  // not reached
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
  const DWORD code = exception != nullptr && exception->ExceptionRecord != nullptr
                         ? exception->ExceptionRecord->ExceptionCode
                         : kTerminateCode;
  EndWithDump(exception, code);
}

void OnTerminate() { EndWithDump(nullptr, kTerminateCode); }

}  // namespace

void InstallCrashHandler(const std::wstring& folder, const std::wstring& prefix) {
  std::wcsncpy(dumpFolder, folder.c_str(), MAX_PATH - 1);
  std::wcsncpy(dumpPrefix, prefix.c_str(), sizeof dumpPrefix / sizeof dumpPrefix[0] - 1);
  writeDump = FindWriteDump();
  SetUnhandledExceptionFilter(&OnUnhandledException);
  std::set_terminate(&OnTerminate);
}

}  // namespace tolvane
