#pragma once
// The notification dispatcher: what the program does with each line the
// Skype client sends. It keeps the call store and the contact store in step
// with the client, drives the handset (ring, call state, mute, caller and
// contact texts, the missed-call message) and sends the follow-up queries
// that fill in what a notification leaves open. The per-call part is a state
// machine over the current call, the second call and the call history.
//
// Threads: the session's incoming worker calls HandleLine, one line at a
// time in arrival order, CheckConfirmationWindow after every line, when the
// client's windows change and, while WatchesClientWindows says so, on a
// short tick; never on a timer while no call is under way. ShowMissedCalls is also called from the handset threads;
// it touches only the stores, the ports and atomic words. Everything else
// below is the worker's own.
//
// The fixed pauses order events on the handset (a ring after the hang-up
// code, a screen after the display has stopped); they go through the
// ActionDelay so that tests run them without waiting.
#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "common/status.h"
#include "protocol/line_tokens.h"
#include "interfaces/notification_handler.h"

namespace tolvane {

class ActionDelay;
class ClientWindowProbe;
class IHandsetControl;
class ISkypeLink;
class IContactList;
class IPhoneState;

class NotificationDispatcher final : public NotificationHandler {
 public:
  struct Ports {
    ISkypeLink* session = nullptr;          // required
    IHandsetControl* handset = nullptr;     // required
    IPhoneState* phoneState = nullptr;      // required
    IContactList* contactList = nullptr;    // required
    ClientWindowProbe* windows = nullptr;   // required
    ActionDelay* delay = nullptr;           // required; cancelling it cuts the pauses short
  };

  // Every port must outlive the dispatcher.
  explicit NotificationDispatcher(const Ports& ports);
  NotificationDispatcher(const NotificationDispatcher&) = delete;
  NotificationDispatcher& operator=(const NotificationDispatcher&) = delete;

  // NotificationHandler.
  void HandleLine(const std::string& line) override;
  void CheckConfirmationWindow() override;
  bool WatchesClientWindows() const override;
  void ShowMissedCalls(int refresh) override;

 private:
  // The protocol version the client reported (0 until it has).
  unsigned ProtocolVersion() const { return protocolVersion_.load(); }
  // The call the line is about, and the current call as it was when the line
  // was taken: every branch acts on these captured values.
  struct CallLine {
    std::string_view line;
    int id = 0;
    int currentId = 0;
    int currentStatus = -1;
    bool IsCurrent() const { return id == currentId; }
    bool HasCurrent() const { return currentId != 0; }
  };
  using FirstWordHandler = void (NotificationDispatcher::*)(std::string_view line);
  struct FirstWordEntry {
    std::string_view word;
    FirstWordHandler handle;
  };
  static const FirstWordEntry kFirstWords[];

  // First words (notification_dispatcher.cpp).
  void OnCall(std::string_view line);
  void OnProtocol(std::string_view line);
  void OnCallHistoryChanged(std::string_view line);
  void OnCalls(std::string_view line);
  void OnConnStatus(std::string_view line);
  void OnPrivilege(std::string_view line);
  void OnProfile(std::string_view line);
  void OnUserStatus(std::string_view line);
  void OnAutoAway(std::string_view line);
  void OnCurrentUserHandle(std::string_view line);
  void OnMute(std::string_view line);
  void OnAudioIn(std::string_view line);
  void OnAudioOut(std::string_view line);
  std::string FromSkypeText(std::string_view text) const;

  // Contacts (notification_dispatcher_contacts.cpp).
  void OnUsers(std::string_view line);
  void OnUser(std::string_view line);
  void OnContacts(std::string_view line);
  void SetContactName(const std::string& handle, const std::string& name);

  // CALL id STATUS word (notification_dispatcher_call_status.cpp).
  void OnCallStatus(const CallLine& call, int statusCode);
  void OnRouting(const CallLine& call);
  void OnRinging(const CallLine& call);
  void OnEarlyMedia(const CallLine& call);
  void OnInProgress(const CallLine& call);
  void OnHold(const CallLine& call);
  void OnFinished(const CallLine& call);
  void OnCallEnded(const CallLine& call, int statusCode);
  void OnVoicemail(const CallLine& call, int statusCode);

  // The other CALL properties (notification_dispatcher_call_details.cpp).
  void OnCallSeen(const CallLine& call);
  void OnCallPartnerHandle(const CallLine& call);
  void OnCallPartnerDisplayName(const CallLine& call);
  void OnCallType(const CallLine& call);
  void OnCallDuration(const CallLine& call);
  void OnCallTimestamp(const CallLine& call);
  // The store's setters of one property for the current call, the second
  // call and a history entry.
  struct NumberSetters;
  struct TextSetters;
  // Stores a value in the record the line addresses; true when that record
  // is a history entry.
  bool StoreNumber(const CallLine& call, const NumberSetters& set, int value);
  // Stores a partner text; for a live call it also becomes the shown text
  // and, while the caller is still to be shown, goes to the handset.
  void StoreCallerText(const CallLine& call, const TextSetters& set, const std::string& text,
                       Status (IContactList::*setShown)(const char*), std::uint32_t modeBit, std::uint8_t code);
  bool BeginClosingCall(int status);
  void EndClosingCall(int status);
  void CloseCurrentCall(int status, long timestamp);
  void CloseSecondCall(int status, long timestamp);

  // Handset display steps shared by the branches
  // (notification_dispatcher_display.cpp).
  void DisplayRequest(int callId);
  void EndRefresh(int callId);
  void HangUpIndication(int callId);
  void SendCallQueries(int callId, std::initializer_list<int> kinds);
  void ShowCaller(std::string_view text, std::uint32_t modeBit, std::uint8_t code);
  void ShowText(std::string_view text);
  void Pause(int milliseconds);
  void SendCode(std::uint8_t code);
  bool DisplayNamesShown() const;
  bool Browsing() const;
  bool DisplayBusy() const;
  int SecondCallId() const;
  int SecondCallStatus() const;

  ISkypeLink& session_;
  IHandsetControl& handset_;
  IPhoneState& phone_;
  IContactList& contacts_;
  ClientWindowProbe& windows_;
  ActionDelay& delay_;

  // The worker's own state.
  LineTokenizer tokens_;
  int lastListedCallId_ = 0;   // last id of the CALLS reply that rebuilt the history
  bool confirmPromptSeen_ = false;
  int lastCurrentCallId_ = 0;  // captured for the last line handled
  int lastCurrentCallStatus_ = -1;

  std::atomic<unsigned> protocolVersion_{0};
};

}  // namespace tolvane
