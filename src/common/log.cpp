#include "common/log.h"

#include <atomic>
#include <charconv>

namespace tolvane {
namespace {

std::atomic<LogSink*> installedSink{nullptr};

template <class Number>
void AppendNumber(std::string& line, Number number) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, number);
  line.append(digits, result.ptr);
}

}  // namespace

void SetLogSink(LogSink* sink) { installedSink.store(sink); }

bool LogEnabled(LogLevel level) {
  LogSink* sink = installedSink.load(std::memory_order_acquire);
  return sink != nullptr && level != LogLevel::kOff && static_cast<int>(level) <= static_cast<int>(sink->Level());
}

void WriteLog(LogLevel level, std::string_view text) {
  if (LogSink* sink = installedSink.load(std::memory_order_acquire)) sink->Write(level, text);
}

void FlushLog(std::chrono::milliseconds bound) {
  if (LogSink* sink = installedSink.load(std::memory_order_acquire)) sink->Flush(bound);
}

std::string_view LogSafeHead(std::string_view line) {
  constexpr std::size_t kLongestId = 6;
  std::size_t end = 0;
  std::size_t at = 0;
  while (at < line.size()) {
    std::size_t stop = line.find(' ', at);
    if (stop == std::string_view::npos) stop = line.size();
    const std::string_view word = line.substr(at, stop - at);
    bool capitals = !word.empty();
    bool digits = !word.empty() && word.size() <= kLongestId;
    for (char c : word) {
      capitals = capitals && ((c >= 'A' && c <= 'Z') || c == '_');
      digits = digits && c >= '0' && c <= '9';
    }
    if (!capitals && !digits) break;
    end = stop;
    at = stop + 1;
  }
  return line.substr(0, end);
}

void LogPart::AppendTo(std::string& line) const {
  switch (kind_) {
    case Kind::kText: line.append(text_); break;
    case Kind::kSigned: AppendNumber(line, signed_); break;
    case Kind::kUnsigned: AppendNumber(line, unsigned_); break;
  }
}

void WriteLogParts(LogLevel level, std::initializer_list<LogPart> parts) {
  std::string line;
  for (const LogPart& part : parts) part.AppendTo(line);
  WriteLog(level, line);
}

}  // namespace tolvane
