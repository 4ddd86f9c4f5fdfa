#pragma once
// The integer codes of call statuses, call types, online statuses and the
// connection status. The client speaks in words (protocol/status_words.h
// turns them into these codes); the stores keep the codes, and the session,
// the dispatcher and the handset act on them.
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
// Incoming P2P and incoming PSTN calls; the others are outgoing.
inline bool IsIncomingCallType(int typeCode) {
  return typeCode == kCallTypeIncomingP2P || typeCode == kCallTypeIncomingPstn;
}
inline bool IsOutgoingCallType(int typeCode) {
  return typeCode == kCallTypeOutgoingP2P || typeCode == kCallTypeOutgoingPstn;
}

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

}  // namespace tolvane
