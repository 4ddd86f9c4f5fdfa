#pragma once
// A simulator's transcript read as it grows, only the new part each time
// (a soak writes hundreds of thousands of lines), with the shared clock's
// stamp of every line (TOLVANE_SIM_PRECISE_CLOCK=1). Woken by the
// simulator's named event, never by a timer.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tolvane::bench {

struct StampedLine {
  long long us = 0;  // the shared clock, microseconds; 0 when the line has none
  std::string text;  // the client's "<kind> <text>", the handset's entry
};

class TranscriptFollower {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // `elapsedField`: the client's lines carry "+<ms>" after the stamp.
  TranscriptFollower(std::string path, const std::string& eventName, bool elapsedField);
  ~TranscriptFollower();
  TranscriptFollower(const TranscriptFollower&) = delete;
  TranscriptFollower& operator=(const TranscriptFollower&) = delete;

  // Takes in what has been written since the last call.
  void Update();
  const std::vector<StampedLine>& Lines() const { return lines_; }
  std::size_t Size() const { return lines_.size(); }

  // The index of the first line from `from` on that `match` accepts, waiting
  // for it up to `deadline`; kNone when it did not come.
  std::size_t WaitFor(std::size_t from, const std::function<bool(const std::string&)>& match,
                      std::chrono::milliseconds deadline = std::chrono::seconds(20));
  // The same for a line equal to `text` or, with `prefix`, beginning so.
  std::size_t WaitForText(std::size_t from, const std::string& text, bool prefix = false,
                          std::chrono::milliseconds deadline = std::chrono::seconds(20));

  HANDLE Written() const { return written_; }

 private:
  void Take(const std::string& line);

  std::string path_;
  HANDLE written_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  bool elapsedField_;
  std::string partial_;
  std::vector<StampedLine> lines_;
};

// Waits until neither transcript has grown for `quiet`; false if they were
// still busy at the deadline.
bool WaitForQuiet(TranscriptFollower& a, TranscriptFollower& b, std::chrono::milliseconds quiet,
                  std::chrono::milliseconds deadline = std::chrono::seconds(20));

}  // namespace tolvane::bench
