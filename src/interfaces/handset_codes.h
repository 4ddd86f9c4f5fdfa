#pragma once
// The one-byte codes sent to the handset with HandsetControl::SendCode. The
// same numbers are the key codes of the handset's reports.
#include <cstdint>

namespace tolvane {

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
  kCodeStatusDnd = 114,  // 114-121: own status icons, in the order of the status words
  kCodeStatusSkypeOut = 121,
  kCodeOutgoingPlaced = 152,
  kCodeRing = 158,
  kCodePromptShown = 159,
};

// Key codes of handset reports that the report thread treats specially.
enum HandsetKey : std::uint8_t {
  kKeyStopIndicator = 26,
  kKeyHookUp = 31,
  kKeyHookDown = 32,
  kKeyFocus = 83,
  kKeyDisplayRequest = 90,
  kKeyIdentifyWithDisplay = 128,
  kKeyIdentifyWithoutDisplay = 129,
};

// A report with sequence number n is acknowledged with kAckBase + n and
// refused with kRefuseBase + n.
inline constexpr std::uint8_t kAckBase = 0x50;
inline constexpr std::uint8_t kRefuseBase = 0x20;

}  // namespace tolvane
