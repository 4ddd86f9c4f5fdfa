#include "phone_state/call_record.h"

namespace tolvane {

void CallRecord::TakeCallFrom(const CallRecord& other) {
  callId = other.callId;
  status = other.status;
  type = other.type;
  seen = other.seen;
  hasDetails = other.hasDetails;
  partnerHandle = other.partnerHandle;
  extraText = other.extraText;
  displayName = other.displayName;
  duration = other.duration;
  timestamp = other.timestamp;
}

void CallRecord::ClearCall() {
  callId = 0;
  status = -1;
  type = -1;
  seen = 1;
  partnerHandle.Clear();
  extraText.Clear();
  displayName.Clear();
}

bool CallRecord::IsUnseenMissed() const {
  return IsIncomingCallType(type) && status == kCallStatusMissed && seen == 0;
}

}  // namespace tolvane
