// The two live calls: CurrentCall and SecondCall.
#include "phone_state/phone_state.h"

namespace tolvane {

Status PhoneState::SetLiveInt(CallRecord& record, IntSetter setter, int value) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  (record.*setter)(value);
  return kOk;
}

Status PhoneState::GetLiveInt(const CallRecord& record, IntGetter getter, int* out) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (out == nullptr) return kFail;
  *out = (record.*getter)();
  return kOk;
}

Status PhoneState::SetLiveText(CallRecord& record, TextSetter setter, const char* text, int length) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  (record.*setter)(text, length);
  return kOk;
}

// An empty text copies nothing: callers clear their buffer before asking.
Status PhoneState::GetLiveText(const CallRecord& record, TextGetter getter, char* out) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (out == nullptr) return kFail;
  (record.*getter)().CopyTo(out);
  return kOk;
}

// --- CurrentCall -----------------------------------------------------------

Status PhoneState::SetCurrentCallId(int callId) {
  return SetLiveInt(*currentCall, &CallRecord::SetCallId, callId);
}

Status PhoneState::GetCurrentCallId(int* callId) {
  return GetLiveInt(*currentCall, &CallRecord::GetCallId, callId);
}

// hasDetails, aux1 and aux2 survive the reset: the next call starts with the
// flag the last one left.
Status PhoneState::ResetCurrentCall() {
  std::lock_guard<std::recursive_mutex> hold(lock);
  currentCall->ClearCall();
  currentCall->SetDuration(0);
  currentCall->SetTimestamp(0);
  return kOk;
}

Status PhoneState::SetCurrentCallStatus(int status) {
  return SetLiveInt(*currentCall, &CallRecord::SetStatus, status);
}

Status PhoneState::GetCurrentCallStatus(int* status) {
  return GetLiveInt(*currentCall, &CallRecord::GetStatus, status);
}

Status PhoneState::SetCurrentDisplayName(const char* text, int length) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  currentCall->SetDisplayName(text, length);
  currentCall->SetHasDetails(1);
  return kOk;
}

Status PhoneState::GetCurrentDisplayName(char* out) {
  return GetLiveText(*currentCall, &CallRecord::DisplayName, out);
}

Status PhoneState::SetCurrentExtraText(const char* text, int length) {
  return SetLiveText(*currentCall, &CallRecord::SetExtraText, text, length);
}

Status PhoneState::GetCurrentExtraText(char* out) {
  return GetLiveText(*currentCall, &CallRecord::ExtraText, out);
}

Status PhoneState::SetCurrentPartnerHandle(const char* text, int length) {
  return SetLiveText(*currentCall, &CallRecord::SetPartnerHandle, text, length);
}

Status PhoneState::GetCurrentPartnerHandle(char* out) {
  return GetLiveText(*currentCall, &CallRecord::PartnerHandle, out);
}

Status PhoneState::SetCurrentCallType(int type) {
  return SetLiveInt(*currentCall, &CallRecord::SetType, type);
}

Status PhoneState::GetCurrentCallType(int* type) {
  return GetLiveInt(*currentCall, &CallRecord::GetType, type);
}

Status PhoneState::SetCurrentSeen(int flag) {
  return SetLiveInt(*currentCall, &CallRecord::SetSeen, flag);
}

Status PhoneState::GetCurrentSeen(int* flag) {
  return GetLiveInt(*currentCall, &CallRecord::GetSeen, flag);
}

Status PhoneState::SetCurrentTimestamp(int time) {
  return SetLiveInt(*currentCall, &CallRecord::SetTimestamp, time);
}

// The running call's duration is also what the handset shows as it ticks.
Status PhoneState::SetCurrentDuration(int seconds) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  currentCall->SetDuration(seconds);
  return SetDurationText(static_cast<unsigned int>(seconds));
}

Status PhoneState::GetCurrentDuration(int* seconds) {
  return GetLiveInt(*currentCall, &CallRecord::GetDuration, seconds);
}

// --- SecondCall ------------------------------------------------------------

Status PhoneState::SetSecondCallId(int callId) {
  return SetLiveInt(*secondCall, &CallRecord::SetCallId, callId);
}

Status PhoneState::GetSecondCallId(int* callId) {
  return GetLiveInt(*secondCall, &CallRecord::GetCallId, callId);
}

// Duration and timestamp survive as well as hasDetails, aux1 and aux2.
Status PhoneState::ResetSecondCall() {
  std::lock_guard<std::recursive_mutex> hold(lock);
  secondCall->ClearCall();
  return kOk;
}

// The second call becomes the current one; the caller resets SecondCall.
Status PhoneState::PromoteSecondCall() {
  std::lock_guard<std::recursive_mutex> hold(lock);
  currentCall->TakeCallFrom(*secondCall);
  return kOk;
}

Status PhoneState::SetSecondCallStatus(int status) {
  return SetLiveInt(*secondCall, &CallRecord::SetStatus, status);
}

Status PhoneState::GetSecondCallStatus(int* status) {
  return GetLiveInt(*secondCall, &CallRecord::GetStatus, status);
}

Status PhoneState::SetSecondDisplayName(const char* text, int length) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  secondCall->SetDisplayName(text, length);
  secondCall->SetHasDetails(1);
  return kOk;
}

Status PhoneState::GetSecondDisplayName(char* out) {
  return GetLiveText(*secondCall, &CallRecord::DisplayName, out);
}

Status PhoneState::SetSecondExtraText(const char* text, int length) {
  return SetLiveText(*secondCall, &CallRecord::SetExtraText, text, length);
}

Status PhoneState::GetSecondExtraText(char* out) {
  return GetLiveText(*secondCall, &CallRecord::ExtraText, out);
}

Status PhoneState::SetSecondPartnerHandle(const char* text, int length) {
  return SetLiveText(*secondCall, &CallRecord::SetPartnerHandle, text, length);
}

Status PhoneState::GetSecondPartnerHandle(char* out) {
  return GetLiveText(*secondCall, &CallRecord::PartnerHandle, out);
}

Status PhoneState::SetSecondCallType(int type) {
  return SetLiveInt(*secondCall, &CallRecord::SetType, type);
}

Status PhoneState::GetSecondCallType(int* type) {
  return GetLiveInt(*secondCall, &CallRecord::GetType, type);
}

Status PhoneState::SetSecondSeen(int flag) {
  return SetLiveInt(*secondCall, &CallRecord::SetSeen, flag);
}

Status PhoneState::GetSecondSeen(int* flag) {
  return GetLiveInt(*secondCall, &CallRecord::GetSeen, flag);
}

Status PhoneState::SetSecondTimestamp(int time) {
  return SetLiveInt(*secondCall, &CallRecord::SetTimestamp, time);
}

// Unlike the current call's, no duration text is formatted.
Status PhoneState::SetSecondDuration(int seconds) {
  return SetLiveInt(*secondCall, &CallRecord::SetDuration, seconds);
}

Status PhoneState::GetSecondDuration(int* seconds) {
  return GetLiveInt(*secondCall, &CallRecord::GetDuration, seconds);
}

}  // namespace tolvane
