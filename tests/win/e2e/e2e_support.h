#pragma once
// Running the real programs for the end-to-end tests: child processes that
// are killed if a test leaves them behind, a scratch folder per test, and
// the simulated client's transcript read as it grows (woken by its named
// event, never by a fixed sleep).
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tolvane::testing {

// The folder of the test program, with a trailing backslash: the programs
// under test are staged there.
std::string ProgramFolder();

// A fresh, empty folder under the temporary directory.
std::string MakeScratchFolder(const std::string& label);

class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // Kills the process if it still runs.
  ~ChildProcess();

  bool Start(const std::string& commandLine, const std::string& folder);
  // True when the process ended within the deadline; its exit code in *code.
  bool WaitForExit(std::chrono::milliseconds deadline, DWORD* code);
  bool Running() const;
  void Kill();

 private:
  PROCESS_INFORMATION info_{};
};

// One transcript line: "HH:MM:SS.mmm +<ms> <kind> <text>".
struct TranscriptEntry {
  long long ms = 0;
  std::string kind;
  std::string text;
};
using Transcript = std::vector<TranscriptEntry>;

class TranscriptReader {
 public:
  TranscriptReader(std::string path, const std::string& eventName);
  TranscriptReader(const TranscriptReader&) = delete;
  TranscriptReader& operator=(const TranscriptReader&) = delete;
  ~TranscriptReader();

  Transcript Read() const;
  // Waits until `done` holds for the transcript; false at the deadline.
  bool WaitUntil(const std::function<bool(const Transcript&)>& done,
                 std::chrono::milliseconds deadline = std::chrono::seconds(20)) const;
  // Waits for an entry of that kind (and text, when given).
  bool WaitFor(const std::string& kind, const std::string& text = {},
               std::chrono::milliseconds deadline = std::chrono::seconds(20)) const;

 private:
  std::string path_;
  HANDLE written_;
};

// The entries of one kind, in order.
Transcript OfKind(const Transcript& all, const std::string& kind);
std::vector<std::string> Texts(const Transcript& entries);
std::size_t CountOf(const Transcript& all, const std::string& kind, const std::string& text);
// The first entry of that kind (and text, when given); null if none.
const TranscriptEntry* Find(const Transcript& all, const std::string& kind, const std::string& text = {});

}  // namespace tolvane::testing
