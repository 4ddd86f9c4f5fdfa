#include "e2e_support.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "sim_handset_client.h"

namespace tolvane::testing {

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.resize(folder.find_last_of('\\') + 1);
  return folder;
}

std::string MakeScratchFolder(const std::string& label) {
  static std::atomic<int> counter{0};
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  // Wine reuses process ids from one run to the next: the tick count keeps
  // a folder from an earlier run (and its transcript) out of the way.
  const std::string folder = std::string(temp) + "tolvane-e2e-" + std::to_string(GetCurrentProcessId()) +
                             "-" + std::to_string(GetTickCount64()) + "-" + std::to_string(++counter) + "-" +
                             label + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

ChildProcess::~ChildProcess() {
  Kill();
  if (info_.hProcess != nullptr) CloseHandle(info_.hProcess);
  if (info_.hThread != nullptr) CloseHandle(info_.hThread);
}

namespace {

// Every program a test starts belongs to one job that ends them all when
// the test program ends, also when it crashes or is killed at its time-out:
// a program left running would answer the next test's discover.
HANDLE ChildrenJob() {
  static const HANDLE job = [] {
    const HANDLE created = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (created != nullptr) {
      SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    return created;
  }();
  return job;
}

}  // namespace

bool ChildProcess::Start(const std::string& commandLine, const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  // Wine, busy with a parallel test's start-up, now and then refuses a
  // process start once; a few tries keep that from failing the test.
  for (int attempt = 1; attempt <= 5; ++attempt) {
    std::string line = commandLine;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, folder.c_str(),
                       &startup, &info_) != 0) {
      // In the job before it runs a single instruction.
      if (const HANDLE job = ChildrenJob()) AssignProcessToJobObject(job, info_.hProcess);
      ResumeThread(info_.hThread);
      return true;
    }
    std::fprintf(stderr, "CreateProcess failed (error %lu, try %d): %s\n", GetLastError(), attempt,
                 commandLine.c_str());
    Sleep(300);
  }
  return false;
}

bool ChildProcess::WaitForExit(std::chrono::milliseconds deadline, DWORD* code) {
  if (info_.hProcess == nullptr) return false;
  if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(deadline.count())) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(info_.hProcess, code);
  return true;
}

bool ChildProcess::Running() const {
  return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

void ChildProcess::Kill() {
  if (!Running()) return;
  TerminateProcess(info_.hProcess, 99);
  WaitForSingleObject(info_.hProcess, 10000);
}

TranscriptReader::TranscriptReader(std::string path, const std::string& eventName)
    : path_(std::move(path)), written_(CreateEventA(nullptr, FALSE, FALSE, eventName.c_str())) {}

TranscriptReader::~TranscriptReader() {
  if (written_ != nullptr) CloseHandle(written_);
}

Transcript TranscriptReader::Read() const {
  Transcript entries;
  std::ifstream file(path_);
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    std::string clock;
    std::string elapsed;
    TranscriptEntry entry;
    if (!(fields >> clock >> elapsed >> entry.kind) || elapsed.empty() || elapsed[0] != '+') continue;
    entry.ms = std::stoll(elapsed.substr(1));
    std::getline(fields, entry.text);
    if (!entry.text.empty() && entry.text[0] == ' ') entry.text.erase(0, 1);
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool WaitOnEvent(HANDLE written, const std::function<bool()>& done, std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  for (;;) {
    if (done()) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    WaitForSingleObject(written, static_cast<DWORD>(left.count()));
  }
}

bool TranscriptReader::WaitUntil(const std::function<bool(const Transcript&)>& done,
                                 std::chrono::milliseconds deadline) const {
  // The event is set by the simulator after every line it writes.
  return WaitOnEvent(written_, [&] { return done(Read()); }, deadline);
}

bool TranscriptReader::WaitFor(const std::string& kind, const std::string& text,
                               std::chrono::milliseconds deadline) const {
  return WaitUntil([&](const Transcript& all) { return Find(all, kind, text) != nullptr; }, deadline);
}

HandsetLog::HandsetLog(std::string path, const std::string& eventName)
    : path_(std::move(path)), written_(CreateEventA(nullptr, FALSE, FALSE, eventName.c_str())) {}

HandsetLog::~HandsetLog() {
  if (written_ != nullptr) CloseHandle(written_);
}

HandsetLog::Entries HandsetLog::Since(const std::string& label) const {
  Entries entries = simhandset::ReadTranscript(path_);
  const auto mark = std::find(entries.rbegin(), entries.rend(), "mark " + label);
  if (mark != entries.rend()) entries.erase(entries.begin(), mark.base());
  return entries;
}

bool HandsetLog::WaitUntil(const std::string& label, const std::function<bool(const Entries&)>& done,
                           std::chrono::milliseconds deadline) const {
  return WaitOnEvent(written_, [&] { return done(Since(label)); }, deadline);
}

bool HandsetLog::WaitFor(const std::string& label, const std::string& entry, std::size_t count,
                         std::chrono::milliseconds deadline) const {
  return WaitUntil(
      label, [&](const Entries& all) { return static_cast<std::size_t>(std::count(all.begin(), all.end(), entry)) >= count; },
      deadline);
}

std::vector<int> SentCodes(const HandsetLog::Entries& entries) {
  std::vector<int> codes;
  for (const std::string& entry : entries) {
    if (entry.starts_with("SendCode ")) codes.push_back(std::stoi(entry.substr(9)));
  }
  return codes;
}

std::string StreamedText(const HandsetLog::Entries& entries) {
  std::string text;
  bool inField = false;
  for (const std::string& entry : entries) {
    int code = 0;
    int parameter = 0;
    if (std::sscanf(entry.c_str(), "SendDisplayChar %d %d", &code, &parameter) != 2) continue;
    if (code == 112 && parameter == 10) {
      inField = true;
    } else if (code == 26 && parameter == 10) {
      if (inField) break;
    } else if (inField) {
      text += static_cast<char>(code);
    }
  }
  return text;
}

Transcript OfKind(const Transcript& all, const std::string& kind) {
  Transcript kept;
  for (const TranscriptEntry& entry : all) {
    if (entry.kind == kind) kept.push_back(entry);
  }
  return kept;
}

std::vector<std::string> Texts(const Transcript& entries) {
  std::vector<std::string> texts;
  for (const TranscriptEntry& entry : entries) texts.push_back(entry.text);
  return texts;
}

std::size_t CountOf(const Transcript& all, const std::string& kind, const std::string& text) {
  std::size_t n = 0;
  for (const TranscriptEntry& entry : all) n += entry.kind == kind && entry.text == text ? 1 : 0;
  return n;
}

const TranscriptEntry* Find(const Transcript& all, const std::string& kind, const std::string& text) {
  for (const TranscriptEntry& entry : all) {
    if (entry.kind == kind && (text.empty() || entry.text == text)) return &entry;
  }
  return nullptr;
}

}  // namespace tolvane::testing
