#pragma once
// Header-only client of the simulated handset: sends one control command over
// its pipe and returns the reply, and reads the transcript. Used by the
// driver program and by tests.
#include <windows.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

namespace simhandset {

inline constexpr const char* kDefaultPipeName = "\\\\.\\pipe\\tolvane-sim-handset";

// Name of the auto-reset event the simulated handset sets after each
// transcript line: one per control pipe, as there is one pipe per instance.
inline std::string TranscriptEventName(const std::string& pipeName) {
  return "SimHandset-" + pipeName.substr(pipeName.find_last_of('\\') + 1) + "-transcript";
}

// The reply line ("ok ..." / "error ..."), or "error ..." when the simulated
// handset could not be reached within `timeout`.
inline std::string SendCommand(const std::string& pipeName, const std::string& command,
                               std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  HANDLE pipe = INVALID_HANDLE_VALUE;
  for (;;) {
    pipe = CreateFileA(pipeName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (pipe != INVALID_HANDLE_VALUE) break;
    const DWORD error = GetLastError();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || (error != ERROR_PIPE_BUSY && error != ERROR_FILE_NOT_FOUND)) {
      return "error cannot reach " + pipeName + " (error " + std::to_string(error) + ")";
    }
    // Busy: wait for the one instance to be free. Not there (yet): the
    // library is still starting, or not loaded; look again shortly.
    if (error == ERROR_PIPE_BUSY) {
      WaitNamedPipeA(pipeName.c_str(), static_cast<DWORD>(left.count()));
    } else {
      Sleep(50);
    }
  }
  DWORD mode = PIPE_READMODE_MESSAGE;
  SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr);
  DWORD bytes = 0;
  std::string reply = "error no reply";
  if (WriteFile(pipe, command.data(), static_cast<DWORD>(command.size()), &bytes, nullptr)) {
    char buffer[1024];
    if (ReadFile(pipe, buffer, sizeof buffer, &bytes, nullptr)) reply.assign(buffer, bytes);
  }
  CloseHandle(pipe);
  return reply;
}

// The transcript's entries without their time stamps, in order.
inline std::vector<std::string> ReadTranscript(const std::string& path) {
  std::vector<std::string> entries;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t space = line.find(' ');
    entries.push_back(space == std::string::npos ? line : line.substr(space + 1));
  }
  return entries;
}

}  // namespace simhandset
