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
  explicit Transcript(const std::string& path);
  ~Transcript();
  Transcript(const Transcript&) = delete;
  Transcript& operator=(const Transcript&) = delete;

  void Write(std::string_view entry);

 private:
  std::mutex lock_;
  HANDLE file_;
};

}  // namespace simhandset
