#pragma once
// The one call store of the program: the current call, the second call, the
// call history and the handset's view of the selected history entry. Every
// operation runs under one re-entrant lock, so the store can be used from the
// link's workers, the handset threads and the UI thread at once; operations
// that are built from other operations (commits, SetCurrentDuration,
// RefreshSelected) take the lock again on the same thread.
//
// The history is a deque of owned records (front = index 0) with a map from
// call id to record beside it: the history holds at most one record per call
// id (AddHistoryCall refuses a second), so the map answers the "first record
// with this id" lookups in constant time while the history is loaded detail
// by detail.
#include <array>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "common/bounded_text.h"
#include "phone_state/call_record.h"
#include "interfaces/i_phone_state.h"
#include "phone_state/local_clock.h"

namespace tolvane {

// Which history entries BrowseStep visits.
inline constexpr int kBrowseReceived = 0;
inline constexpr int kBrowseDialled = 1;
inline constexpr int kBrowseMissed = 2;

class PhoneState : public IPhoneState {
 public:
  PhoneState();
  // Times are shown in the calendar of this clock, which must outlive the store.
  explicit PhoneState(const LocalClock& clock);

  PhoneState(const PhoneState&) = delete;
  PhoneState& operator=(const PhoneState&) = delete;

  Status GetHistoryCallId(int index, int* callId) override;
  Status AddHistoryCall(int callId, int hasDetails) override;
  Status GetHistoryCount(int* count) override;
  Status ClearHistory() override;
  Status SetHistoryDisplayName(int callId, const char* text, int length) override;
  Status GetSelectedDisplayName(char* out) override;
  Status ClearSelectionForMode() override;
  Status SetHistoryExtraText(int callId, const char* text, int length) override;
  Status GetCursorExtraText(char* out) override;
  Status SetHistoryPartnerHandle(int callId, const char* text, int length) override;
  Status ReadSelectedHandleChar(char* out) override;
  Status GetSelectedPartnerHandle(char* out) override;
  Status SetHistoryType(int callId, int type) override;
  Status GetSelectedType(int* type) override;
  Status SetHistoryStatus(int callId, int status) override;
  Status GetSelectedStatus(int* status) override;
  Status SetHistoryHasDetails(int callId, int flag) override;
  Status GetHistoryHasDetails(int callId, int* flag) override;
  Status SetHistorySeen(int callId, int flag) override;
  Status GetSelectedSeen(int* flag) override;
  Status SetHistoryAux1(int callId, int value) override;
  Status GetCursorAux1(int* value) override;
  Status SetHistoryAux2(int callId, int value) override;
  Status GetCursorAux2(int* value) override;
  Status SetHistoryDuration(int callId, int seconds) override;
  Status SetHistoryTimestamp(int callId, int time) override;
  Status FormatSelectedTimes() override;
  Status FormatClock() override;
  Status ReadTimestampTextChar(char* out) override;
  Status ReadClockTextChar(char* out) override;
  Status ReadDurationTextChar(char* out) override;
  Status ResetBrowse() override;
  Status SetBrowseMode(int mode) override;
  Status RefreshSelected(int callId) override;
  Status BrowseStep(int backward, int advance, int* callId) override;
  Status HasCursor() override;
  Status SetDurationText(unsigned int seconds) override;
  Status SetCurrentCallId(int callId) override;
  Status GetCurrentCallId(int* callId) override;
  Status ResetCurrentCall() override;
  Status SetCurrentCallStatus(int status) override;
  Status GetCurrentCallStatus(int* status) override;
  Status SetCurrentDisplayName(const char* text, int length) override;
  Status GetCurrentDisplayName(char* out) override;
  Status SetCurrentExtraText(const char* text, int length) override;
  Status GetCurrentExtraText(char* out) override;
  Status SetCurrentPartnerHandle(const char* text, int length) override;
  Status GetCurrentPartnerHandle(char* out) override;
  Status SetCurrentCallType(int type) override;
  Status GetCurrentCallType(int* type) override;
  Status SetCurrentSeen(int flag) override;
  Status GetCurrentSeen(int* flag) override;
  Status CommitCurrentCall() override;
  Status SetCurrentTimestamp(int time) override;
  Status SetCurrentDuration(int seconds) override;
  Status GetCurrentDuration(int* seconds) override;
  Status SetSecondCallId(int callId) override;
  Status GetSecondCallId(int* callId) override;
  Status ResetSecondCall() override;
  Status PromoteSecondCall() override;
  Status SetSecondCallStatus(int status) override;
  Status GetSecondCallStatus(int* status) override;
  Status SetSecondDisplayName(const char* text, int length) override;
  Status GetSecondDisplayName(char* out) override;
  Status SetSecondExtraText(const char* text, int length) override;
  Status GetSecondExtraText(char* out) override;
  Status SetSecondPartnerHandle(const char* text, int length) override;
  Status GetSecondPartnerHandle(char* out) override;
  Status SetSecondCallType(int type) override;
  Status GetSecondCallType(int* type) override;
  Status SetSecondSeen(int flag) override;
  Status GetSecondSeen(int* flag) override;
  Status CommitSecondCall() override;
  Status SetSecondTimestamp(int time) override;
  Status SetSecondDuration(int seconds) override;
  Status GetSecondDuration(int* seconds) override;
  Status CountUnseenMissedCalls(int* count) override;
  Status HasHistoryCall(int callId) override;

  virtual ~PhoneState();

 private:
  using IntSetter = void (CallRecord::*)(int);
  using IntGetter = int (CallRecord::*)() const;
  using TextSetter = void (CallRecord::*)(const char*, int);
  using TextGetter = const OwnedText& (CallRecord::*)() const;

  // History (phone_state_history.cpp).
  CallRecord* FindById(int callId) const;
  Status SetIntById(int callId, IntSetter setter, int value);
  Status SetTextById(int callId, TextSetter setter, const char* text, int length);
  void CommitLive(const CallRecord& live, bool withDuration);

  // Live calls (phone_state_live.cpp).
  Status SetLiveInt(CallRecord& record, IntSetter setter, int value);
  Status GetLiveInt(const CallRecord& record, IntGetter getter, int* out);
  Status SetLiveText(CallRecord& record, TextSetter setter, const char* text, int length);
  Status GetLiveText(const CallRecord& record, TextGetter getter, char* out);

  // Browsing (phone_state_browse.cpp).
  const CallRecord* CursorEntry() const;
  bool MatchesBrowseMode(const CallRecord& record) const;
  void ClearViewTexts();

  int cursor = 0;
  int selectedIndex = -1;
  int timestampReadPos = 0;
  int durationReadPos = 0;
  int clockReadPos = 0;
  int viewType = -1;
  int viewStatus = -1;
  int viewSeen = 0;
  int viewHasDetails = 0;
  std::array<char, kTextBufferSize> viewPartnerHandle{};
  std::array<char, kTextBufferSize> viewDisplayName{};
  int handleReadPos = 0;
  int viewTimestamp = 0;
  int viewDuration = 0;
  std::string timestampText;
  std::string durationText;
  std::string clockText;
  int selectedCallId = 0;
  int browseMode = kBrowseReceived;
  std::unique_ptr<CallRecord> currentCall;
  std::unique_ptr<CallRecord> secondCall;
  std::deque<std::unique_ptr<CallRecord>> history;
  std::unordered_map<int, CallRecord*> historyById;
  // Kept in step by every change of a history entry's type, status or seen
  // flag, so that the missed-call notice costs nothing per notification.
  int unseenMissedCount = 0;
  const LocalClock& clock;
  mutable std::recursive_mutex lock;
};

}  // namespace tolvane
