#pragma once
// A SkypeLink wired to recording fakes that all write one EventLog, with a
// real HandsetControl around a recording library instance. The session
// reaches the handset through a pass-through that also logs the flags the
// session changes ("keys <0|1>", "accept any"). The handset sends
// its own commands (FOCUS) through a second transport logged as "direct", so
// that they stand apart from the session's queued lines ("send").
//
// Pauses are recorded ("sleep <ms>") and return at once, unless the rig is
// built with real time or with stretched pauses (recorded, then a hundred
// times their length in real time, so that a test can act during one for
// sure; shutdown still ends them at once). `settleBefore` lets a test hold a pause until a given
// event has been logged, which makes the order across the action thread and
// the outgoing worker deterministic.
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/fakes/event_log.h"
#include "core/fakes/fake_client_transport.h"
#include "core/fakes/recording_contact_list.h"
#include "core/fakes/recording_hid_ctrl.h"
#include "core/fakes/recording_phone_state.h"
#include "core/fakes/recording_ports.h"
#include "core/fakes/recording_renderer.h"
#include "core/fakes/refusing_thread_starter.h"
#include "handset/handset_control.h"
#include "session/skype_link.h"

namespace tolvane::testing {

enum class Pauses { kRecorded, kRealTime, kStretched };

class StretchedDelay final : public ActionDelay {
 public:
  explicit StretchedDelay(EventLog& log) : log_(log) {}
  bool Wait(std::chrono::milliseconds duration) override {
    log_.Add("sleep " + std::to_string(duration.count()));
    return real_.Wait(duration * 100);
  }
  void Cancel() override { real_.Cancel(); }

 private:
  EventLog& log_;
  SteadyActionDelay real_;
};

// The real handset as the session reaches it, logging the flags it changes.
class LoggedHandset final : public IHandsetControl {
 public:
  LoggedHandset(HandsetControl& handset, EventLog& log) : handset_(handset), log_(log) {}

  int OpenDevice() override { return handset_.OpenDevice(); }
  int StartDevice(WindowHandle window) override { return handset_.StartDevice(window); }
  int CloseDevice() override { return handset_.CloseDevice(); }
  int AbortStart() override { return handset_.AbortStart(); }
  int ClearReports() override { return handset_.ClearReports(); }
  int SendCode(std::uint8_t code) override { return handset_.SendCode(code); }
  std::uint32_t Mode() const override { return handset_.Mode(); }
  void SetMode(std::uint32_t mode) override { handset_.SetMode(mode); }
  void AddModeBits(std::uint32_t bits) override { handset_.AddModeBits(bits); }
  HandsetSettings& Settings() override { return handset_.Settings(); }
  bool IsConnected() const override { return handset_.IsConnected(); }
  void SetConnected(bool connected) override { handset_.SetConnected(connected); }
  void EnableKeys(bool enabled) override {
    log_.Add(enabled ? "keys 1" : "keys 0");
    handset_.EnableKeys(enabled);
  }
  void AcceptAnySequence() override {
    log_.Add("accept any");
    handset_.AcceptAnySequence();
  }
  int ExecuteKeyCommand(int code) override { return handset_.ExecuteKeyCommand(code); }
  bool WaitDisplayIdle() override { return handset_.WaitDisplayIdle(); }

 private:
  HandsetControl& handset_;
  EventLog& log_;
};

// What a test changes in the session before it starts.
struct SkypeLinkSetup {
  Pauses pauses = Pauses::kRecorded;
  std::vector<std::string> refusedThreads;  // roles whose first start is refused
  std::chrono::milliseconds watchTick{50};
};

inline SkypeLinkSetup WithPauses(Pauses pauses) {
  SkypeLinkSetup setup;
  setup.pauses = pauses;
  return setup;
}

struct SkypeLinkRig {
  explicit SkypeLinkRig(Pauses pauses = Pauses::kRecorded) : SkypeLinkRig(WithPauses(pauses)) {}
  explicit SkypeLinkRig(const SkypeLinkSetup& setup) {
    const Pauses pauses = setup.pauses;
    for (const std::string& role : setup.refusedThreads) threads.RefuseNext(role);
    delay.onWait = [this](std::chrono::milliseconds duration) {
      auto awaited = settleBefore.find(static_cast<int>(duration.count()));
      if (awaited != settleBefore.end()) log.WaitFor(awaited->second);
    };
    SkypeLink::Ports ports;
    ports.transport = &transport;
    ports.handset = &loggedHandset;
    ports.tray = &tray;
    ports.dialogs = &dialogs;
    ports.soundMapper = &soundMapper;
    ports.delay = pauses == Pauses::kRecorded    ? static_cast<ActionDelay*>(&delay)
                  : pauses == Pauses::kStretched ? &stretched
                                                 : nullptr;
    ports.threads = &threads;
    ports.watchTick = setup.watchTick;
    link = std::make_unique<SkypeLink>(ports);
    HandsetControl::Ports handsetPorts;
    handsetPorts.transport = &direct;
    handsetPorts.link = link.get();
    handset.SetPorts(handsetPorts);
  }

  ~SkypeLinkRig() { link.reset(); }  // every session thread ends before the fakes go

  void AttachStores() {
    link->SetPhoneState(&phone);
    link->SetContactList(&contacts);
  }

  // Ends the session's threads once the test has seen what it waited for.
  void Stop() { link->Shutdown(); }

  EventLog log;
  FakeClientTransport transport{log, "send"};
  FakeClientTransport direct{log, "direct"};
  RecordingHidCtrl hid{log};
  HandsetControl handset{std::make_unique<BorrowedHandsetLibrary>(&hid)};
  LoggedHandset loggedHandset{handset, log};
  RecordingTray tray{log};
  RecordingOptionDialogs dialogs{log};
  RecordingSoundMapper soundMapper{log};
  RecordingDelay delay{log};
  StretchedDelay stretched{log};
  RecordingPhoneState phone{log};
  RecordingContactList contacts{log};
  RecordingRenderer renderer{log};
  RefusingThreadStarter threads{log};
  // Pause length in ms -> event that must be logged before the pause ends.
  std::map<int, std::string> settleBefore;
  std::unique_ptr<SkypeLink> link;
};

}  // namespace tolvane::testing
