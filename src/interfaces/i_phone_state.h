#pragma once
// The call store as every other part of the program sees it: the current
// call, the second call, the call history and the handset's view of the
// selected history entry. The slot order is fixed: callers reach the store
// only through this table.
//
// Conventions of every operation:
// - Status kOk on success; kFail for "not found", "empty" or "at the end".
// - Values come back through pointer arguments.
// - Text arguments are a pointer and a length that counts the terminating
//   zero (string length + 1); a null pointer clears the text.
// - Text results are copied into a caller buffer of kTextBufferSize (255)
//   bytes; an empty stored text copies nothing, so callers clear first.
// - "By id" operations act on the first history entry with that call id and
//   return kFail, changing nothing, when there is none.
// - Call type codes: 0 incoming P2P, 1 outgoing P2P, 2 incoming PSTN,
//   3 outgoing PSTN, -1 unknown. Call status 5 is "missed".
// - Browse modes: 0 received calls, 1 dialled calls, 2 missed calls.
#include "common/status.h"

namespace tolvane {

class IPhoneState {
 public:
  virtual Status GetHistoryCallId(int index, int* callId) = 0;                          // 0
  virtual Status AddHistoryCall(int callId, int hasDetails) = 0;                        // 1
  virtual Status GetHistoryCount(int* count) = 0;                                       // 2
  virtual Status ClearHistory() = 0;                                                    // 3
  virtual Status SetHistoryDisplayName(int callId, const char* text, int length) = 0;   // 4
  virtual Status GetSelectedDisplayName(char* out) = 0;                                 // 5
  virtual Status ClearSelectionForMode() = 0;                                           // 6
  virtual Status SetHistoryExtraText(int callId, const char* text, int length) = 0;     // 7
  virtual Status GetCursorExtraText(char* out) = 0;                                     // 8
  virtual Status SetHistoryPartnerHandle(int callId, const char* text, int length) = 0; // 9
  virtual Status ReadSelectedHandleChar(char* out) = 0;                                 // 10
  virtual Status GetSelectedPartnerHandle(char* out) = 0;                               // 11
  virtual Status SetHistoryType(int callId, int type) = 0;                              // 12
  virtual Status GetSelectedType(int* type) = 0;                                        // 13
  virtual Status SetHistoryStatus(int callId, int status) = 0;                          // 14
  virtual Status GetSelectedStatus(int* status) = 0;                                    // 15
  virtual Status SetHistoryHasDetails(int callId, int flag) = 0;                        // 16
  virtual Status GetHistoryHasDetails(int callId, int* flag) = 0;                       // 17
  virtual Status SetHistorySeen(int callId, int flag) = 0;                              // 18
  virtual Status GetSelectedSeen(int* flag) = 0;                                        // 19
  virtual Status SetHistoryAux1(int callId, int value) = 0;                             // 20
  virtual Status GetCursorAux1(int* value) = 0;                                         // 21
  virtual Status SetHistoryAux2(int callId, int value) = 0;                             // 22
  virtual Status GetCursorAux2(int* value) = 0;                                         // 23
  virtual Status SetHistoryDuration(int callId, int seconds) = 0;                       // 24
  virtual Status SetHistoryTimestamp(int callId, int time) = 0;                         // 25
  virtual Status FormatSelectedTimes() = 0;                                             // 26
  virtual Status FormatClock() = 0;                                                     // 27
  virtual Status ReadTimestampTextChar(char* out) = 0;                                  // 28
  virtual Status ReadClockTextChar(char* out) = 0;                                      // 29
  virtual Status ReadDurationTextChar(char* out) = 0;                                   // 30
  virtual Status ResetBrowse() = 0;                                                     // 31
  virtual Status SetBrowseMode(int mode) = 0;                                           // 32
  virtual Status RefreshSelected(int callId) = 0;                                       // 33
  virtual Status BrowseStep(int backward, int advance, int* callId) = 0;                // 34
  virtual Status HasCursor() = 0;                                                       // 35
  virtual Status SetDurationText(unsigned int seconds) = 0;                             // 36
  virtual Status SetCurrentCallId(int callId) = 0;                                      // 37
  virtual Status GetCurrentCallId(int* callId) = 0;                                     // 38
  virtual Status ResetCurrentCall() = 0;                                                // 39
  virtual Status SetCurrentCallStatus(int status) = 0;                                  // 40
  virtual Status GetCurrentCallStatus(int* status) = 0;                                 // 41
  virtual Status SetCurrentDisplayName(const char* text, int length) = 0;               // 42
  virtual Status GetCurrentDisplayName(char* out) = 0;                                  // 43
  virtual Status SetCurrentExtraText(const char* text, int length) = 0;                 // 44
  virtual Status GetCurrentExtraText(char* out) = 0;                                    // 45
  virtual Status SetCurrentPartnerHandle(const char* text, int length) = 0;             // 46
  virtual Status GetCurrentPartnerHandle(char* out) = 0;                                // 47
  virtual Status SetCurrentCallType(int type) = 0;                                      // 48
  virtual Status GetCurrentCallType(int* type) = 0;                                     // 49
  virtual Status SetCurrentSeen(int flag) = 0;                                          // 50
  virtual Status GetCurrentSeen(int* flag) = 0;                                         // 51
  virtual Status CommitCurrentCall() = 0;                                               // 52
  virtual Status SetCurrentTimestamp(int time) = 0;                                     // 53
  virtual Status SetCurrentDuration(int seconds) = 0;                                   // 54
  virtual Status GetCurrentDuration(int* seconds) = 0;                                  // 55
  virtual Status SetSecondCallId(int callId) = 0;                                       // 56
  virtual Status GetSecondCallId(int* callId) = 0;                                      // 57
  virtual Status ResetSecondCall() = 0;                                                 // 58
  virtual Status PromoteSecondCall() = 0;                                               // 59
  virtual Status SetSecondCallStatus(int status) = 0;                                   // 60
  virtual Status GetSecondCallStatus(int* status) = 0;                                  // 61
  virtual Status SetSecondDisplayName(const char* text, int length) = 0;                // 62
  virtual Status GetSecondDisplayName(char* out) = 0;                                   // 63
  virtual Status SetSecondExtraText(const char* text, int length) = 0;                  // 64
  virtual Status GetSecondExtraText(char* out) = 0;                                     // 65
  virtual Status SetSecondPartnerHandle(const char* text, int length) = 0;              // 66
  virtual Status GetSecondPartnerHandle(char* out) = 0;                                 // 67
  virtual Status SetSecondCallType(int type) = 0;                                       // 68
  virtual Status GetSecondCallType(int* type) = 0;                                      // 69
  virtual Status SetSecondSeen(int flag) = 0;                                           // 70
  virtual Status GetSecondSeen(int* flag) = 0;                                          // 71
  virtual Status CommitSecondCall() = 0;                                                // 72
  virtual Status SetSecondTimestamp(int time) = 0;                                      // 73
  virtual Status SetSecondDuration(int seconds) = 0;                                    // 74
  virtual Status GetSecondDuration(int* seconds) = 0;                                   // 75
  virtual Status CountUnseenMissedCalls(int* count) = 0;                                // 76
  virtual Status HasHistoryCall(int callId) = 0;                                        // 77

 protected:
  // Not deleted through the interface: start-up owns the PhoneState itself,
  // whose virtual destructor follows these 78 slots.
  ~IPhoneState() = default;
};

}  // namespace tolvane
