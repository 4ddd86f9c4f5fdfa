#pragma once
// The session with the Skype client: the two line queues and their workers,
// the session actions (discover, set up the attached session, detach), the
// status tooltip, and the settings texts and status values that other parts
// read through it. There is one SkypeLink per process.
//
// Lifetime rules:
// - Construction starts both workers. The transport, the handset and the
//   optional ports given at construction must outlive the SkypeLink.
// - A worker runs until Shutdown(). One that could not be started (no thread
//   could be created) is started again by the next line queued for it; an
//   incoming worker started again that way also rediscovers the client.
// - The outgoing worker drops a line the client refuses, or does not answer
//   in time, and goes on with the lines behind it.
// - The phone state, the contact list, the renderer and the notification
//   handler are created after the SkypeLink and attached through their
//   setters. Until attached, the steps that need them are skipped. Once
//   attached, each must stay alive until Shutdown() has returned (the
//   destructor calls it); start-up calls Shutdown() before it destroys any of
//   them.
// - Shutdown() stops and joins both workers and every session action thread
//   (pauses inside actions end at once, the rest of such an action is
//   abandoned). After it, queued lines and new actions are dropped.
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/action_delay.h"
#include "common/thread_starter.h"
#include "session/line_queue.h"
#include "interfaces/i_skype_link.h"

namespace tolvane {

class ClientTransport;
class IHandsetControl;
class IContactList;
class IPhoneState;
class NotificationHandler;
class OptionDialogs;
class DialogList;
class SettingsStore;
class SoundMapper;
class TrayStatus;

class SkypeLink : public ISkypeLink {
 public:
  struct Ports {
    ClientTransport* transport = nullptr;  // required
    IHandsetControl* handset = nullptr;    // required
    TrayStatus* tray = nullptr;            // null: no tray icon to update
    OptionDialogs* dialogs = nullptr;      // null: no dialogs to close
    SoundMapper* soundMapper = nullptr;    // null: Windows devices are left alone
    ActionDelay* delay = nullptr;          // null: real time
    ThreadStarter* threads = nullptr;      // null: std::thread
    // How often the incoming worker looks for the client's confirmation
    // window while the handler says a call is under way.
    std::chrono::milliseconds watchTick{50};
  };

  explicit SkypeLink(const Ports& ports);
  SkypeLink(const SkypeLink&) = delete;
  SkypeLink& operator=(const SkypeLink&) = delete;
  virtual ~SkypeLink();  // slot 22

  // ISkypeLink.
  Status QueueNotification(const char* line) override;
  Status QueueCommand(const char* line) override;
  Status SendCommand(int kind, const char* user, int callId) override;
  Status SaveSettings() override;
  Status RestoreDefaultSettings() override;
  Status ReadSettings() override;
  Status GetSkypeAudioDevices(char* in, char* out) override;
  Status FillRingList(WindowHandle dialog, int controlId) override;
  Status GetWindowTitle(char* out) override;
  Status GetIconNoHandset(char* out) override;
  Status GetIconNoSkype(char* out) override;
  Status GetIconActive(char* out) override;
  Status GetCustomerInfo(char* out) override;
  Status SetHandsetAttached(int value) override;
  Status RunSessionAction(int code) override;
  Status SetRenderer(DisplayRenderer* renderer) override;
  Status ClearQueues() override;
  Status UpdateStatusTip() override;
  Status GetUserStatus(int* out) override;
  Status ShowMissedCalls(int flag) override;
  Status SendUserStatusCode(int status) override;
  int RequestSkypeStatus() override;   // "GET USERSTATUS", then "GET CONNSTATUS"
  int SignalHandsetReady() override;   // codes 81 and, 25 ms later, 6
  bool HandsetAttached() const override { return handsetAttached_.load() != 0; }
  bool HistoryLoaded() const override { return historyLoaded_.load(); }
  void SetHistoryLoaded(bool loaded) override { historyLoaded_.store(loaded); }
  int TakePendingContact() override { return pendingContactsCount_.fetch_sub(1) - 1; }
  void ResetPendingContacts() override { pendingContactsCount_.store(0); }
  void SetUserStatus(int status) override { userStatus_.store(status); }
  void SetConnectionStatus(int status) override { connectionStatus_.store(status); }
  void SetSkypeAudioIn(std::string_view text) override;
  void SetSkypeAudioOut(std::string_view text) override;
  DisplayRenderer* Renderer() const override { return renderer_.load(); }

