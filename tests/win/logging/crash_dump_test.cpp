// The crash handler, installed by crash_probe.exe, which then faults on a
// thread of its own: a minidump appears whose header, stream directory,
// thread list and module list are sound and which holds no full memory; the
// oldest dumps beyond five are gone; the log says where the dump went.
// Under Wine (64-bit build).
#include <windows.h>

#include <dbghelp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tolvane {
namespace {

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string ScratchFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "tolvane-crash-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount64());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::vector<std::string> Dumps(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "\\Tolvane-*.dmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.emplace_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream whole;
  whole << in.rdbuf();
  return whole.str();
}

template <class Record>
const Record* At(const std::string& dump, RVA rva) {
  return rva + sizeof(Record) <= dump.size() ? reinterpret_cast<const Record*>(dump.data() + rva) : nullptr;
}

TEST(CrashDumpTest, AFaultOnAnyThreadLeavesASoundDumpKeepsFiveAndSaysSoInTheLog) {
  const std::string probe = ProgramFolder() + "crash_probe.exe";
  if (GetFileAttributesA(probe.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "crash_probe.exe is not built";
  const std::string folder = ScratchFolder();
  const std::string crashes = folder + "\\crashes";
  ASSERT_TRUE(CreateDirectoryA(crashes.c_str(), nullptr));
  // Six older dumps: with the new one, the two oldest are beyond five.
  for (int i = 1; i <= 6; ++i) {
    std::ofstream(crashes + "\\Tolvane-2000010" + std::to_string(i) + "-120000.dmp") << "old";
  }

  // The system's own crash dialog stays away from a test run.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command = "\"" + probe + "\" \"" + folder + "\"";
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process));
  const DWORD waited = WaitForSingleObject(process.hProcess, 60000);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ASSERT_EQ(waited, WAIT_OBJECT_0) << "the probe did not end";
  EXPECT_EQ(code, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));

  const std::vector<std::string> dumps = Dumps(crashes);
  ASSERT_EQ(dumps.size(), 5u);
  EXPECT_EQ(dumps.front(), "Tolvane-20000103-120000.dmp") << "the two oldest go";
  const std::string newest = dumps.back();
  ASSERT_FALSE(newest.starts_with("Tolvane-2000")) << "no new dump";

  const std::string dump = Contents(crashes + "\\" + newest);
  const auto* header = At<MINIDUMP_HEADER>(dump, 0);
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->Signature, 0x504D444Du);  // "MDMP" in the file's first four bytes
  EXPECT_EQ(header->Version & 0xFFFF, static_cast<ULONG32>(MINIDUMP_VERSION));
  ASSERT_GT(header->NumberOfStreams, 0u);
  ASSERT_LE(header->StreamDirectoryRva + header->NumberOfStreams * sizeof(MINIDUMP_DIRECTORY), dump.size());
  const auto* directory = reinterpret_cast<const MINIDUMP_DIRECTORY*>(dump.data() + header->StreamDirectoryRva);
  const MINIDUMP_DIRECTORY* threads = nullptr;
  const MINIDUMP_DIRECTORY* modules = nullptr;
  const MINIDUMP_DIRECTORY* exception = nullptr;
  for (ULONG32 i = 0; i < header->NumberOfStreams; ++i) {
    const MINIDUMP_DIRECTORY& stream = directory[i];
    if (stream.StreamType == UnusedStream) continue;
    EXPECT_LE(stream.Location.Rva + stream.Location.DataSize, dump.size()) << "stream " << stream.StreamType;
    EXPECT_NE(stream.StreamType, static_cast<ULONG32>(Memory64ListStream)) << "no full memory";
    if (stream.StreamType == ThreadListStream) threads = &stream;
    if (stream.StreamType == ModuleListStream) modules = &stream;
    if (stream.StreamType == ExceptionStream) exception = &stream;
  }
  ASSERT_NE(threads, nullptr);
  ASSERT_NE(modules, nullptr);
  ASSERT_NE(exception, nullptr);

  const auto* threadList = At<MINIDUMP_THREAD_LIST>(dump, threads->Location.Rva);
  ASSERT_NE(threadList, nullptr);
  // The main thread and the one that faulted, at least.
  EXPECT_GE(threadList->NumberOfThreads, 2u);
  EXPECT_EQ(sizeof(ULONG32) + threadList->NumberOfThreads * sizeof(MINIDUMP_THREAD), threads->Location.DataSize);
  const auto* fault = At<MINIDUMP_EXCEPTION_STREAM>(dump, exception->Location.Rva);
  ASSERT_NE(fault, nullptr);
  EXPECT_EQ(fault->ExceptionRecord.ExceptionCode, static_cast<ULONG32>(EXCEPTION_ACCESS_VIOLATION));
  bool faultingThreadListed = false;
  for (ULONG32 i = 0; i < threadList->NumberOfThreads; ++i) {
    faultingThreadListed = faultingThreadListed || threadList->Threads[i].ThreadId == fault->ThreadId;
  }
  EXPECT_TRUE(faultingThreadListed);

  const auto* moduleList = At<MINIDUMP_MODULE_LIST>(dump, modules->Location.Rva);
  ASSERT_NE(moduleList, nullptr);
  ASSERT_GE(moduleList->NumberOfModules, 1u);
  // The first module is the program; its name is a counted UTF-16 string.
  const auto* name = At<MINIDUMP_STRING>(dump, moduleList->Modules[0].ModuleNameRva);
  ASSERT_NE(name, nullptr);
  ASSERT_LE(moduleList->Modules[0].ModuleNameRva + sizeof(ULONG32) + name->Length, dump.size());
  const std::wstring moduleName(name->Buffer, name->Length / sizeof(WCHAR));
  EXPECT_TRUE(moduleName.ends_with(L"crash_probe.exe")) << std::string(moduleName.begin(), moduleName.end());

  const std::string log = Contents(folder + "\\Tolvane.log");
  EXPECT_NE(log.find("probe about to fault"), std::string::npos) << log;
  EXPECT_NE(log.find("crash: exception 0xC0000005"), std::string::npos) << log;
  EXPECT_NE(log.find(newest), std::string::npos) << "the log names the dump\n" << log;
}

}  // namespace
}  // namespace tolvane
