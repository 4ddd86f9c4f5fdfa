#pragma once
// The dispatcher wired to a real call store and recording fakes of
// everything else, for the dispatcher's tests. Handset and session effects
// are read back in order as log events: "code <n>", "cmd <line>",
// "queue <line>", "wait idle", "sleep <ms>", "history loaded <0|1>", ...
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "core/fakes/event_log.h"
#include "core/fakes/fake_client_windows.h"
#include "core/fakes/recording_contact_list.h"
#include "core/fakes/recording_handset.h"
#include "core/fakes/recording_session.h"
#include "core/fakes/recording_ports.h"
#include "core/fakes/recording_renderer.h"
#include "phone_state/phone_state.h"
#include "dispatcher/notification_dispatcher.h"

namespace tolvane::testing {

// What the call store holds for one history entry.
struct HistoryEntryView {
  int type = -1;
  int status = -1;
  int seen = 0;
  std::string handle;
  std::string name;
  std::string timestamp;  // as the handset is shown it
};

class DispatcherRig {
 public:
  EventLog log;
  RecordingSession session{log};
  RecordingHandset handset{log};
  PhoneState phone;
  RecordingContactList contacts{log};
  FakeClientWindows windows;
  RecordingDelay delay{log};
  RecordingRenderer renderer{log};
  NotificationDispatcher dispatcher{
      NotificationDispatcher::Ports{&session, &handset, &phone, &contacts, &windows, &delay}};

  DispatcherRig() {
    session.renderer.store(&renderer);
    handset.Settings().NotSupportedFont.store(1);  // kept negated: names are rendered
  }

  void Feed(std::initializer_list<std::string> lines) {
    for (const std::string& line : lines) dispatcher.HandleLine(line);
  }

  // Forget what has been logged so far: Effects() starts here.
  void Mark() { mark_ = log.All().size(); }

  // Handset and session effects since the mark, in order.
  EventLog::Events Effects() const {
    return Since({"code ", "cmd ", "queue ", "wait idle", "sleep ", "history loaded", "handset ready",
                  "request status", "tip", "status code "});
  }

  // Events since the mark that begin with any of the prefixes.
  EventLog::Events Since(std::initializer_list<std::string_view> prefixes) const {
    const EventLog::Events all = log.All();
    EventLog::Events kept;
    for (std::size_t i = mark_; i < all.size(); ++i) {
      for (std::string_view p : prefixes) {
        if (all[i].starts_with(p)) {
          kept.push_back(all[i]);
          break;
        }
      }
    }
    return kept;
  }

  void MakeCurrent(int id, int status) {
    phone.SetCurrentCallId(id);
    phone.SetCurrentCallStatus(status);
  }
  void MakeSecond(int id, int status) {
    phone.SetSecondCallId(id);
    phone.SetSecondCallStatus(status);
  }
  // A listed outgoing call, so that browsing dialled calls finds it.
  void AddHistory(int id, int status = -1) {
    phone.AddHistoryCall(id, 0);
    phone.SetHistoryType(id, 1);
    phone.SetHistoryStatus(id, status);
  }

  int CurrentId() {
    int v = 0;
    phone.GetCurrentCallId(&v);
    return v;
  }
  int CurrentStatus() {
    int v = 0;
    phone.GetCurrentCallStatus(&v);
    return v;
  }
  int CurrentType() {
    int v = 0;
    phone.GetCurrentCallType(&v);
    return v;
  }
  int SecondId() {
    int v = 0;
    phone.GetSecondCallId(&v);
    return v;
  }
  int SecondStatus() {
    int v = 0;
    phone.GetSecondCallStatus(&v);
    return v;
  }
  std::vector<int> HistoryIds() {
    int count = 0;
    phone.GetHistoryCount(&count);
    std::vector<int> ids;
    for (int i = 0; i < count; ++i) {
      int id = 0;
      phone.GetHistoryCallId(i, &id);
      ids.push_back(id);
    }
    return ids;
  }

  // Finds the entry by browsing each list in turn (it moves the browse
  // state, which no test looks at afterwards). Entries whose type is still
  // unknown are in no list and are not found.
  std::optional<HistoryEntryView> HistoryEntry(int id) {
    for (int mode = 0; mode <= 2; ++mode) {
      phone.ResetBrowse();
      phone.SetBrowseMode(mode);
      int previous = 0;
      for (int step = 0;; ++step) {
        int found = 0;
        if (phone.BrowseStep(0, step == 0 ? 0 : 1, &found) != kOk || (step > 0 && found == previous)) break;
        previous = found;
        if (found != id) continue;
        phone.RefreshSelected(id);
        HistoryEntryView view;
        phone.GetSelectedType(&view.type);
        phone.GetSelectedStatus(&view.status);
        phone.GetSelectedSeen(&view.seen);
        char text[kTextBufferSize] = {};
        if (phone.GetSelectedPartnerHandle(text) == kOk) view.handle = text;
        char name[kTextBufferSize] = {};
        if (phone.GetSelectedDisplayName(name) == kOk) view.name = name;
        for (char c = 0; phone.ReadTimestampTextChar(&c) == kOk && c != '\0';) view.timestamp += c;
        return view;
      }
    }
    return std::nullopt;
  }

 private:
  std::size_t mark_ = 0;
};

}  // namespace tolvane::testing
