#include "phone_state/phone_state.h"

namespace tolvane {

PhoneState::PhoneState() : PhoneState(SystemLocalClock()) {}

PhoneState::PhoneState(const LocalClock& localClock)
    : currentCall(std::make_unique<CallRecord>(0)),
      secondCall(std::make_unique<CallRecord>(0)),
      clock(localClock) {
  ResetBrowse();
}

PhoneState::~PhoneState() {
  std::lock_guard<std::recursive_mutex> hold(lock);
  historyById.clear();
  history.clear();
  currentCall.reset();
  secondCall.reset();
  timestampText.clear();
  durationText.clear();
  clockText.clear();
}

}  // namespace tolvane
