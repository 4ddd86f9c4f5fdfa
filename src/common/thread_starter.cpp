#include "common/thread_starter.h"

#include <system_error>
#include <utility>

namespace tolvane {

bool StdThreadStarter::Start(std::thread& thread, std::string_view /*role*/, std::function<void()> body) {
  try {
    thread = std::thread(std::move(body));
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

ThreadStarter& DefaultThreadStarter() {
  static StdThreadStarter starter;
  return starter;
}

}  // namespace tolvane
