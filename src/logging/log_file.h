#pragma once
// The log's files as the writer reaches them: the current file and the one
// kept before it. The Win32 adapter (log_file_win.h) keeps them in the
// user's local application data; tests keep them in memory.
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane {

class LogFile {
 public:
  virtual ~LogFile() = default;
  // Makes the folder when missing and opens the current file for appending.
  virtual bool Open() = 0;
  // The current file's size in bytes.
  virtual std::uint64_t Size() const = 0;
  virtual bool Append(std::string_view text) = 0;
  // The current file becomes the previous one (replacing it) and a new,
  // empty current file is opened.
  virtual bool StartNew() = 0;
  virtual void Close() = 0;
};

// The front of every line: the local date and time with milliseconds and the
// thread, taken on the thread that logs.
class LineStamp {
 public:
  virtual ~LineStamp() = default;
  virtual std::string Stamp() = 0;
};

}  // namespace tolvane
