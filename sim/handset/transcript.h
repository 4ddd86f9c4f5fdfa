#pragma once
// The simulated handset's transcript: one line per operation the program
// called (and per report posted), each with the local time to the
// millisecond, appended to a file that tests read and a person can follow.
#include <windows.h>

#include <mutex>
#include <string>
#include <string_view>

namespace simhandset {

class Transcript {
 public:
  // `eventName`: an auto-reset event set after every line, so that a reader
  // waits for new lines instead of polling (none when empty).
  Transcript(const std::string& path, const std::string& eventName);
  ~Transcript();
  Transcript(const Transcript&) = delete;
  Transcript& operator=(const Transcript&) = delete;

  void Write(std::string_view entry);

 private:
  std::mutex lock_;
  HANDLE file_;
  HANDLE written_ = nullptr;
};

}  // namespace simhandset
