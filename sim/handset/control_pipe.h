#pragma once
// The simulated handset's control channel: a named pipe served by one thread
// that blocks on the pipe (overlapped I/O, woken by a stop event). Each
// connection carries one command line; the reply ("ok ..." or "error ...")
// goes back on the same connection.
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace simhandset {

class ControlPipe {
 public:
  using Handler = std::function<std::string(const std::string& command)>;
  using Logger = std::function<void(const std::string& entry)>;

  ControlPipe(std::string name, Handler handler, Logger log);
  ~ControlPipe();  // stops and joins the serving thread
  ControlPipe(const ControlPipe&) = delete;
  ControlPipe& operator=(const ControlPipe&) = delete;

 private:
  enum class Io { kDone, kFailed, kStopped };

  void Serve();
  void ServeOneClient(HANDLE pipe);
  Io Finish(HANDLE pipe, OVERLAPPED& pending, BOOL started, DWORD* bytes);

  std::string name_;
  Handler handler_;
  Logger log_;
  HANDLE stop_;
  std::thread thread_;
};

}  // namespace simhandset
