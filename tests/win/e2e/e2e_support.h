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
  DWORD Id() const { return info_.dwProcessId; }

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

// Re-checks `done` whenever `written` is set, until it holds (true) or the
// deadline passes (false).
bool WaitOnEvent(HANDLE written, const std::function<bool()>& done, std::chrono::milliseconds deadline);

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

// The simulated handset's transcript, without time stamps ("SendCode 158",
// "SendDisplayChar 65 0", "mark ..."), read as it grows.
class HandsetLog {
 public:
  using Entries = std::vector<std::string>;
  HandsetLog(std::string path, const std::string& eventName);
  HandsetLog(const HandsetLog&) = delete;
  HandsetLog& operator=(const HandsetLog&) = delete;
  ~HandsetLog();

  // Everything after the last "mark <label>" line (everything without one).
  Entries Since(const std::string& label) const;
  bool WaitUntil(const std::string& label, const std::function<bool(const Entries&)>& done,
                 std::chrono::milliseconds deadline = std::chrono::seconds(20)) const;
  // Waits until the entry has appeared `count` times since the mark.
  bool WaitFor(const std::string& label, const std::string& entry, std::size_t count = 1,
               std::chrono::milliseconds deadline = std::chrono::seconds(20)) const;

 private:
  std::string path_;
  HANDLE written_;
};

// The numbers of the "SendCode <n>" entries, in order.
std::vector<int> SentCodes(const HandsetLog::Entries& entries);
// The text of the first screen streamed with SendDisplayChar: the characters
// after the name field (112, 10), up to the end of the screen (26, 10).
std::string StreamedText(const HandsetLog::Entries& entries);

// The entries of one kind, in order.
Transcript OfKind(const Transcript& all, const std::string& kind);
std::vector<std::string> Texts(const Transcript& entries);
std::size_t CountOf(const Transcript& all, const std::string& kind, const std::string& text);
// The first entry of that kind (and text, when given); null if none.
const TranscriptEntry* Find(const Transcript& all, const std::string& kind, const std::string& text = {});

}  // namespace tolvane::testing
