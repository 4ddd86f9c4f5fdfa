#pragma once
// The contact store as every other part of the program sees it: the user's
// Skype contacts (handle, display name, online status) in a display order
// where available contacts come first, sorted by name, plus the handset's
// browse selection, the handle shown for a caller or focused contact, the
// SkypeOut balance and the result of the last name lookup. The slot order is
// fixed: callers reach the store only through this table.
//
// Conventions of every operation:
// - Status kOk on success; kFail for "not found", "empty" or "at the end".
// - Values come back through pointer arguments.
// - Text results are copied into a caller buffer of kTextBufferSize (255)
//   bytes and always terminated; longer texts are cut.
// - Handles match without regard to case (by the store's case mapping).
// - Online status codes: 0 and 2-7 are available; 1 (offline) and anything
//   outside 0-7 are not.
#include <cstdint>

#include "common/status.h"

namespace tolvane {

class IContactList {
 public:
  // Appends an entry without looking for a duplicate handle.
  virtual Status AppendContact(const char* handle, int status) = 0;                       // 0
  // kOk when the handle is already listed (nothing changes); kFail when it
  // was added at the end of the entries and of the display order.
  virtual Status AddContact(const char* handle, int status) = 0;                          // 1
  virtual Status RemoveContact(const char* handle) = 0;                                   // 2
  virtual Status ClearContacts() = 0;                                                     // 3
  // kFail when the handle is not listed.
  virtual Status SetContactStatus(const char* handle, int status) = 0;                    // 4
  virtual Status GetSelectedContactStatus(int* status) = 0;                               // 5
  virtual Status ResetContactBrowse() = 0;                                                // 6
  virtual Status GetContactCount(int* count) = 0;                                         // 7
  // Copies the handle of the entry at index (entry sequence) into handleOut.
  virtual Status GetContactAt(int index, char* handleOut, int* status) = 0;               // 8
  virtual Status SetShownHandle(const char* text) = 0;                                    // 9
  // Next character of the shown handle; kFail (and back to the start) at the
  // end, kFail for an empty handle.
  virtual Status ReadShownHandleChar(char* out) = 0;                                      // 10
  virtual Status SetShownName(const char* text) = 0;                                      // 11
  virtual Status GetShownName(char* out) = 0;                                             // 12
  // Next character of the selected contact's handle; kFail (and back to the
  // start) at the end, kFail for an empty handle.
  virtual Status ReadSelectedContactHandleChar(char* out) = 0;                            // 13
  // 0: browsing visits available contacts only; 1: all contacts.
  virtual Status SetBrowseAllContacts(int flag) = 0;                                      // 14
  virtual Status GetSelectedContactHandle(char* out) = 0;                                 // 15
  virtual Status StepContact(int backward, int advanceFirst) = 0;                         // 16
  // Name bytes and their length (the length may count a terminator; reading
  // stops at the first zero byte within it). kFail when not listed.
  virtual Status SetContactName(const char* handle, const char* bytes, int length) = 0;   // 17
  virtual Status GetSelectedContactName(char* out) = 0;                                   // 18
  // Takes the client's "USERS a, b, c" reply: adds every handle not yet
  // listed as offline and queries its display name.
  virtual Status TakeUsersReply(const char* line) = 0;                                    // 19
  virtual Status MoveContactByStatus(int index, int status) = 0;                          // 20
  virtual Status MoveContactByName(int index) = 0;                                        // 21
  virtual Status MoveContactByHandle(int index) = 0;                                      // 22
  virtual Status SetSkypeOutBalance(std::int32_t value) = 0;                              // 23
  virtual Status GetSkypeOutBalance(std::int32_t* value) = 0;                             // 24
  // Clears out; copies the listed contact's name and remembers its status
  // for GetLookedUpStatus. An unlisted handle leaves out empty and the
  // remembered status as it was.
  virtual Status LookupContactName(const char* handle, char* out) = 0;                    // 25
  virtual Status GetLookedUpStatus(int* status) = 0;                                      // 26
  virtual ~IContactList() = default;                                                      // 27
};

}  // namespace tolvane
