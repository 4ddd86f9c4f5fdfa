#include "e2e_support.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>

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

bool ChildProcess::Start(const std::string& commandLine, const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  // Wine, busy with a parallel test's start-up, now and then refuses a
  // process start once; a few tries keep that from failing the test.
  for (int attempt = 1; attempt <= 5; ++attempt) {
    std::string line = commandLine;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                       &info_) != 0) {
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

bool TranscriptReader::WaitUntil(const std::function<bool(const Transcript&)>& done,
                                 std::chrono::milliseconds deadline) const {
  const auto end = std::chrono::steady_clock::now() + deadline;
  for (;;) {
    if (done(Read())) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    // Set by the simulator after every line it writes.
    WaitForSingleObject(written_, static_cast<DWORD>(left.count()));
  }
}

bool TranscriptReader::WaitFor(const std::string& kind, const std::string& text,
                               std::chrono::milliseconds deadline) const {
  return WaitUntil([&](const Transcript& all) { return Find(all, kind, text) != nullptr; }, deadline);
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
