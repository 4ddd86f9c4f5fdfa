#pragma once
// The numbered commands that SendCommand builds. The numbers travel as one
// byte between objects, so they are fixed: 14 and 26 are unused gaps.
namespace tolvane {

enum CommandKind : int {
  kCmdProtocol = 1,               // "PROTOCOL 5"
  kCmdPing = 2,                   // "PING"
  kCmdSetAudioIn = 3,             // "SET AUDIO_IN %s " (handset device)
  kCmdSetAudioOut = 4,            // "SET AUDIO_OUT %s " (handset device)
  kCmdGetSkypeVersion = 5,        // "GET SKYPEVERSION"
  kCmdSearchFriends = 6,          // "SEARCH FRIENDS"
  kCmdGetUserOnlineStatus = 7,    // "GET USER %s ONLINESTATUS"
  kCmdGetCallPartnerHandle = 8,   // "GET CALL %d PARTNER_HANDLE"
  kCmdGetCallPartnerDispName = 9, // "GET CALL %d PARTNER_DISPNAME"
  kCmdGetUserFullName = 10,       // "GET USER %s FULLNAME"
  kCmdGetCallType = 11,           // "GET CALL %d TYPE"
  kCmdSearchCalls = 12,           // "SEARCH CALLS"
  kCmdGetCallTimestamp = 13,      // "GET CALL %d TIMESTAMP"
  kCmdGetUserDisplayName = 15,    // "GET USER %s DISPLAYNAME"
  kCmdName = 16,                  // "NAME %s" (application name)
  kCmdGetCallDuration = 17,       // "GET CALL %d DURATION"
  kCmdGetAudioIn = 18,            // "GET AUDIO_IN"
  kCmdGetAudioOut = 19,           // "GET AUDIO_OUT"
  kCmdHookOn = 20,                // "HOOK ON"
  kCmdGetCallStatus = 21,         // "GET CALL %d STATUS"
  kCmdGetCallSeen = 22,           // "GET CALL %d SEEN"
  kCmdGetPstnBalance = 23,        // "GET PROFILE PSTN_BALANCE"
  kCmdGetPrivilegeSkypeOut = 24,  // "GET PRIVILEGE SKYPEOUT"
  kCmdSearchMissedCalls = 25,     // "SEARCH MISSEDCALLS"
  kCmdResetAudioIn = 27,          // "SET AUDIO_IN"
  kCmdResetAudioOut = 28,         // "SET AUDIO_OUT"
  kCmdGetCurrentUserHandle = 29,  // "GET CURRENTUSERHANDLE"
  kCmdGetUserStatus = 30,         // "GET USERSTATUS"
  kCmdSetRinger = 31,             // "SET RINGER %s " (handset device)
  kCmdResetRinger = 32,           // "SET RINGER"
  kCmdGetConnStatus = 33,         // "GET CONNSTATUS"
};

}  // namespace tolvane
