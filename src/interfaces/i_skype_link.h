#pragma once
// The session object's interface as every other part of the program sees it.
// The slot order is fixed: callers reach the session only through it.
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
  virtual Status WaitDisplayIdle() = 0;                                     // 21

 protected:
  // Not deleted through the interface: the owner holds the SkypeLink itself.
  ~ISkypeLink() = default;
};

// String getters copy into caller buffers of at least this many bytes.
inline constexpr int kPathBufferSize = 260;

}  // namespace tolvane
