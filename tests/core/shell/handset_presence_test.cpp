// Following the handset: device notifications debounced into one check, the
// arrival and removal checks, suspend and resume, and starting the client.
// Every case is one sequence of events and the effects in order.
#include "shell/handset_presence.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/fakes/event_log.h"
#include "core/fakes/null_skype_link.h"
#include "core/fakes/recording_handset.h"
#include "core/fakes/recording_presence_ports.h"
#include "shell/skype_windows.h"

namespace tolvane::testing {
namespace {

using Events = EventLog::Events;
using Reply = HandsetPresence::Reply;

class PresenceSession final : public NullSkypeLink {
 public:
  explicit PresenceSession(EventLog& log) : log_(log) {}
  Status RunSessionAction(int code) override { return Log("action " + std::to_string(code)); }
  Status ClearQueues() override { return Log("clear queues"); }
  Status UpdateStatusTip() override { return Log("tip"); }

 private:
  Status Log(std::string event) {
    log_.Add(std::move(event));
    return kOk;
  }
  EventLog& log_;
};

struct Rig {
  explicit Rig(int versionClass = 4)
      : presence(std::make_unique<HandsetPresence>(fakes.Parts(&handset, &session, nullptr, versionClass))) {}
  EventLog log;
  RecordingHandset handset{log};
  PresenceSession session{log};
  PresenceFakes fakes{log};
  std::unique_ptr<HandsetPresence> presence;
};

struct PresenceCase {
  const char* name;
  int versionClass;
  std::function<void(Rig&)> prepare;
  std::function<std::vector<Reply>(HandsetPresence&)> act;
  std::vector<Reply> replies;
  Events effects;
};

using H = HandsetPresence;
const Reply kHandled = Reply::kHandled;
const Reply kDefault = Reply::kDefault;

void Unplugged(Rig& r) { r.handset.connected = false; }
void Plugged(Rig&) {}

// The effects of a suspend, and of a resume that finds the handset.
const Events kSuspended = {"connected 0", "mixers close", "disarm arrival", "disarm removal", "clear reports"};
const Events kResumed = {"open", "mixers open", "phone ResetCurrentCall", "phone ResetSecondCall",
                         "contacts ResetContactBrowse", "phone ResetBrowse", "action 1", "connected 1"};

Events Joined(std::initializer_list<Events> parts) {
  Events all;
  for (const Events& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const PresenceCase kCases[] = {
    {"a burst of arrivals arms one check", 4, Unplugged,
     [](H& p) {
       return std::vector<Reply>{p.OnDeviceChange(H::kDeviceArrival), p.OnDeviceChange(H::kDeviceArrival),
                                 p.OnDeviceChange(H::kDeviceArrival)};
     },
     {kHandled, kHandled, kHandled}, {"arm arrival 300"}},
    {"arrival check opens, starts and begins the session", 4, Unplugged,
     [](H& p) { return std::vector<Reply>{p.OnDeviceChange(H::kDeviceArrival), p.OnTimer(H::kArrivalTimer)}; },
     {kHandled, kHandled},
     {"arm arrival 300", "disarm arrival", "disarm removal", "open", "start", "mixers open",
      "contacts ResetContactBrowse", "phone ResetBrowse", "action 1", "connected 1", "tip"}},
    {"arrival check with auto-run and no client window starts the client", 4,
     [](Rig& r) {
       Unplugged(r);
       r.handset.settings.SupportAutoRunSkype = 1;
       r.fakes.launcher.registered = false;
     },
     [](H& p) { return std::vector<Reply>{p.OnTimer(H::kArrivalTimer)}; }, {kHandled},
     {"disarm arrival", "disarm removal", "open", "start", "mixers open", "contacts ResetContactBrowse",
      "phone ResetBrowse", "launch registered", "launch default", "action 1", "connected 1", "tip"}},
    {"arrival check with the client running starts nothing", 4,
     [](Rig& r) {
       Unplugged(r);
       r.handset.settings.SupportAutoRunSkype = 1;
       r.fakes.windows.Open(kSkypeMainWindowClass);
     },
     [](H& p) { return std::vector<Reply>{p.OnTimer(H::kArrivalTimer)}; }, {kHandled},
     {"disarm arrival", "disarm removal", "open", "start", "mixers open", "contacts ResetContactBrowse",
      "phone ResetBrowse", "action 1", "connected 1", "tip"}},
    {"arrival check while connected does nothing", 4, Plugged,
     [](H& p) { return std::vector<Reply>{p.OnTimer(H::kArrivalTimer)}; }, {kHandled},
     {"disarm arrival", "disarm removal"}},
    {"arrival check whose open fails lets the next event retry", 4,
     [](Rig& r) {
       Unplugged(r);
       r.handset.openResult = 0;
     },
     [](H& p) {
       return std::vector<Reply>{p.OnTimer(H::kArrivalTimer), p.OnDeviceChange(H::kDeviceArrival)};
     },
     {kDefault, kHandled}, {"disarm arrival", "disarm removal", "open", "arm arrival 300"}},
    {"arrival check whose start fails leaves the handset as it was", 4,
     [](Rig& r) {
       Unplugged(r);
       r.handset.startResult = 0;
     },
     [](H& p) { return std::vector<Reply>{p.OnTimer(H::kArrivalTimer)}; }, {kDefault},
     {"disarm arrival", "disarm removal", "open", "start"}},
    {"on class 3 an arrival before the sound device closes the handset again", 3,
     [](Rig& r) {
       Unplugged(r);
       r.fakes.mixers.present = 1;
     },
     [](H& p) { return std::vector<Reply>{p.OnTimer(H::kArrivalTimer)}; }, {kHandled},
     {"disarm arrival", "disarm removal", "open", "close", "mixers close", "wait idle", "connected 0", "tip",
      "sound mapper"}},
    {"on class 3 an arrival outranks a pending removal check and re-arms", 3, Unplugged,
     [](H& p) {
       return std::vector<Reply>{p.OnDeviceChange(H::kDeviceRemoveComplete), p.OnDeviceChange(H::kDeviceArrival),
                                 p.OnDeviceChange(H::kDeviceArrival)};
     },
     {kHandled, kHandled, kHandled},
     {"arm removal 300", "disarm removal", "arm arrival 300", "disarm removal", "arm arrival 300"}},
    {"on class 3 an arrival while connected is ignored", 3, Plugged,
     [](H& p) { return std::vector<Reply>{p.OnDeviceChange(H::kDeviceArrival)}; }, {kHandled}, {}},
    {"device nodes change while connected arms the removal check at 600 ms", 4, Plugged,
     [](H& p) {
       return std::vector<Reply>{p.OnDeviceChange(H::kDeviceNodesChanged), p.OnDeviceChange(H::kDeviceNodesChanged)};
     },
     {kHandled, kHandled}, {"arm removal 600"}},
    {"device nodes change without a handset is not ours", 4, Unplugged,
     [](H& p) { return std::vector<Reply>{p.OnDeviceChange(H::kDeviceNodesChanged)}; }, {kDefault}, {}},
    {"removal check with the handset still there changes nothing", 4, Plugged,
     [](H& p) {
       return std::vector<Reply>{p.OnDeviceChange(H::kDeviceRemoveComplete), p.OnTimer(H::kRemovalTimer)};
     },
     {kHandled, kHandled}, {"arm removal 300", "disarm removal", "open", "start", "connected 1"}},
    {"removal check with the handset gone hangs up and lets go", 4,
     [](Rig& r) { r.handset.openResult = 0; },
     [](H& p) { return std::vector<Reply>{p.OnTimer(H::kRemovalTimer)}; }, {kDefault},
     {"disarm removal", "open", "close", "key command 32", "mixers close", "clear queues", "action 6", "wait idle",
      "connected 0", "tip", "sound mapper"}},
    {"removal check without a handset does nothing", 4, Unplugged,
     [](H& p) { return std::vector<Reply>{p.OnTimer(H::kRemovalTimer)}; }, {kHandled}, {"disarm removal"}},
    {"suspend lets go of the handset and its reports", 4, Plugged,
     [](H& p) { return std::vector<Reply>{p.OnPowerBroadcast(4)}; }, {kDefault},
     {"connected 0", "mixers close", "disarm arrival", "disarm removal", "clear reports"}},
    {"resume with the handset takes it back and rediscovers", 4, Unplugged,
     [](H& p) { return std::vector<Reply>{p.OnPowerBroadcast(7)}; }, {kHandled},
     {"open", "mixers open", "phone ResetCurrentCall", "phone ResetSecondCall", "contacts ResetContactBrowse",
      "phone ResetBrowse", "action 1", "connected 1"}},
    {"resume without the handset detaches", 4,
     [](Rig& r) {
       Unplugged(r);
       r.handset.openResult = 0;
     },
     [](H& p) { return std::vector<Reply>{p.OnPowerBroadcast(6)}; }, {kDefault},
     {"open", "close", "mixers close", "clear queues", "action 6", "connected 0", "tip"}},
    {"each wake takes the handset back once, whichever resume announces it", 4, Plugged,
     [](H& p) {
       // A wake of its own (18 alone), a person's wake (18, then 7), and a
       // wake of an older system (7 alone).
       return std::vector<Reply>{p.OnPowerBroadcast(4), p.OnPowerBroadcast(18), p.OnPowerBroadcast(4),
                                 p.OnPowerBroadcast(18), p.OnPowerBroadcast(7), p.OnPowerBroadcast(4),
                                 p.OnPowerBroadcast(7), p.OnPowerBroadcast(7)};
     },
     {kDefault, kHandled, kDefault, kHandled, kDefault, kDefault, kHandled, kDefault},
     Joined({kSuspended, kResumed, kSuspended, kResumed, kSuspended, kResumed})},
    {"other power events are not ours", 4, Plugged,
     [](H& p) { return std::vector<Reply>{p.OnPowerBroadcast(3), p.OnPowerBroadcast(8)}; }, {kDefault, kDefault},
     {}},
    {"exit cancels a pending check", 4, Unplugged,
     [](H& p) {
       p.OnDeviceChange(H::kDeviceArrival);
       p.CancelChecks();
       return std::vector<Reply>{p.OnDeviceChange(H::kDeviceArrival)};
     },
     {kHandled}, {"arm arrival 300", "disarm arrival", "disarm removal", "arm arrival 300"}},
};

class PresenceTest : public ::testing::TestWithParam<PresenceCase> {};

TEST_P(PresenceTest, EventsAndEffects) {
  const PresenceCase& c = GetParam();
  Rig rig(c.versionClass);
  c.prepare(rig);
  EXPECT_EQ(c.act(*rig.presence), c.replies);
  EXPECT_EQ(rig.log.All(), c.effects);
}

INSTANTIATE_TEST_SUITE_P(Day, PresenceTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PresenceCase>& param) {
                           std::string name;
                           for (const char* ch = param.param.name; *ch != '\0'; ++ch) {
                             if (std::isalnum(static_cast<unsigned char>(*ch))) name += *ch;
                           }
                           return name;
                         });

}  // namespace
}  // namespace tolvane::testing
