#pragma once
// An ISkypeLink that records SendCommand calls (kind, user, call id) and
// does nothing else: for stores and helpers that only queue commands.
#include <mutex>
#include <string>
#include <vector>

#include "core/fakes/null_skype_link.h"

namespace tolvane::testing {

struct RecordedCommand {
  int kind = 0;
  std::string user;
  int callId = 0;
  bool operator==(const RecordedCommand&) const = default;
};

class CommandRecordingLink final : public NullSkypeLink {
 public:
  std::vector<RecordedCommand> Commands() const {
    std::lock_guard guard(mutex);
    return commands;
  }

  Status SendCommand(int kind, const char* user, int callId) override {
    std::lock_guard guard(mutex);
    commands.push_back({kind, user != nullptr ? user : "", callId});
    return kOk;
  }


 private:
  mutable std::mutex mutex;
  std::vector<RecordedCommand> commands;
};

}  // namespace tolvane::testing
