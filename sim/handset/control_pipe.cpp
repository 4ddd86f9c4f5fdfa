#include "control_pipe.h"

#include <utility>

namespace simhandset {

namespace {

constexpr DWORD kBufferSize = 1024;

struct Event {
  Event() : handle(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Event() { CloseHandle(handle); }
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;
  HANDLE handle;
};

}  // namespace

ControlPipe::ControlPipe(std::string name, Handler handler, Logger log)
    : name_(std::move(name)),
      handler_(std::move(handler)),
      log_(std::move(log)),
      stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      thread_([this] { Serve(); }) {}

ControlPipe::~ControlPipe() {
  SetEvent(stop_);
  thread_.join();
  CloseHandle(stop_);
}

ControlPipe::Io ControlPipe::Finish(HANDLE pipe, OVERLAPPED& pending, BOOL started, DWORD* bytes) {
  if (started) return GetOverlappedResult(pipe, &pending, bytes, FALSE) ? Io::kDone : Io::kFailed;
  DWORD error = GetLastError();
  if (error == ERROR_PIPE_CONNECTED) return Io::kDone;
  if (error != ERROR_IO_PENDING) return Io::kFailed;
  HANDLE waits[2] = {stop_, pending.hEvent};
  if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) {
    CancelIo(pipe);
    GetOverlappedResult(pipe, &pending, bytes, TRUE);
    return Io::kStopped;
  }
  return GetOverlappedResult(pipe, &pending, bytes, FALSE) ? Io::kDone : Io::kFailed;
}

void ControlPipe::Serve() {
  // One pipe instance, reused for every client: while it serves one, the
  // next waits in WaitNamedPipe instead of finding no pipe at all.
  HANDLE pipe = CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                 PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, kBufferSize,
                                 kBufferSize, 0, nullptr);
  if (pipe == INVALID_HANDLE_VALUE) {
    log_("control pipe " + name_ + " unavailable (error " + std::to_string(GetLastError()) + ")");
    return;
  }
  for (;;) {
    Event connected;
    OVERLAPPED pending{};
    pending.hEvent = connected.handle;
    DWORD bytes = 0;
    Io io = Finish(pipe, pending, ConnectNamedPipe(pipe, &pending), &bytes);
    if (io == Io::kStopped) break;
    if (io == Io::kDone) ServeOneClient(pipe);
    DisconnectNamedPipe(pipe);
    if (WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0) break;
  }
  CloseHandle(pipe);
}

void ControlPipe::ServeOneClient(HANDLE pipe) {
  char buffer[kBufferSize];
  Event done;
  OVERLAPPED pending{};
  pending.hEvent = done.handle;
  DWORD bytes = 0;
  if (Finish(pipe, pending, ReadFile(pipe, buffer, sizeof buffer, nullptr, &pending), &bytes) != Io::kDone) return;
  std::string command(buffer, bytes);
  while (!command.empty() && (command.back() == '\n' || command.back() == '\r' || command.back() == '\0')) {
    command.pop_back();
  }
  const std::string reply = handler_(command);

  ResetEvent(done.handle);
  pending = OVERLAPPED{};
  pending.hEvent = done.handle;
  if (Finish(pipe, pending, WriteFile(pipe, reply.data(), static_cast<DWORD>(reply.size()), nullptr, &pending),
             &bytes) != Io::kDone) {
    return;
  }
  // Disconnecting now would throw away the reply before the client has read
  // it; wait until the client closes its end.
  ResetEvent(done.handle);
  pending = OVERLAPPED{};
  pending.hEvent = done.handle;
  while (Finish(pipe, pending, ReadFile(pipe, buffer, sizeof buffer, nullptr, &pending), &bytes) == Io::kDone) {
    ResetEvent(done.handle);
    pending = OVERLAPPED{};
    pending.hEvent = done.handle;
  }
}

}  // namespace simhandset
