#include "transcript_win.h"

#include "precise_clock_win.h"

namespace simskype {

Transcript::~Transcript() {
  if (file_ != nullptr) std::fclose(file_);
  if (written_ != nullptr) CloseHandle(written_);
}

bool Transcript::Open(const std::string& path, const std::string& eventName) {
  file_ = std::fopen(path.c_str(), "w");
  written_ = CreateEventA(nullptr, FALSE, FALSE, eventName.c_str());
  start_ = std::chrono::steady_clock::now();
  return file_ != nullptr;
}

void Transcript::Write(std::string_view kind, std::string_view text) {
  Write(kind, text, simclock::NowMicroseconds());
}

void Transcript::Write(std::string_view kind, std::string_view text, long long at) {
  if (file_ == nullptr) return;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_);
  const std::string precise = simclock::Suffix(at);
  std::fprintf(file_, "%02u:%02u:%02u.%03u%s +%lld %.*s%s%.*s\n", now.wHour, now.wMinute, now.wSecond,
               now.wMilliseconds, precise.c_str(), static_cast<long long>(elapsed.count()), static_cast<int>(kind.size()),
               kind.data(), text.empty() ? "" : " ", static_cast<int>(text.size()), text.data());
  std::fflush(file_);
  if (written_ != nullptr) SetEvent(written_);
}

}  // namespace simskype
