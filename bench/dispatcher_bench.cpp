// The dispatcher at scale, natively, against the real call and contact
// stores: loading a 10,000-call history (the CALLS reply and every detail
// reply of every call), and a 100,000-line burst of mixed notifications
// (contact presence and names, history details, whole live calls, status
// replies, focus changes and lines that are dropped). The handset, the
// session and the pauses are stand-ins that cost nothing, so the figures are
// the dispatcher's and the stores' own.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/fakes/null_skype_link.h"
#include "phone_state/contact_list.h"
#include "phone_state/phone_state.h"
#include "common/action_delay.h"
#include "interfaces/client_windows.h"
#include "interfaces/i_handset_control.h"
#include "dispatcher/notification_dispatcher.h"
#include "interfaces/i_skype_link.h"

namespace tolvane {
namespace {

constexpr int kHistoryCalls = 10000;
constexpr int kBurstLines = 100000;
constexpr int kContacts = 2000;

// Counts the commands the dispatcher and the contact store send.
class CountingSession final : public testing::NullSkypeLink {
 public:
  long commands = 0;
  Status SendCommand(int, const char*, int) override {
    ++commands;
    return kOk;
  }
  Status QueueCommand(const char*) override {
    ++commands;
    return kOk;
  }
  int RequestSkypeStatus() override {
    commands += 2;
    return 1;
  }
  bool HandsetAttached() const override { return true; }
  bool HistoryLoaded() const override { return historyLoaded_.load(); }
  void SetHistoryLoaded(bool loaded) override { historyLoaded_.store(loaded); }
  int TakePendingContact() override { return pending_.fetch_sub(1) - 1; }
  void ResetPendingContacts() override { pending_.store(0); }
  void SetUserStatus(int status) override { userStatus_.store(status); }

  // What the transport does for a queued CONTACTS line.
  void CountContactsLine() { pending_.fetch_add(1); }

 private:
  std::atomic<bool> historyLoaded_{false};
  std::atomic<int> pending_{0};
  std::atomic<int> userStatus_{-1};
};

// Counts the codes the handset is sent; everything else does nothing.
class CountingHandset final : public IHandsetControl {
 public:
  CountingHandset() {
    settings.NotSupportedFont.store(0);
    settings.SupportContactFocus.store(1);
  }
  long codes = 0;
  HandsetSettings settings;
  std::atomic<std::uint32_t> mode{0};
  int OpenDevice() override { return 1; }
  int StartDevice(WindowHandle) override { return 1; }
  int CloseDevice() override { return 1; }
  int AbortStart() override { return 1; }
  int ClearReports() override { return 1; }
  int SendCode(std::uint8_t) override {
    ++codes;
    return 1;
  }
  std::uint32_t Mode() const override { return mode.load(); }
  void SetMode(std::uint32_t value) override { mode.store(value); }
  void AddModeBits(std::uint32_t bits) override { mode.fetch_or(bits); }
  HandsetSettings& Settings() override { return settings; }
  bool IsConnected() const override { return true; }
  void SetConnected(bool) override {}
  void EnableKeys(bool) override {}
  void AcceptAnySequence() override {}
  int ExecuteKeyCommand(int) override { return 1; }
  bool WaitDisplayIdle() override { return true; }
};

class NoWindows final : public ClientWindowProbe {
 public:
  bool WindowExists(const char*) const override { return false; }
};

class NoPauses final : public ActionDelay {
 public:
  bool Wait(std::chrono::milliseconds) override { return true; }
  void Cancel() override {}
};


struct Rig {
  testing::NullSkypeLink link;
  CountingSession session;
  CountingHandset handset;
  PhoneState phone;
  ContactList contacts{link};
  NoWindows windows;
  NoPauses pauses;
  NotificationDispatcher dispatcher{
      NotificationDispatcher::Ports{&session, &handset, &phone, &contacts, &windows, &pauses}};

