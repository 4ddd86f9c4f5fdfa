// The call history: adding entries, the by-id setters, commits of live calls
// and the counts.
#include "phone_state/phone_state.h"

namespace tolvane {

CallRecord* PhoneState::FindById(int callId) const {
  const auto found = historyById.find(callId);
  return found == historyById.end() ? nullptr : found->second;
}

Status PhoneState::GetHistoryCallId(int index, int* callId) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (callId == nullptr || index < 0 || static_cast<std::size_t>(index) >= history.size()) {
    return kFail;
  }
  *callId = history[static_cast<std::size_t>(index)]->GetCallId();
  return kOk;
}

Status PhoneState::AddHistoryCall(int callId, int hasDetails) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (CallRecord* present = FindById(callId)) {
    present->SetHasDetails(hasDetails);
    return kFail;
  }
  auto record = std::make_unique<CallRecord>(callId);
  record->SetHasDetails(hasDetails);
  historyById.emplace(callId, record.get());
  // Complete calls go to the front; entries of the client's call list keep
  // the client's order at the back until their details arrive.
  if (hasDetails != 0) {
    history.push_front(std::move(record));
  } else {
    history.push_back(std::move(record));
  }
  return kOk;
}

Status PhoneState::GetHistoryCount(int* count) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (count == nullptr) return kFail;
  *count = static_cast<int>(history.size());
  return kOk;
}

Status PhoneState::ClearHistory() {
  std::lock_guard<std::recursive_mutex> hold(lock);
  historyById.clear();
  history.clear();
  unseenMissedCount = 0;
  return kOk;
}

Status PhoneState::HasHistoryCall(int callId) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  return FindById(callId) != nullptr ? kOk : kFail;
}

Status PhoneState::CountUnseenMissedCalls(int* count) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (count == nullptr) return kFail;
  *count = unseenMissedCount;
  return kOk;
}

Status PhoneState::SetIntById(int callId, IntSetter setter, int value) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  CallRecord* record = FindById(callId);
  if (record == nullptr) return kFail;
  const bool wasCounted = record->IsUnseenMissed();
  (record->*setter)(value);
  unseenMissedCount += (record->IsUnseenMissed() ? 1 : 0) - (wasCounted ? 1 : 0);
  return kOk;
}

Status PhoneState::SetTextById(int callId, TextSetter setter, const char* text, int length) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  CallRecord* record = FindById(callId);
  if (record == nullptr) return kFail;
  (record->*setter)(text, length);
  return kOk;
}

Status PhoneState::SetHistoryDisplayName(int callId, const char* text, int length) {
  return SetTextById(callId, &CallRecord::SetDisplayName, text, length);
}

Status PhoneState::SetHistoryExtraText(int callId, const char* text, int length) {
  return SetTextById(callId, &CallRecord::SetExtraText, text, length);
}

Status PhoneState::SetHistoryPartnerHandle(int callId, const char* text, int length) {
  return SetTextById(callId, &CallRecord::SetPartnerHandle, text, length);
}

Status PhoneState::SetHistoryType(int callId, int type) {
  return SetIntById(callId, &CallRecord::SetType, type);
}

Status PhoneState::SetHistoryStatus(int callId, int status) {
  return SetIntById(callId, &CallRecord::SetStatus, status);
}

Status PhoneState::SetHistoryHasDetails(int callId, int flag) {
  return SetIntById(callId, &CallRecord::SetHasDetails, flag);
}

Status PhoneState::GetHistoryHasDetails(int callId, int* flag) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (flag == nullptr) return kFail;
  const CallRecord* record = FindById(callId);
  *flag = record != nullptr ? record->GetHasDetails() : 0;
  return kOk;
}

Status PhoneState::SetHistorySeen(int callId, int flag) {
  return SetIntById(callId, &CallRecord::SetSeen, flag);
}

Status PhoneState::SetHistoryAux1(int callId, int value) {
  return SetIntById(callId, &CallRecord::SetAux1, value);
}

Status PhoneState::SetHistoryAux2(int callId, int value) {
  return SetIntById(callId, &CallRecord::SetAux2, value);
}

Status PhoneState::SetHistoryDuration(int callId, int seconds) {
  return SetIntById(callId, &CallRecord::SetDuration, seconds);
}

Status PhoneState::SetHistoryTimestamp(int callId, int time) {
  return SetIntById(callId, &CallRecord::SetTimestamp, time);
}

void PhoneState::CommitLive(const CallRecord& live, bool withDuration) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  const int id = live.GetCallId();
  // An entry the client's call list already brought keeps its place and is
  // only marked complete; an unknown call goes to the front.
  AddHistoryCall(id, 1);
  SetHistoryStatus(id, live.GetStatus());
  SetHistoryType(id, live.GetType());
  SetHistorySeen(id, live.GetSeen());
  SetHistoryHasDetails(id, live.GetHasDetails());
  // Each text is stored with its terminator, so an empty one becomes a bare
  // terminator in the history.
  const auto storeText = [&](TextSetter setter, const OwnedText& text) {
    SetTextById(id, setter, text.CStr(), static_cast<int>(text.View().size()) + 1);
  };
  storeText(&CallRecord::SetDisplayName, live.DisplayName());
  storeText(&CallRecord::SetExtraText, live.ExtraText());
  storeText(&CallRecord::SetPartnerHandle, live.PartnerHandle());
  SetHistoryTimestamp(id, live.GetTimestamp());
  if (withDuration) SetHistoryDuration(id, live.GetDuration());
}

Status PhoneState::CommitCurrentCall() {
  std::lock_guard<std::recursive_mutex> hold(lock);
  CommitLive(*currentCall, true);
  return kOk;
}

// A second call's duration is not carried into the history: its entry keeps
// whatever duration it had (none for a new entry).
Status PhoneState::CommitSecondCall() {
  std::lock_guard<std::recursive_mutex> hold(lock);
  CommitLive(*secondCall, false);
  return kOk;
}

}  // namespace tolvane
