#pragma once
// The session as the dispatcher sees it: records into an EventLog and keeps
// the session's values in plain atomics. Commands are logged as the text the client would
// receive: "cmd <line>" for SendCommand, "queue <line>" for QueueCommand.
// Other calls: "tip", "status code <n>", "request status",
// "handset ready", "history loaded <0|1>".
#include <atomic>
#include <mutex>
#include <string>

#include "core/fakes/event_log.h"
#include "protocol/command_text.h"
#include "core/fakes/null_skype_link.h"

namespace tolvane::testing {

class RecordingSession final : public NullSkypeLink {
 public:
  explicit RecordingSession(EventLog& log) : log_(log) {}

  std::atomic<bool> attached{true};
  std::atomic<bool> historyLoaded{true};
  std::atomic<int> pendingContacts{0};
  std::atomic<int> userStatus{-1};
  std::atomic<int> connectionStatus{-1};
  std::atomic<DisplayRenderer*> renderer{nullptr};
  std::string appName = "Tolvane";

  std::string AudioIn() const {
    std::lock_guard<std::mutex> hold(lock_);
    return audioIn_;
  }
  std::string AudioOut() const {
    std::lock_guard<std::mutex> hold(lock_);
    return audioOut_;
  }

  Status SendCommand(int kind, const char* user, int callId) override {
    const std::string line = BuildCommandText(kind, user, callId, CommandInputs{appName, ""});
    if (!line.empty()) log_.Add("cmd " + line);
    return kOk;
  }
  Status QueueCommand(const char* line) override {
    log_.Add("queue " + std::string(line));
    return kOk;
  }
  Status UpdateStatusTip() override {
    log_.Add("tip");
    return kOk;
  }
  Status SendUserStatusCode(int status) override {
    log_.Add("status code " + std::to_string(status));
    return kOk;
  }
  Status GetUserStatus(int* out) override {
    *out = userStatus.load();
    return kOk;
  }
  int RequestSkypeStatus() override {
    log_.Add("request status");
    return 1;
  }
  int SignalHandsetReady() override {
    log_.Add("handset ready");
    return 1;
  }
  bool HandsetAttached() const override { return attached.load(); }
  bool HistoryLoaded() const override { return historyLoaded.load(); }
  void SetHistoryLoaded(bool loaded) override {
    historyLoaded.store(loaded);
    log_.Add(std::string("history loaded ") + (loaded ? "1" : "0"));
  }
  int TakePendingContact() override { return pendingContacts.fetch_sub(1) - 1; }
  void ResetPendingContacts() override { pendingContacts.store(0); }
  void SetUserStatus(int status) override { userStatus.store(status); }
  void SetConnectionStatus(int status) override { connectionStatus.store(status); }
  void SetSkypeAudioIn(std::string_view text) override {
    std::lock_guard<std::mutex> hold(lock_);
    audioIn_.assign(text);
  }
  void SetSkypeAudioOut(std::string_view text) override {
    std::lock_guard<std::mutex> hold(lock_);
    audioOut_.assign(text);
  }
  DisplayRenderer* Renderer() const override { return renderer.load(); }

 private:
  EventLog& log_;
  mutable std::mutex lock_;
  std::string audioIn_;
  std::string audioOut_;
};

}  // namespace tolvane::testing