  void Feed(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      if (line.starts_with("CONTACTS")) session.CountContactsLine();
      dispatcher.HandleLine(line);
      dispatcher.CheckConfirmationWindow();
    }
  }
};

std::string Call(int id, std::string_view rest) { return "CALL " + std::to_string(id) + " " + std::string(rest); }

// The CALLS reply for ids 1..n, then the replies to its queries (type,
// status, seen) and to the details the handset asks for when the entry is
// shown (handle, name, duration, timestamp).
std::vector<std::string> HistoryLines(int calls) {
  std::vector<std::string> lines;
  std::string list = "CALLS ";
  for (int id = 1; id <= calls; ++id) list += std::to_string(id) + (id < calls ? ", " : "");
  lines.push_back(list);
  for (int id = 1; id <= calls; ++id) {
    lines.push_back(Call(id, id % 2 == 0 ? "TYPE INCOMING_P2P" : "TYPE OUTGOING_PSTN"));
    lines.push_back(Call(id, id % 5 == 0 ? "STATUS MISSED" : "STATUS FINISHED"));
    lines.push_back(Call(id, "SEEN TRUE"));
    lines.push_back(Call(id, "PARTNER_HANDLE user" + std::to_string(id % 997)));
    lines.push_back(Call(id, "PARTNER_DISPNAME User Number " + std::to_string(id % 997)));
    lines.push_back(Call(id, "DURATION " + std::to_string(id % 3600)));
    lines.push_back(Call(id, "TIMESTAMP " + std::to_string(1700000000 + id)));
  }
  return lines;
}

std::string Handle(int n) { return "contact" + std::to_string(n % kContacts); }

// One live incoming call from ring to commit: 9 lines.
void AppendLiveCall(std::vector<std::string>& lines, int id, bool answered) {
  lines.push_back(Call(id, "STATUS RINGING"));
  lines.push_back(Call(id, "PARTNER_DISPNAME Caller " + std::to_string(id)));
  lines.push_back(Call(id, answered ? "STATUS INPROGRESS" : "STATUS MISSED"));
  if (answered) lines.push_back(Call(id, "STATUS FINISHED"));
  lines.push_back(Call(id, "PARTNER_HANDLE caller"));
  lines.push_back(Call(id, "TYPE INCOMING_P2P"));
  lines.push_back(Call(id, "SEEN FALSE"));
  lines.push_back(Call(id, "DURATION 42"));
  lines.push_back(Call(id, "TIMESTAMP 1765000000"));
}

std::vector<std::string> BurstLines(int count) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(count) + 16);
  int nextCall = kHistoryCalls + 1;
  for (int n = 0; static_cast<int>(lines.size()) < count; ++n) {
    switch (n % 16) {
      case 0: lines.push_back("USER " + Handle(n) + " ONLINESTATUS " + (n % 3 == 0 ? "AWAY" : "ONLINE")); break;
      case 1: lines.push_back("USER " + Handle(n) + " DISPLAYNAME Friend " + std::to_string(n)); break;
      case 2: lines.push_back("USER " + Handle(n) + " ONLINESTATUS OFFLINE"); break;
      case 3: lines.push_back(Call(1 + n % kHistoryCalls, "SEEN TRUE")); break;
      case 4: lines.push_back(Call(1 + n % kHistoryCalls, "DURATION 17")); break;
      case 5: lines.push_back("CONNSTATUS ONLINE"); break;
      case 6: lines.push_back("CONTACTS FOCUSED " + Handle(n)); break;
      case 7: lines.push_back("ERROR 9901 internal error"); break;
      case 8: lines.push_back("USERSTATUS " + std::string(n % 2 == 0 ? "ONLINE" : "AWAY")); break;
      case 9: lines.push_back("MUTE " + std::string(n % 2 == 0 ? "ON" : "OFF")); break;
      case 10: lines.push_back("AUTOAWAY OFF"); break;
      case 11: lines.push_back("PROFILE PSTN_BALANCE " + std::to_string(n)); break;
      case 12: AppendLiveCall(lines, nextCall++, n % 32 != 12); break;
      case 13: lines.push_back("USER " + Handle(n) + " FULLNAME Full Name " + std::to_string(n)); break;
      case 14: lines.push_back(Call(1 + (n * 7) % kHistoryCalls, "TIMESTAMP 1765000001")); break;
      default: lines.push_back("CALL 999999 VIDEO_STATUS VIDEO_NONE"); break;
    }
  }
  lines.resize(static_cast<std::size_t>(count));
  return lines;
}

std::vector<std::string> ContactSetUp() {
  std::string users = "USERS ";
  for (int n = 0; n < kContacts; ++n) users += Handle(n) + (n + 1 < kContacts ? ", " : "");
  return {users};
}

void ReportLines(benchmark::State& state, std::size_t lines) {
  const auto processed = static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(lines);
  state.SetItemsProcessed(processed);
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["lines/s"] = benchmark::Counter(static_cast<double>(processed), benchmark::Counter::kIsRate);
}

void LoadHistory10k(benchmark::State& state) {
  const std::vector<std::string> lines = HistoryLines(kHistoryCalls);
  for (auto _ : state) {
    Rig rig;
    rig.Feed(lines);
    int count = 0;
    rig.phone.GetHistoryCount(&count);
    if (count != kHistoryCalls || !rig.session.HistoryLoaded()) state.SkipWithError("history not loaded");
    benchmark::DoNotOptimize(rig.session.commands);
  }
  ReportLines(state, lines.size());
}
BENCHMARK(LoadHistory10k)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void MixedBurst100k(benchmark::State& state) {
  const std::vector<std::string> history = HistoryLines(kHistoryCalls);
  const std::vector<std::string> contacts = ContactSetUp();
  const std::vector<std::string> burst = BurstLines(kBurstLines);
  for (auto _ : state) {
    state.PauseTiming();
    auto rig = std::make_unique<Rig>();
    rig->Feed(history);
    rig->Feed(contacts);
    state.ResumeTiming();
    rig->Feed(burst);
    benchmark::DoNotOptimize(rig->handset.codes);
    state.PauseTiming();
    rig.reset();
    state.ResumeTiming();
  }
  ReportLines(state, burst.size());
}
BENCHMARK(MixedBurst100k)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
}  // namespace tolvane

BENCHMARK_MAIN();
