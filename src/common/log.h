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
#include <initializer_list>
#include <string>
#include <string_view>

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

// One part of a line: a text, a number, or a yes/no.
class LogPart {
 public:
  LogPart(const char* text) : text_(text != nullptr ? text : "(null)") {}
  LogPart(std::string_view text) : text_(text) {}
  LogPart(const std::string& text) : text_(text) {}
  LogPart(bool yes) : text_(yes ? "yes" : "no") {}
  template <std::integral Number>
    requires(!std::same_as<Number, bool>)
  LogPart(Number number) {
    if constexpr (std::signed_integral<Number>) {
      kind_ = Kind::kSigned;
      signed_ = number;
    } else {
      kind_ = Kind::kUnsigned;
      unsigned_ = number;
    }
  }

  void AppendTo(std::string& line) const;

 private:
  enum class Kind { kText, kSigned, kUnsigned };
  Kind kind_ = Kind::kText;
  std::string_view text_;
  long long signed_ = 0;
  unsigned long long unsigned_ = 0;
};

// Joins the parts and writes the line; the templates below keep each call
// site to building the parts.
void WriteLogParts(LogLevel level, std::initializer_list<LogPart> parts);

// An event, written from level 1: the parts (texts and numbers) joined.
template <class... Parts>
void LogEvent(const Parts&... parts) {
  if (LogEnabled(LogLevel::kEvents)) WriteLogParts(LogLevel::kEvents, {LogPart(parts)...});
}

// A line to or from the client, a handset report or code, or anything that
// names a person: written only at level 2.
template <class... Parts>
void LogDetail(const Parts&... parts) {
  if (LogEnabled(LogLevel::kLines)) WriteLogParts(LogLevel::kLines, {LogPart(parts)...});
}

}  // namespace tolvane
