#pragma once
// An IPhoneState that records every operation into an EventLog as
// "phone <Operation>" followed by its integer and text arguments, and keeps
// only the calls' ids and statuses (0 and -1 when there is none; the
// second call's status 0 unless set). The selected history entry, the browse
// step, the history's size and the cursor answer what the test set (0, kOk
// and empty texts unless set); every other getter answers 0 or an empty
// text.
#include <atomic>
#include <string>

#include "core/fakes/event_log.h"
#include "core/fakes/scripted_text.h"
#include "interfaces/i_phone_state.h"

namespace tolvane::testing {

class RecordingPhoneState final : public IPhoneState {
 public:
  explicit RecordingPhoneState(EventLog& log) : log_(log) {}
  virtual ~RecordingPhoneState() = default;

  std::atomic<int> currentCallId{0};
  std::atomic<int> currentCallStatus{-1};
  std::atomic<int> selectedType{0};
  std::atomic<int> selectedStatus{0};
  std::atomic<int> secondCallId{0};
  std::atomic<int> secondCallStatus{0};
  std::atomic<int> historyCount{0};
  std::atomic<int> historyHasDetails{0};
  std::atomic<Status> browseStepResult{kOk};
  std::atomic<int> browseStepCallId{0};
  std::atomic<Status> hasCursor{kOk};
  // The display name is empty for this many reads before it is known.
  std::atomic<int> displayNameMisses{0};
  std::string selectedDisplayName;  // set before the handset runs
  std::string selectedPartnerHandle;
  ScriptedText selectedHandleText;
  ScriptedText durationText;
  ScriptedText timestampText;

