#pragma once
// The program's diagnostic log as every folder reaches it: one line per event,
// handed to whatever sink the shell has installed and never waited for. With
// no sink, or below the sink's level, a call costs one atomic load.
//
// Level 1 (events) names what happened with call ids and counts only; names,
// handles and the client's lines are personal data and go at level 2
// (every line) alone.
#include <chrono>
#include <concepts>
#include <string>
#include <string_view>
#include <type_traits>

namespace tolvane {

enum class LogLevel : int { kOff = 0, kEvents = 1, kLines = 2 };

class LogSink {
 public:
  virtual ~LogSink() = default;
  // Takes one line from any thread and returns at once.
  virtual void Write(LogLevel level, std::string_view text) = 0;
  // The highest level written; kOff while nothing is written.
  virtual LogLevel Level() const = 0;
  // Waits, at most `bound`, until every line taken has been written (the
  // crash handler, before the process ends).
  virtual void Flush(std::chrono::milliseconds bound) = 0;
};

// The shell installs its sink before the first thread that logs starts and
// removes it (null) only after the last such thread has been joined.
void SetLogSink(LogSink* sink);
bool LogEnabled(LogLevel level);
void WriteLog(LogLevel level, std::string_view text);
// Writes what was taken, within `bound`; nothing without a sink.
void FlushLog(std::chrono::milliseconds bound);

// The leading words of a client line that cannot name anyone: command and
// property words (capitals, '_') and short numbers (call ids). A handle, a
// name or a phone number ends it. For level-1 lines about a client line.
std::string_view LogSafeHead(std::string_view line);

namespace log_detail {

void Append(std::string& line, std::string_view part);
void Append(std::string& line, const char* part);  // null is written as "(null)"
void Append(std::string& line, long long number);
void Append(std::string& line, unsigned long long number);

template <class Part>
void AppendPart(std::string& line, const Part& part) {
  if constexpr (std::is_same_v<Part, bool>) {
    Append(line, std::string_view(part ? "yes" : "no"));
  } else if constexpr (std::signed_integral<Part>) {
    Append(line, static_cast<long long>(part));
  } else if constexpr (std::unsigned_integral<Part>) {
    Append(line, static_cast<unsigned long long>(part));
  } else if constexpr (std::is_convertible_v<const Part&, const char*>) {
    Append(line, static_cast<const char*>(part));
  } else {
    Append(line, std::string_view(part));
  }
}

template <class... Parts>
void Write(LogLevel level, const Parts&... parts) {
  if (!LogEnabled(level)) return;
  std::string line;
  (AppendPart(line, parts), ...);
  WriteLog(level, line);
}

}  // namespace log_detail

// An event, written from level 1: the parts (texts and numbers) joined.
template <class... Parts>
void LogEvent(const Parts&... parts) {
  log_detail::Write(LogLevel::kEvents, parts...);
}

// A line to or from the client, a handset report or code, or anything that
// names a person: written only at level 2.
template <class... Parts>
void LogDetail(const Parts&... parts) {
  log_detail::Write(LogLevel::kLines, parts...);
}

}  // namespace tolvane
