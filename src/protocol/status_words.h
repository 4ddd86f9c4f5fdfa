#pragma once
// The integer codes into which the client's status words are turned. The
// codes, not the words, are what the call and contact stores keep.
#include <optional>
#include <string_view>

namespace tolvane {

// Status of a call record. 10-14, 16 and 19 are never produced.
enum CallStatus : int {
  kCallStatusNone = -1,  // a record before any status is known
  kCallStatusRouting = 0,
  kCallStatusRingingOut = 1,  // outgoing call ringing at the far end
  kCallStatusRingingIn = 2,   // incoming call ringing here
  kCallStatusInProgress = 3,
  kCallStatusFinished = 4,
  kCallStatusMissed = 5,
  kCallStatusFailed = 6,
  kCallStatusRefused = 7,
  kCallStatusBusy = 8,
  kCallStatusCancelled = 9,
  kCallStatusOnHold = 15,  // local and remote hold alike
  kCallStatusVmPlayingGreeting = 17,
  kCallStatusVmRecording = 18,
  kCallStatusVmSent = 20,
  kCallStatusVmCancelled = 21,
  kCallStatusVmRedirect = 22,
  kCallStatusEarlyMedia = 23,
};

enum CallType : int {
  kCallTypeNone = -1,
  kCallTypeIncomingP2P = 0,
  kCallTypeOutgoingP2P = 1,
  kCallTypeIncomingPstn = 2,
  kCallTypeOutgoingPstn = 3,
};

// Contact presence and the user's own status share their numbers; only a
// contact can be SKYPEOUT.
enum OnlineStatus : int {
  kOnlineStatusOnline = 0,
  kOnlineStatusOffline = 1,
  kOnlineStatusSkypeMe = 2,
  kOnlineStatusAway = 3,
  kOnlineStatusNotAvailable = 4,
  kOnlineStatusDoNotDisturb = 5,
  kOnlineStatusInvisible = 6,
  kOnlineStatusSkypeOut = 7,
};

enum ConnStatus : int {
  kConnStatusOffline = 0,
  kConnStatusConnecting = 1,
  kConnStatusOnline = 3,
  kConnStatusLoggedOut = 4,
};

// The code of a CALL id STATUS word, or nothing for a word the program does
// not know (such a line changes nothing). "RINGING" means the far end rings
// when the call was ROUTING (previousStatus 0) and a call ringing here
// otherwise.
std::optional<int> CallStatusCode(std::string_view word, int previousStatus);

// CALL id TYPE word; kCallTypeNone for an unknown word.
int CallTypeCode(std::string_view word);

// Incoming P2P and incoming PSTN calls; everything else counts as outgoing.
bool IsIncomingCallType(int typeCode);

// USER handle ONLINESTATUS word; an unknown word counts as offline.
int OnlineStatusCode(std::string_view word);

// USERSTATUS word; an unknown word (SKYPEOUT and LOGGEDOUT among them) counts
// as offline.
int UserStatusCode(std::string_view word);

// CONNSTATUS word; an unknown word counts as offline.
int ConnStatusCode(std::string_view word);

// CALL id SEEN value: 1 for "TRUE", 0 for anything else.
int SeenFlag(std::string_view word);

// ASCII comparison ignoring case. Only the PRIVILEGE reply is matched this
// way (its name and value); every other word must match exactly.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace tolvane
