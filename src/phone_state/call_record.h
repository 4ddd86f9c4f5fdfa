#pragma once
// One call as the store keeps it: a live call (current or second) or a
// history entry. Records live on the heap and belong to the PhoneState
// that holds them.
#include "interfaces/status_codes.h"
#include "phone_state/owned_text.h"

namespace tolvane {

class CallRecord {
 public:
  explicit CallRecord(int id) : callId(id) {}
  virtual ~CallRecord() = default;

  CallRecord(const CallRecord&) = delete;
  CallRecord& operator=(const CallRecord&) = delete;

  int GetTimestamp() const { return timestamp; }
  void SetTimestamp(int value) { timestamp = value; }
  int GetCallId() const { return callId; }
  void SetCallId(int value) { callId = value; }
  int GetType() const { return type; }
  void SetType(int value) { type = value; }
  int GetStatus() const { return status; }
  void SetStatus(int value) { status = value; }
  int GetAux1() const { return aux1; }
  void SetAux1(int value) { aux1 = value; }
  int GetAux2() const { return aux2; }
  void SetAux2(int value) { aux2 = value; }
  int GetDuration() const { return duration; }
  void SetDuration(int value) { duration = value; }
  int GetSeen() const { return seen; }
  void SetSeen(int value) { seen = value; }
  int GetHasDetails() const { return hasDetails; }
  void SetHasDetails(int value) { hasDetails = value; }

  // Texts: set from pointer and length counting the terminator (see
  // OwnedText::Set), read into a 255-byte caller buffer.
  const OwnedText& PartnerHandle() const { return partnerHandle; }
  void SetPartnerHandle(const char* text, int length) { partnerHandle.Set(text, length); }
  const OwnedText& ExtraText() const { return extraText; }
  void SetExtraText(const char* text, int length) { extraText.Set(text, length); }
  const OwnedText& DisplayName() const { return displayName; }
  void SetDisplayName(const char* text, int length) { displayName.Set(text, length); }

  // Makes the record say "no call": id 0, status and type unknown, seen,
  // no texts. Duration, timestamp, hasDetails and the spare values stay.
  void ClearCall();
  // Takes every field of a live call that travels with it when it moves
  // from one record to another; the spare values aux1 and aux2 stay.
  void TakeCallFrom(const CallRecord& other);
  // An incoming call (type 0 or 2) reported as missed (status 5) that the
  // user has not seen yet.
  bool IsUnseenMissed() const;

 private:
  int timestamp = 0;
  int callId;
  int type = -1;
  int status = -1;
  int aux1 = -1;
  int aux2 = 0;
  int duration = 0;
  int seen = 0;
  int hasDetails = 0;
  OwnedText partnerHandle;
  OwnedText extraText;
  OwnedText displayName;
};

}  // namespace tolvane
