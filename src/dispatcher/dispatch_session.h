#pragma once
// What the notification dispatcher reaches in the session: the commands it
// queues for the client, the session's hand-over with the handset display,
// and the values it keeps for the rest of the program (history loaded, the
// count of queued CONTACTS lines, the user's and the connection's status,
// the client's audio devices). SkypeLinkSession is the product's adapter;
// tests record into a fake.
//
// Every operation may be called from the dispatcher's worker and, through
// ShowMissedCalls, from the handset threads; implementations are
// thread-safe.
#include <string_view>

namespace tolvane {

class DisplayRenderer;

class DispatchSession {
 public:
  virtual ~DispatchSession() = default;

  // Builds the command of `kind` and queues it (user may be null).
  virtual void SendCommand(int kind, const char* user, int callId) = 0;
  // Queues a ready-made command line.
  virtual void QueueCommand(const char* line) = 0;
  virtual void UpdateStatusTip() = 0;
  // Stops the handset's screen streaming and returns once it has stopped.
  virtual void WaitDisplayIdle() = 0;
  // The handset's status icon for the user's own status.
  virtual void SendUserStatusCode(int status) = 0;
  // "GET USERSTATUS", then "GET CONNSTATUS".
  virtual void RequestSkypeStatus() = 0;
  // Tells the handset that the program is ready for it.
  virtual void SignalHandsetReady() = 0;

  virtual bool HandsetAttached() const = 0;
  virtual bool HistoryLoaded() const = 0;
  virtual void SetHistoryLoaded(bool loaded) = 0;
  // Takes one off the count of queued CONTACTS lines and returns what is
  // left (below 0 when more were handled than counted).
  virtual int TakePendingContact() = 0;
  virtual void ResetPendingContacts() = 0;
  virtual void SetUserStatus(int status) = 0;
  virtual int UserStatus() const = 0;
  virtual void SetConnectionStatus(int status) = 0;
  virtual void AppendSkypeAudioIn(std::string_view text) = 0;
  virtual void AppendSkypeAudioOut(std::string_view text) = 0;

  // Null until start-up has loaded the display-text library.
  virtual DisplayRenderer* Renderer() const = 0;
};

}  // namespace tolvane
