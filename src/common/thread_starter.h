#pragma once
// Starts the threads of the portable core. Creating a thread can fail (the
// process has run out of threads or memory); std::thread then throws
// std::system_error, which must neither take the program down nor leave a
// run flag claiming a thread that never started. Start() catches it and
// says so, and the caller leaves its flag clear.
#include <functional>
#include <string_view>
#include <thread>

namespace tolvane {

class ThreadStarter {
 public:
  virtual ~ThreadStarter() = default;
  // Starts `body` on a new thread held by `thread` (which must not hold a
  // running thread). False, with `thread` left empty, when none could be
  // created. `role` names the thread for the reader of a trace or a test.
  virtual bool Start(std::thread& thread, std::string_view role, std::function<void()> body) = 0;
};

// std::thread.
class StdThreadStarter final : public ThreadStarter {
 public:
  bool Start(std::thread& thread, std::string_view role, std::function<void()> body) override;
};

// The process's one StdThreadStarter.
ThreadStarter& DefaultThreadStarter();

}  // namespace tolvane
