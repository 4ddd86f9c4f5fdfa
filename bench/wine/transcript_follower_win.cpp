#include "transcript_follower_win.h"

#include <cstdlib>

namespace tolvane::bench {

TranscriptFollower::TranscriptFollower(std::string path, const std::string& eventName, bool elapsedField)
    : path_(std::move(path)),
      written_(CreateEventA(nullptr, FALSE, FALSE, eventName.c_str())),
      elapsedField_(elapsedField) {}

TranscriptFollower::~TranscriptFollower() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  if (written_ != nullptr) CloseHandle(written_);
}

void TranscriptFollower::Update() {
  if (file_ == INVALID_HANDLE_VALUE) {
    file_ = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, 0, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return;
  }
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file_, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    partial_.append(buffer, got);
    std::size_t start = 0;
    for (std::size_t end = partial_.find('\n'); end != std::string::npos; end = partial_.find('\n', start)) {
      std::string line = partial_.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      Take(line);
      start = end + 1;
    }
    partial_.erase(0, start);
  }
}

void TranscriptFollower::Take(const std::string& line) {
  StampedLine taken;
  std::size_t blank = line.find(' ');
  const std::string stamp = line.substr(0, blank);
  const std::size_t slash = stamp.find('/');
  if (slash != std::string::npos) taken.us = std::atoll(stamp.c_str() + slash + 1);
  if (elapsedField_ && blank != std::string::npos) blank = line.find(' ', blank + 1);
  taken.text = blank == std::string::npos ? std::string() : line.substr(blank + 1);
  lines_.push_back(std::move(taken));
}

std::size_t TranscriptFollower::WaitFor(std::size_t from, const std::function<bool(const std::string&)>& match,
                                        std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  for (;;) {
    Update();
    for (; from < lines_.size(); ++from) {
      if (match(lines_[from].text)) return from;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return kNone;
    WaitForSingleObject(written_, static_cast<DWORD>(left.count()));
  }
}

std::size_t TranscriptFollower::WaitForText(std::size_t from, const std::string& text, bool prefix,
                                            std::chrono::milliseconds deadline) {
  return WaitFor(
      from, [&](const std::string& line) { return prefix ? line.starts_with(text) : line == text; }, deadline);
}

bool WaitForQuiet(TranscriptFollower& a, TranscriptFollower& b, std::chrono::milliseconds quiet,
                  std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  const HANDLE events[] = {a.Written(), b.Written()};
  while (std::chrono::steady_clock::now() < end) {
    if (WaitForMultipleObjects(2, events, FALSE, static_cast<DWORD>(quiet.count())) == WAIT_TIMEOUT) {
      a.Update();
      b.Update();
      return true;
    }
  }
  return false;
}

}  // namespace tolvane::bench
