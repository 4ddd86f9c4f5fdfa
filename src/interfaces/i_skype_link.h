#pragma once
// The session with the Skype client as every other part of the program sees
// it: the dispatcher, the handset, the contact list and the shell reach the
// session only through this interface. SkypeLink (session/skype_link.h) is
// the one implementation. Every operation may be called from any thread.
#include <string_view>

#include "common/abi.h"
#include "common/status.h"

namespace tolvane {

class DisplayRenderer;

// Session action codes for RunSessionAction.
enum SessionAction : int {
  kActionDiscover = 1,
  kActionSetUpSession = 2,
  kActionDetach = 6,
};

class ISkypeLink {
 public:
  virtual Status QueueNotification(const char* line) = 0;                   // 0
  virtual Status QueueCommand(const char* line) = 0;                        // 1
  virtual Status SendCommand(int kind, const char* user, int callId) = 0;   // 2
  virtual Status SaveSettings() = 0;                                        // 3
  virtual Status RestoreDefaultSettings() = 0;                              // 4
  virtual Status ReadSettings() = 0;                                        // 5
  virtual Status GetSkypeAudioDevices(char* in, char* out) = 0;             // 6
  virtual Status FillRingList(WindowHandle dialog, int controlId) = 0;      // 7
  virtual Status GetWindowTitle(char* out) = 0;                             // 8
  virtual Status GetIconNoHandset(char* out) = 0;                           // 9
  virtual Status GetIconNoSkype(char* out) = 0;                             // 10
  virtual Status GetIconActive(char* out) = 0;                              // 11
  virtual Status GetCustomerInfo(char* out) = 0;                            // 12
  virtual Status SetHandsetAttached(int value) = 0;                         // 13
  virtual Status RunSessionAction(int code) = 0;                            // 14
  virtual Status SetRenderer(DisplayRenderer* renderer) = 0;                // 15
  virtual Status ClearQueues() = 0;                                         // 16
  virtual Status UpdateStatusTip() = 0;                                     // 17
  virtual Status GetUserStatus(int* out) = 0;                               // 18
  virtual Status ShowMissedCalls(int flag) = 0;                             // 19
  virtual Status SendUserStatusCode(int status) = 0;                        // 20

  // Short command sequences: "GET USERSTATUS" then "GET CONNSTATUS"; the
  // handset-ready signal (codes 81 and, 25 ms later, 6). Each returns 1.
  virtual int RequestSkypeStatus() = 0;
  virtual int SignalHandsetReady() = 0;

  // Values the dispatcher keeps in the session for the rest of the program.
  // Whether the attached handset has a display.
  virtual bool HandsetAttached() const = 0;
  // Whether the client's call history has been loaded since the session
  // was set up; a call rings only once it has.
  virtual bool HistoryLoaded() const = 0;
  virtual void SetHistoryLoaded(bool loaded) = 0;
  // Takes one off the count of queued CONTACTS lines and returns what is
  // left (below 0 when more were handled than counted); a USERS reply resets
  // the count.
  virtual int TakePendingContact() = 0;
  virtual void ResetPendingContacts() = 0;
  virtual void SetUserStatus(int status) = 0;
  virtual void SetConnectionStatus(int status) = 0;
  // The client's audio devices as it last reported them.
  virtual void SetSkypeAudioIn(std::string_view text) = 0;
  virtual void SetSkypeAudioOut(std::string_view text) = 0;
  // Null until start-up has loaded the display-text library.
  virtual DisplayRenderer* Renderer() const = 0;

 protected:
  // Not deleted through the interface: the owner holds the SkypeLink itself.
  ~ISkypeLink() = default;
};

// String getters copy into caller buffers of at least this many bytes.
inline constexpr int kPathBufferSize = 260;

}  // namespace tolvane
