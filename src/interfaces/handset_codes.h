#pragma once
// The handset's vocabulary: the one-byte codes sent to it with SendCode (the
// same numbers are the key codes of its reports), the key codes, and the
// codes of the display character stream.
#include <cstdint>

#include "interfaces/status_codes.h"

namespace tolvane {

// Codes sent to the handset.
enum HandsetCode : std::uint8_t {
  kCodeSignalReadyFollowUp = 6,
  kCodeShowBrowseEntry = 26,
  kCodeCallInProgress = 31,
  kCodeCallFinished = 32,
  kCodeCallOnHold = 35,
  kCodeKeyToneOn = 40,
  kCodeKeyToneOff = 41,
  kCodeMuteOff = 46,
  kCodeMuteOn = 47,
  kCodeHandleReady = 62,
  kCodeRenderedReady = 63,
  kCodeSignalReady = 81,
  // Own status icons 114-121, in the order of the own-status keys.
  kCodeStatusDnd = 114,
  kCodeStatusOnline = 115,
  kCodeStatusOffline = 116,
  kCodeStatusSkypeMe = 117,
  kCodeStatusAway = 118,
  kCodeStatusNotAvailable = 119,
  kCodeStatusInvisible = 120,
  kCodeStatusSkypeOut = 121,
  kCodeOutgoingPlaced = 152,
  kCodeRing = 158,
  kCodePromptShown = 159,
};

// The handset's own-status icon for a user status code (unknown: offline).
inline std::uint8_t UserStatusIconCode(int status) {
  switch (status) {
    case kOnlineStatusOnline: return kCodeStatusOnline;
    case kOnlineStatusSkypeMe: return kCodeStatusSkypeMe;
    case kOnlineStatusAway: return kCodeStatusAway;
    case kOnlineStatusNotAvailable: return kCodeStatusNotAvailable;
    case kOnlineStatusDoNotDisturb: return kCodeStatusDnd;
    case kOnlineStatusInvisible: return kCodeStatusInvisible;
    case kOnlineStatusSkypeOut: return kCodeStatusSkypeOut;
    default: return kCodeStatusOffline;
  }
}

// Key codes of the handset's reports.
enum HandsetKey : std::uint8_t {
  kKeyIgnored1 = 1,
  kKeyIgnored2 = 2,
  kKeyNone = 6,
  kKeyStopIndicator = 26,
  kKeyHookUp = 31,          // "KEY_PAD_HOOK_UP"
  kKeyHookDown = 32,        // "KEY_PAD_HOOK_DOWN"
  kKeyShowOwnStatus = 33,
  kKeyHold = 35,            // "KEY_PAD_ONHOLD"
  kKeyBalance = 43,
  kKeyCodeByte = 45,
  kKeyMuteOff = 46,
  kKeyMuteOn = 47,
  kKeySend = 49,            // "KEY_PAD_SEND"
  kKeyClear = 64,           // "KEY_PAD_CLEAR"
  kKeyBackspace = 65,
  kKeyIgnored66 = 66,
  kKeyIgnored67 = 67,
  kKeyFocus = 83,           // "FOCUS"
  kKeyCloseSkype = 84,      // "KEY_PAD_CLOSE_SKYPE"
  kKeyDisplayRequest = 90,
  kKeyBrowseContacts = 96,
  kKeyBrowsePrevious = 97,
  kKeyBrowseNext = 98,
  kKeyBrowseOnline = 106,   // contacts not off-line; received calls
  kKeyBrowseAll = 107,      // all contacts; dialled calls
  kKeyBrowseShowEntry = 108,
  kKeyBrowseMissed = 109,
  kKeyBrowseHistory = 110,
  kKeyBrowseLeave = 111,
  kKeyStatusFirst = 114,    // "KEY_PAD_DO_NOT_DISTURB" ... "KEY_PAD_SKYPEOUT"
  kKeyStatusLast = 121,
  kKeyIdentifyWithDisplay = 128,
  kKeyIdentifyWithoutDisplay = 129,
  kKeyDigitFirst = 176,     // "KEY_PAD_0" ... "KEY_PAD_9", "KEY_PAD_STAR", "KEY_PAD_POUND"
  kKeyDigitLast = 187,
  kKeyUp = 188,             // "KEY_PAD_UP"
  kKeyDown = 189,           // "KEY_PAD_DOWN"
  kKeyPlus = 190,           // "KEY_PAD_PLUS(+)"
  kKeyRight = 191,          // "KEY_PAD_RIGHT"
  kKeyVolumeUp = 233,
  kKeyVolumeDown = 234,
};

// A report with sequence number n is acknowledged with kAckBase + n and
// refused with kRefuseBase + n.
inline constexpr std::uint8_t kAckBase = 0x50;
inline constexpr std::uint8_t kRefuseBase = 0x20;

// The display character stream (SendDisplayChar code, parameter). Any code
// not listed is a text character.
inline constexpr int kDisplayBeginScreen = 0;
inline constexpr int kDisplayBeginParameter = 79;
inline constexpr int kDisplayFieldParameter = 10;
inline constexpr int kDisplayMarkAvailable = 106;
inline constexpr int kDisplayMarkUnavailable = 107;
inline constexpr int kDisplayMarkMissed = 109;
inline constexpr int kDisplayMarkNone = 0;  // a handle screen's entry of no known direction
inline constexpr int kDisplayFieldName = 112;
inline constexpr int kDisplayFieldTimestamp = 128;
inline constexpr int kDisplayFieldDuration = 129;
inline constexpr int kDisplayFieldCallDuration = 131;
inline constexpr int kDisplayEndScreen = 26;
// A text field's first character goes with 0, the next ones alternate.
inline constexpr int kDisplayFirstCharParameter = 0;
inline constexpr int kDisplayNextCharParameter = 5;

}  // namespace tolvane