  // Stops and joins every thread of the session; idempotent.
  void Shutdown();

  // Attached after construction (see the lifetime rules above).
  void SetPhoneState(IPhoneState* phoneState);
  void SetContactList(IContactList* contactList);
  void SetNotificationHandler(NotificationHandler* handler);

  // The configuration file and the list control the ring names go into,
  // attached by start-up before ReadSettings. Without a store the settings
  // operations change nothing; without a list FillRingList fills nothing.
  void SetConfigurationPorts(SettingsStore* store, DialogList* ringList);

  // Texts filled by the configuration.
  void SetAppName(std::string_view name);
  std::string AppName() const;
  void SetWindowTitle(std::string_view title);
  void SetIconNoAny(std::string_view path);
  void SetIconNoHandset(std::string_view path);
  void SetIconNoSkype(std::string_view path);
  void SetIconActive(std::string_view path);
  void SetCustomerInfo(std::string_view text);

  // The handset's audio device as the mixer found it (empty: none); the
  // set-up of the attached session points the client's devices at it.
  void SetHandsetAudioDeviceName(std::string_view name);

  // The client's windows have changed (a window was created or shown): the
  // incoming worker looks for the confirmation window once more, even while
  // nothing else is under way. Any thread; returns at once.
  void ClientWindowsChanged();

 private:
  struct ActionThread {
    std::thread thread;
    std::atomic<bool> finished{false};
  };

  // Workers (skype_link.cpp).
  bool StartIncomingWorkerLocked();
  bool StartOutgoingWorkerLocked();
  bool RestartIncomingWorker();
  void RestartOutgoingWorker();
  void IncomingWorker();
  void OutgoingWorker();
  void ResetCallsAfterRestart();
  void AnnounceProtocol();  // "PROTOCOL 5"

  // Session actions (skype_link_actions.cpp).
  void RunAction(int code);
  void Discover();
  void SetUpAttachedSession();
  void CloseCallInProgress(IPhoneState& phone);
  void Detach();
  void ReapFinishedActionsLocked();
  void JoinActions();

  // Texts (skype_link_status.cpp).
  std::string HandsetDeviceForClient() const;
  Status CopyStored(const std::string& text, char* out) const;

  ClientTransport& transport_;
  IHandsetControl& handset_;
  TrayStatus* const tray_;
  OptionDialogs* const dialogs_;
  SoundMapper* const soundMapper_;
  std::unique_ptr<SteadyActionDelay> ownDelay_;
  ActionDelay& delay_;
  ThreadStarter& threads_;
  const std::chrono::milliseconds watchTick_;

  std::atomic<IPhoneState*> phoneState_{nullptr};
  std::atomic<IContactList*> contactList_{nullptr};
  std::atomic<NotificationHandler*> handler_{nullptr};
  std::atomic<DisplayRenderer*> renderer_{nullptr};

  LineQueue incomingQueue_;
  LineQueue outgoingQueue_;
  std::atomic<int> pendingContactsCount_{0};
  std::atomic<bool> incomingRunning_{false};
  std::atomic<bool> outgoingRunning_{false};
  std::atomic<int> handsetAttached_{0};
  std::atomic<bool> historyLoaded_{false};
  std::atomic<int> userStatus_{-1};
  std::atomic<int> connectionStatus_{-1};
  // Held from reading the statuses to the tray's icon change, so that the
  // tooltip and icon shown are always one pair, and the latest.
  std::mutex statusTipLock_;

  // Guards the worker thread objects and stopping_ against a concurrent
  // restart and shutdown.
  std::mutex workerLock_;
  std::thread incomingThread_;
  std::thread outgoingThread_;
  bool stopping_ = false;

  // Guards the action thread list; an action thread may itself request an
  // action, so the list is never held while one is joined.
  std::mutex actionLock_;
  std::vector<std::unique_ptr<ActionThread>> actions_;
  bool actionsClosed_ = false;

  std::atomic<SettingsStore*> settingsStore_{nullptr};
  std::atomic<DialogList*> ringList_{nullptr};

  // Guards every text below.
  mutable std::mutex textLock_;
  std::string appName_;
  std::string windowTitle_;
  std::string iconNoAny_;
  std::string iconNoHandset_;
  std::string iconNoSkype_;
  std::string iconActive_;
  std::string customerInfo_;
  std::string skypeAudioIn_;
  std::string skypeAudioOut_;
  std::string handsetAudioDeviceName_;
};

}  // namespace tolvane
