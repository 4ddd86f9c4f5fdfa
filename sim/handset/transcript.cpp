#include "transcript.h"

#include <cstdio>

#include "precise_clock_win.h"

namespace simhandset {

Transcript::Transcript(const std::string& path, const std::string& eventName)
    : file_(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {
  if (!eventName.empty()) written_ = CreateEventA(nullptr, FALSE, FALSE, eventName.c_str());
}

Transcript::~Transcript() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  if (written_ != nullptr) CloseHandle(written_);
}

void Transcript::Write(std::string_view entry) {
  const long long at = simclock::NowMicroseconds();
  SYSTEMTIME now;
  GetLocalTime(&now);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%02u:%02u:%02u.%03u", now.wHour, now.wMinute, now.wSecond,
                now.wMilliseconds);
  std::string line = stamp;
  line.append(simclock::Suffix(at));
  line.push_back(' ');
  line.append(entry);
  line.append("\r\n");
  std::lock_guard<std::mutex> hold(lock_);
  if (file_ == INVALID_HANDLE_VALUE) return;
  // Written straight through to the file (no buffering here), so a reader
  // sees every line as soon as the call that caused it has returned.
  DWORD written = 0;
  WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  if (written_ != nullptr) SetEvent(written_);
}

}  // namespace simhandset
