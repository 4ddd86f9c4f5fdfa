#pragma once
// Where mixer failures go: a diagnostic line with the operation's name and
// what failed. It has no visible effect; the Win32 adapter writes it to the
// debugger's output. The mixer classes call it after releasing their lock.
#include <string>

namespace tolvane {

class MixerTrace {
 public:
  virtual void Trace(const std::string& where, const std::string& text) = 0;

 protected:
  ~MixerTrace() = default;
};

}  // namespace tolvane
