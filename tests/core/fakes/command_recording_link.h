#pragma once
// An ISkypeLink that records SendCommand calls (kind, user, call id) and
// does nothing else: for stores and helpers that only queue commands.
#include <mutex>
#include <string>
#include <vector>

#include "skype_link/skype_link_interface.h"

namespace tolvane::testing {

struct RecordedCommand {
  int kind = 0;
  std::string user;
  int callId = 0;
  bool operator==(const RecordedCommand&) const = default;
};

class CommandRecordingLink final : public ISkypeLink {
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

  Status QueueNotification(const char*) override { return kOk; }
  Status QueueCommand(const char*) override { return kOk; }
  Status SaveSettings() override { return kOk; }
  Status RestoreDefaultSettings() override { return kOk; }
  Status ReadSettings() override { return kOk; }
  Status GetSkypeAudioDevices(char*, char*) override { return kOk; }
  Status FillRingList(WindowHandle, int) override { return kOk; }
  Status GetWindowTitle(char*) override { return kOk; }
  Status GetIconNoHandset(char*) override { return kOk; }
  Status GetIconNoSkype(char*) override { return kOk; }
  Status GetIconActive(char*) override { return kOk; }
  Status GetCustomerInfo(char*) override { return kFail; }
  Status SetHandsetAttached(int) override { return kOk; }
  Status RunSessionAction(int) override { return kOk; }
  Status SetRenderer(DisplayRenderer*) override { return kOk; }
  Status ClearQueues() override { return kOk; }
  Status UpdateStatusTip() override { return kOk; }
  Status GetUserStatus(int*) override { return kOk; }
  Status ShowMissedCalls(int) override { return kOk; }
  Status SendUserStatusCode(int) override { return kOk; }
  Status WaitDisplayIdle() override { return kOk; }

 private:
  mutable std::mutex mutex;
  std::vector<RecordedCommand> commands;
};

}  // namespace tolvane::testing