  Status GetHistoryCallId(int index, int* callId) override {
    log_.Add(std::string("phone GetHistoryCallId ") + std::to_string(index));
    *callId = 0;
    return kOk;
  }
  Status AddHistoryCall(int callId, int hasDetails) override {
    log_.Add(std::string("phone AddHistoryCall ") + std::to_string(callId) + " " + std::to_string(hasDetails));
    return kOk;
  }
  Status GetHistoryCount(int* count) override {
    log_.Add("phone GetHistoryCount");
    *count = historyCount.load();
    return kOk;
  }
  Status ClearHistory() override {
    log_.Add("phone ClearHistory");
    return kOk;
  }
  Status SetHistoryDisplayName(int callId, const char* text, int length) override {
    log_.Add(std::string("phone SetHistoryDisplayName ") + std::to_string(callId) + " " + Text(text) + " " + std::to_string(length));
    return kOk;
  }
  Status GetSelectedDisplayName(char* out) override {
    log_.Add("phone GetSelectedDisplayName");
    out[0] = '\0';
    if (selectedDisplayName.empty() || displayNameMisses.fetch_sub(1) > 0) return kFail;
    out[selectedDisplayName.copy(out, 254)] = '\0';
    return kOk;
  }
  Status ClearSelectionForMode() override {
    log_.Add("phone ClearSelectionForMode");
    return kOk;
  }
  Status SetHistoryExtraText(int callId, const char* text, int length) override {
    log_.Add(std::string("phone SetHistoryExtraText ") + std::to_string(callId) + " " + Text(text) + " " + std::to_string(length));
    return kOk;
  }
  Status GetCursorExtraText(char* out) override {
    log_.Add("phone GetCursorExtraText");
    out[0] = '\0';
    return kOk;
  }
  Status SetHistoryPartnerHandle(int callId, const char* text, int length) override {
    log_.Add(std::string("phone SetHistoryPartnerHandle ") + std::to_string(callId) + " " + Text(text) + " " + std::to_string(length));
    return kOk;
  }
  Status ReadSelectedHandleChar(char* out) override {
    log_.Add("phone ReadSelectedHandleChar");
    return selectedHandleText.ReadChar(out);
  }
  Status GetSelectedPartnerHandle(char* out) override {
    log_.Add("phone GetSelectedPartnerHandle");
    out[0] = '\0';
    out[selectedPartnerHandle.copy(out, 254)] = '\0';
    return selectedPartnerHandle.empty() ? kFail : kOk;
  }
  Status SetHistoryType(int callId, int type) override {
    log_.Add(std::string("phone SetHistoryType ") + std::to_string(callId) + " " + std::to_string(type));
    return kOk;
  }
  Status GetSelectedType(int* type) override {
    log_.Add("phone GetSelectedType");
    *type = selectedType.load();
    return kOk;
  }
  Status SetHistoryStatus(int callId, int status) override {
    log_.Add(std::string("phone SetHistoryStatus ") + std::to_string(callId) + " " + std::to_string(status));
    return kOk;
  }
  Status GetSelectedStatus(int* status) override {
    log_.Add("phone GetSelectedStatus");
    *status = selectedStatus.load();
    return kOk;
  }
  Status SetHistoryHasDetails(int callId, int flag) override {
    log_.Add(std::string("phone SetHistoryHasDetails ") + std::to_string(callId) + " " + std::to_string(flag));
    return kOk;
  }
  Status GetHistoryHasDetails(int callId, int* flag) override {
    log_.Add(std::string("phone GetHistoryHasDetails ") + std::to_string(callId));
    *flag = historyHasDetails.load();
    return kOk;
  }
  Status SetHistorySeen(int callId, int flag) override {
    log_.Add(std::string("phone SetHistorySeen ") + std::to_string(callId) + " " + std::to_string(flag));
    return kOk;
  }
  Status GetSelectedSeen(int* flag) override {
    log_.Add("phone GetSelectedSeen");
    *flag = 0;
    return kOk;
  }
  Status SetHistoryAux1(int callId, int value) override {
    log_.Add(std::string("phone SetHistoryAux1 ") + std::to_string(callId) + " " + std::to_string(value));
    return kOk;
  }
  Status GetCursorAux1(int* value) override {
    log_.Add("phone GetCursorAux1");
    *value = 0;
    return kOk;
  }
  Status SetHistoryAux2(int callId, int value) override {
    log_.Add(std::string("phone SetHistoryAux2 ") + std::to_string(callId) + " " + std::to_string(value));
    return kOk;
  }
  Status GetCursorAux2(int* value) override {
    log_.Add("phone GetCursorAux2");
    *value = 0;
    return kOk;
  }
  Status SetHistoryDuration(int callId, int seconds) override {
    log_.Add(std::string("phone SetHistoryDuration ") + std::to_string(callId) + " " + std::to_string(seconds));
    return kOk;
  }
  Status SetHistoryTimestamp(int callId, int time) override {
    log_.Add(std::string("phone SetHistoryTimestamp ") + std::to_string(callId) + " " + std::to_string(time));
    return kOk;
  }
  Status FormatSelectedTimes() override {
    log_.Add("phone FormatSelectedTimes");
    return kOk;
  }
  Status FormatClock() override {
    log_.Add("phone FormatClock");
    return kOk;
  }
  Status ReadTimestampTextChar(char* out) override {
    log_.Add("phone ReadTimestampTextChar");
    return timestampText.ReadChar(out);
  }
  Status ReadClockTextChar(char* out) override {
    log_.Add("phone ReadClockTextChar");
    out[0] = '\0';
    return kOk;
  }
  Status ReadDurationTextChar(char* out) override {
    log_.Add("phone ReadDurationTextChar");
    return durationText.ReadChar(out);
  }
  Status ResetBrowse() override {
    log_.Add("phone ResetBrowse");
    return kOk;
  }
  Status SetBrowseMode(int mode) override {
    log_.Add(std::string("phone SetBrowseMode ") + std::to_string(mode));
    return kOk;
  }
  Status RefreshSelected(int callId) override {
    log_.Add(std::string("phone RefreshSelected ") + std::to_string(callId));
    return kOk;
  }
  Status BrowseStep(int backward, int advance, int* callId) override {
    log_.Add(std::string("phone BrowseStep ") + std::to_string(backward) + " " + std::to_string(advance));
    *callId = browseStepCallId.load();
    return browseStepResult.load();
  }
  Status HasCursor() override {
    log_.Add("phone HasCursor");
    return hasCursor.load();
  }
  Status SetDurationText(unsigned int seconds) override {
    log_.Add(std::string("phone SetDurationText ") + std::to_string(seconds));
    return kOk;
  }
  Status SetCurrentCallId(int callId) override {
    log_.Add(std::string("phone SetCurrentCallId ") + std::to_string(callId));
    currentCallId.store(callId);
    return kOk;
  }
  Status GetCurrentCallId(int* callId) override {
    log_.Add("phone GetCurrentCallId");
    *callId = currentCallId.load();
    return kOk;
  }
  Status ResetCurrentCall() override {
    log_.Add("phone ResetCurrentCall");
    currentCallId.store(0);
    currentCallStatus.store(-1);
    return kOk;
  }
  Status SetCurrentCallStatus(int status) override {
    log_.Add(std::string("phone SetCurrentCallStatus ") + std::to_string(status));
    currentCallStatus.store(status);
    return kOk;
  }
  Status GetCurrentCallStatus(int* status) override {
    log_.Add("phone GetCurrentCallStatus");
    *status = currentCallStatus.load();
    return kOk;
  }
  Status SetCurrentDisplayName(const char* text, int length) override {
    log_.Add(std::string("phone SetCurrentDisplayName ") + Text(text) + " " + std::to_string(length));
    return kOk;
  }
  Status GetCurrentDisplayName(char* out) override {
    log_.Add("phone GetCurrentDisplayName");
    out[0] = '\0';
    return kOk;
  }
  Status SetCurrentExtraText(const char* text, int length) override {
    log_.Add(std::string("phone SetCurrentExtraText ") + Text(text) + " " + std::to_string(length));
    return kOk;
  }
  Status GetCurrentExtraText(char* out) override {
    log_.Add("phone GetCurrentExtraText");
    out[0] = '\0';
    return kOk;
  }
  Status SetCurrentPartnerHandle(const char* text, int length) override {
    log_.Add(std::string("phone SetCurrentPartnerHandle ") + Text(text) + " " + std::to_string(length));
    return kOk;
  }
  Status GetCurrentPartnerHandle(char* out) override {
    log_.Add("phone GetCurrentPartnerHandle");
    out[0] = '\0';
    return kOk;
  }
  Status SetCurrentCallType(int type) override {
    log_.Add(std::string("phone SetCurrentCallType ") + std::to_string(type));
    return kOk;
  }
  Status GetCurrentCallType(int* type) override {
    log_.Add("phone GetCurrentCallType");
    *type = 0;
    return kOk;
  }
  Status SetCurrentSeen(int flag) override {
    log_.Add(std::string("phone SetCurrentSeen ") + std::to_string(flag));
    return kOk;
  }
  Status GetCurrentSeen(int* flag) override {
    log_.Add("phone GetCurrentSeen");
    *flag = 0;
    return kOk;
  }
  Status CommitCurrentCall() override {
    log_.Add("phone CommitCurrentCall");
    return kOk;
  }
  Status SetCurrentTimestamp(int time) override {
    log_.Add(std::string("phone SetCurrentTimestamp ") + std::to_string(time));
    return kOk;
  }
  Status SetCurrentDuration(int seconds) override {
    log_.Add(std::string("phone SetCurrentDuration ") + std::to_string(seconds));
    return kOk;
  }
  Status GetCurrentDuration(int* seconds) override {
    log_.Add("phone GetCurrentDuration");
    *seconds = 0;
    return kOk;
  }
  Status SetSecondCallId(int callId) override {
    log_.Add(std::string("phone SetSecondCallId ") + std::to_string(callId));
    return kOk;
  }
  Status GetSecondCallId(int* callId) override {
    log_.Add("phone GetSecondCallId");
    *callId = secondCallId.load();
    return kOk;
  }
  Status ResetSecondCall() override {
    log_.Add("phone ResetSecondCall");
    return kOk;
  }
  Status PromoteSecondCall() override {
    log_.Add("phone PromoteSecondCall");
    return kOk;
  }
  Status SetSecondCallStatus(int status) override {
    log_.Add(std::string("phone SetSecondCallStatus ") + std::to_string(status));
    return kOk;
  }
  Status GetSecondCallStatus(int* status) override {
    log_.Add("phone GetSecondCallStatus");
    *status = secondCallStatus.load();
    return kOk;
  }
  Status SetSecondDisplayName(const char* text, int length) override {
    log_.Add(std::string("phone SetSecondDisplayName ") + Text(text) + " " + std::to_string(length));
    return kOk;
  }
  Status GetSecondDisplayName(char* out) override {
    log_.Add("phone GetSecondDisplayName");
    out[0] = '\0';
    return kOk;
  }
  Status SetSecondExtraText(const char* text, int length) override {
    log_.Add(std::string("phone SetSecondExtraText ") + Text(text) + " " + std::to_string(length));
    return kOk;
  }
  Status GetSecondExtraText(char* out) override {
    log_.Add("phone GetSecondExtraText");
    out[0] = '\0';
    return kOk;
  }
  Status SetSecondPartnerHandle(const char* text, int length) override {
    log_.Add(std::string("phone SetSecondPartnerHandle ") + Text(text) + " " + std::to_string(length));
    return kOk;
  }
  Status GetSecondPartnerHandle(char* out) override {
    log_.Add("phone GetSecondPartnerHandle");
    out[0] = '\0';
    return kOk;
  }
  Status SetSecondCallType(int type) override {
    log_.Add(std::string("phone SetSecondCallType ") + std::to_string(type));
    return kOk;
  }
  Status GetSecondCallType(int* type) override {
    log_.Add("phone GetSecondCallType");
    *type = 0;
    return kOk;
  }
  Status SetSecondSeen(int flag) override {
    log_.Add(std::string("phone SetSecondSeen ") + std::to_string(flag));
    return kOk;
  }
  Status GetSecondSeen(int* flag) override {
    log_.Add("phone GetSecondSeen");
    *flag = 0;
    return kOk;
  }
  Status CommitSecondCall() override {
    log_.Add("phone CommitSecondCall");
    return kOk;
  }
  Status SetSecondTimestamp(int time) override {
    log_.Add(std::string("phone SetSecondTimestamp ") + std::to_string(time));
    return kOk;
  }
  Status SetSecondDuration(int seconds) override {
    log_.Add(std::string("phone SetSecondDuration ") + std::to_string(seconds));
    return kOk;
  }
  Status GetSecondDuration(int* seconds) override {
    log_.Add("phone GetSecondDuration");
    *seconds = 0;
    return kOk;
  }
  Status CountUnseenMissedCalls(int* count) override {
    log_.Add("phone CountUnseenMissedCalls");
    *count = 0;
    return kOk;
  }
  Status HasHistoryCall(int callId) override {
    log_.Add(std::string("phone HasHistoryCall ") + std::to_string(callId));
    return kOk;
  }

 private:
  static std::string Text(const char* text) { return text == nullptr ? std::string("(null)") : std::string(text); }

  EventLog& log_;
};

}  // namespace tolvane::testing
