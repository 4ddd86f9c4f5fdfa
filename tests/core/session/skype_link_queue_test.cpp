// How lines travel through the session: commands to the client in order,
// refused lines dropped without holding up the rest, notifications to the
// dispatcher one at a time, the confirmation watch that sleeps while idle,
// the CONTACTS count, and workers and actions whose thread could not be
// created.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/fakes/skype_link_rig.h"
#include "protocol/command_kind.h"
#include "interfaces/notification_handler.h"

namespace tolvane {
namespace {

using testing::EventLog;
using testing::Eventually;
using testing::SkypeLinkRig;
using testing::SkypeLinkSetup;
using Lines = std::vector<std::string>;

// A dispatcher stand-in: "line <text>" per line, "check" per confirmation-
// window check, "missed <n>" per missed-call request. It says a call is
// under way while told so. Optionally holds the worker inside one line
// until released.
class RecordingHandler final : public NotificationHandler {
 public:
  explicit RecordingHandler(EventLog& log) : log_(log) {}

  void HoldOn(std::string line) { holdOn_ = std::move(line); }
  void Release() {
    {
      std::lock_guard<std::mutex> hold(lock_);
      released_ = true;
    }
    releasedCv_.notify_all();
  }

  void HandleLine(const std::string& line) override {
    log_.Add("line " + line);
    if (line == holdOn_) {
      std::unique_lock<std::mutex> hold(lock_);
      releasedCv_.wait_for(hold, EventLog::kDeadline, [this] { return released_; });
      log_.Add("done " + line);
    }
  }
  void CheckConfirmationWindow() override { log_.Add("check"); }
  bool WatchesClientWindows() const override { return watching.load(); }
  void ShowMissedCalls(int refresh) override { log_.Add("missed " + std::to_string(refresh)); }

  std::atomic<bool> watching{false};

 private:
  EventLog& log_;
  std::string holdOn_ = "\x01never";
  std::mutex lock_;
  std::condition_variable releasedCv_;
  bool released_ = false;
};

// ---- Outgoing -------------------------------------------------------------

TEST(SkypeLinkOutgoingTest, CommandsReachTheClientInQueueOrder) {
  SkypeLinkRig rig;
  for (const char* line : {"GET AUDIO_IN", "PROTOCOL 5", "SEARCH FRIENDS", "SEARCH CALLS"}) {
    EXPECT_EQ(rig.link->QueueCommand(line), kOk);
  }
  ASSERT_TRUE(rig.log.WaitForMatching("send ", 4));
  EXPECT_EQ(rig.log.Matching("send"),
            (Lines{"send GET AUDIO_IN", "send PROTOCOL 5", "send SEARCH FRIENDS", "send SEARCH CALLS"}));
}

struct DroppedLineCase {
  const char* name;
  bool attached;
  Lines refused;
  Lines queued;
  Lines wire;  // what the client is offered, in order
};

// A line the client refuses (or that finds no client) is lost on its own:
// the lines queued behind it go out at once, not with some later command.
TEST(SkypeLinkOutgoingTest, ADroppedLineHoldsUpNothingBehindIt) {
  const DroppedLineCase cases[] = {
      {"refused in the middle", true, {"B"}, {"A", "B", "C", "D"},
       {"send A", "send-refused B", "send C", "send D"}},
      {"refused twice in a row", true, {"B", "C"}, {"A", "B", "C", "D"},
       {"send A", "send-refused B", "send-refused C", "send D"}},
      {"refused last", true, {"GET CALL 5 SEEN"}, {"PING", "GET CALL 5 SEEN"},
       {"send PING", "send-refused GET CALL 5 SEEN"}},
      {"empty lines are never sent", true, {}, {"PING", "", "SEARCH CALLS"},
       {"send PING", "send SEARCH CALLS"}},
      {"no client attached", false, {}, {"PROTOCOL 5", "SEARCH FRIENDS"},
       {"send-refused PROTOCOL 5", "send-refused SEARCH FRIENDS"}},
  };
  for (const DroppedLineCase& c : cases) {
    SkypeLinkRig rig;
    rig.transport.SetAttached(c.attached);
    for (const std::string& line : c.refused) rig.transport.RefuseLine(line);
    for (const std::string& line : c.queued) EXPECT_EQ(rig.link->QueueCommand(line.c_str()), kOk);
    EXPECT_TRUE(rig.log.WaitForMatching("send", c.wire.size())) << c.name;
    rig.Stop();
    EXPECT_EQ(rig.log.Matching("send"), c.wire) << c.name;
  }
}

TEST(SkypeLinkOutgoingTest, ClearQueuesDropsCommandsNotYetTaken) {
  SkypeLinkRig rig;
  std::mutex gateLock;
  std::condition_variable gateCv;
  bool open = false;
  rig.transport.beforeSend = [&](std::string_view line) {
    if (line != "A") return;
    rig.log.Add("holding A");
    std::unique_lock<std::mutex> hold(gateLock);
    gateCv.wait_for(hold, EventLog::kDeadline, [&] { return open; });
  };
  rig.link->QueueCommand("A");
  ASSERT_TRUE(rig.log.WaitFor("holding A"));
  rig.link->QueueCommand("B");
  rig.link->QueueCommand("C");

  EXPECT_EQ(rig.link->ClearQueues(), kOk);
  {
    std::lock_guard<std::mutex> hold(gateLock);
    open = true;
  }
  gateCv.notify_all();
  rig.link->QueueCommand("D");
  ASSERT_TRUE(rig.log.WaitFor("send D"));
  EXPECT_EQ(rig.log.Matching("send"), (Lines{"send A", "send D"}));
  EXPECT_EQ(rig.log.Count("sleep 10"), 1u);
}

// ---- SendCommand ----------------------------------------------------------

TEST(SkypeLinkSendCommandTest, QueuesTheBuiltTextAndAlwaysReportsSuccess) {
  SkypeLinkRig rig;
  rig.link->SetAppName("Tolvane");
  EXPECT_EQ(rig.link->SendCommand(kCmdGetCallPartnerHandle, nullptr, 12), kOk);
  EXPECT_EQ(rig.link->SendCommand(kCmdGetUserDisplayName, "echo123", 0), kOk);
  EXPECT_EQ(rig.link->SendCommand(kCmdName, nullptr, 0), kOk);
  ASSERT_TRUE(rig.log.WaitForMatching("send ", 3));
  EXPECT_EQ(rig.log.Matching("send"), (Lines{"send GET CALL 12 PARTNER_HANDLE",
                                             "send GET USER echo123 DISPLAYNAME", "send NAME Tolvane"}));
}

TEST(SkypeLinkSendCommandTest, KindsWithoutACommandSendNothing) {
  SkypeLinkRig rig;
  for (int kind : {0, 14, 26, 34, -1}) EXPECT_EQ(rig.link->SendCommand(kind, "x", 1), kOk);
  rig.link->SendCommand(kCmdPing, nullptr, 0);
  ASSERT_TRUE(rig.log.WaitFor("send PING"));
  EXPECT_EQ(rig.log.Matching("send"), (Lines{"send PING"}));
}

TEST(SkypeLinkSendCommandTest, TheHandsetDeviceNameGoesThroughTheRenderersConversion) {
  SkypeLinkRig rig;
  rig.link->SetHandsetAudioDeviceName("USB Audio");
  rig.link->SendCommand(kCmdSetAudioIn, nullptr, 0);  // no renderer yet: as it is
  rig.link->SetRenderer(&rig.renderer);
  rig.link->SendCommand(kCmdSetAudioOut, nullptr, 0);
  rig.link->SendCommand(kCmdSetRinger, nullptr, 0);
  ASSERT_TRUE(rig.log.WaitForMatching("send ", 3));
  EXPECT_EQ(rig.log.Matching("send"),
            (Lines{"send SET AUDIO_IN USB Audio ", "send SET AUDIO_OUT to-skype(USB Audio) ",
                   "send SET RINGER to-skype(USB Audio) "}));
}

TEST(SkypeLinkSendCommandTest, DeviceCommandsSendNothingWhileTheHandsetDeviceIsUnknown) {
  SkypeLinkRig rig;
  rig.link->SetRenderer(&rig.renderer);
  for (int kind : {kCmdSetAudioIn, kCmdSetAudioOut, kCmdSetRinger}) {
    EXPECT_EQ(rig.link->SendCommand(kind, nullptr, 0), kOk);
  }
  rig.link->SendCommand(kCmdResetRinger, nullptr, 0);
  ASSERT_TRUE(rig.log.WaitFor("send SET RINGER"));
  EXPECT_EQ(rig.log.Matching("send"), (Lines{"send SET RINGER"}));
}

TEST(SkypeLinkSendCommandTest, StatusQuerySequence) {
  SkypeLinkRig rig;
  EXPECT_EQ(rig.link->RequestSkypeStatus(), 1);
  ASSERT_TRUE(rig.log.WaitForMatching("send ", 2));
  EXPECT_EQ(rig.log.Matching("send"), (Lines{"send GET USERSTATUS", "send GET CONNSTATUS"}));
}

// ---- Incoming -------------------------------------------------------------

TEST(SkypeLinkIncomingTest, LinesReachTheHandlerInArrivalOrderEachFollowedByACheck) {
  SkypeLinkRig rig;
  RecordingHandler handler(rig.log);
  rig.link->SetNotificationHandler(&handler);
  const Lines sent = {"CALL 12 STATUS RINGING", "USERSTATUS ONLINE", "", "CONNSTATUS ONLINE"};
  for (const std::string& line : sent) EXPECT_EQ(rig.link->QueueNotification(line.c_str()), kOk);
  ASSERT_TRUE(rig.log.WaitForMatching("line ", sent.size()));
  rig.Stop();

  const Lines handled = rig.log.MatchingAny({"line ", "check"});
  Lines lines;
  for (std::size_t i = 0; i < handled.size(); ++i) {
    if (handled[i].starts_with("line ")) {
      lines.push_back(handled[i].substr(5));
      ASSERT_LT(i + 1, handled.size());
      EXPECT_EQ(handled[i + 1], "check") << "after " << handled[i];
    }
  }
  EXPECT_EQ(lines, sent);
}

// With a one-millisecond tick a polling worker would check hundreds of times
// in the quiet spells below; an idle one checks only when something happens.
TEST(SkypeLinkIncomingTest, AnIdleWorkerSleepsUntilALineOrAWindowChangeAndTicksOnlyDuringACall) {
  SkypeLinkSetup setup;
  setup.watchTick = std::chrono::milliseconds(1);
  SkypeLinkRig rig(setup);
  RecordingHandler handler(rig.log);
  rig.link->SetNotificationHandler(&handler);
  const auto quietSpell = std::chrono::milliseconds(300);

  rig.link->QueueNotification("USERSTATUS ONLINE");
  ASSERT_TRUE(rig.log.WaitFor("check"));
  EXPECT_FALSE(rig.log.WaitFor("check", 2, quietSpell));

  rig.link->ClientWindowsChanged();
  ASSERT_TRUE(rig.log.WaitFor("check", 2));
  EXPECT_FALSE(rig.log.WaitFor("check", 3, quietSpell));

  // A call under way: the window can appear unannounced, so the worker ticks.
  handler.watching.store(true);
  rig.link->QueueNotification("CALL 7 STATUS ROUTING");
  ASSERT_TRUE(rig.log.WaitFor("check", 10));

  // The call is over: after the next line the worker sleeps again.
  handler.watching.store(false);
  rig.link->QueueNotification("CALL 7 TIMESTAMP 1");
  ASSERT_TRUE(rig.log.WaitFor("line CALL 7 TIMESTAMP 1"));
  ASSERT_TRUE(Eventually([&] {
    const std::size_t before = rig.log.Count("check");
    return !rig.log.WaitFor("check", before + 1, quietSpell);
  }));
  rig.Stop();
  EXPECT_EQ(rig.log.Matching("line "),
            (Lines{"line USERSTATUS ONLINE", "line CALL 7 STATUS ROUTING", "line CALL 7 TIMESTAMP 1"}));
}

TEST(SkypeLinkIncomingTest, ShowMissedCallsIsTheHandlersAndNothingWithoutOne) {
  SkypeLinkRig rig;
  EXPECT_EQ(rig.link->ShowMissedCalls(1), kOk);
  RecordingHandler handler(rig.log);
  rig.link->SetNotificationHandler(&handler);
  EXPECT_EQ(rig.link->ShowMissedCalls(0), kOk);
  rig.Stop();
  EXPECT_EQ(rig.log.Matching("missed"), (Lines{"missed 0"}));
}

struct ContactsCase {
  const char* line;
  int counted;
};

TEST(SkypeLinkIncomingTest, CountsQueuedLinesWhoseFirstWordIsExactlyContacts) {
  const ContactsCase cases[] = {
      {"CONTACTS FOCUSED echo123", 1},
      {"CONTACTS FOCUSED ", 1},
      {"CONTACTS", 1},
      {"  CONTACTS FOCUSED bob", 1},  // leading blanks are skipped like any word's
      {"CONTACTSX FOCUSED bob", 0},
      {"CONTACT FOCUSED bob", 0},
      {"contacts FOCUSED bob", 0},
      {"Contacts FOCUSED bob", 0},
      {"USER CONTACTS FOCUSED", 0},
      {"", 0},
  };
  for (const ContactsCase& c : cases) {
    SkypeLinkRig rig;
    rig.link->QueueNotification(c.line);
    EXPECT_EQ(rig.link->TakePendingContact(), c.counted - 1) << '"' << c.line << '"';
  }
}

TEST(SkypeLinkIncomingTest, EveryQueuedContactsLineAddsOneForTheDispatcherToTakeOff) {
  SkypeLinkRig rig;
  for (int i = 0; i < 5; ++i) rig.link->QueueNotification("CONTACTS FOCUSED bob");
  rig.link->QueueNotification("CALL 3 SEEN TRUE");
  EXPECT_EQ(rig.link->TakePendingContact(), 4);
  rig.link->ResetPendingContacts();
  EXPECT_EQ(rig.link->TakePendingContact(), -1);
}

struct RestartCase {
  bool storesAttached;
  Lines resets;
};

// No incoming worker could be started: nothing claims one runs, and the
// next notification starts one, drops itself with whatever was stale, resets
// the calls that were followed (once the stores exist) and rediscovers.
TEST(SkypeLinkIncomingTest, AWorkerThatCouldNotStartIsStartedByTheNextNotificationWhichRediscovers) {
  const RestartCase cases[] = {
      {true, {"phone ResetCurrentCall", "phone ResetSecondCall", "contacts ResetContactBrowse",
              "phone ResetBrowse"}},
      {false, {}},
  };
  for (const RestartCase& c : cases) {
    SkypeLinkSetup setup;
    setup.refusedThreads = {"incoming"};
    SkypeLinkRig rig(setup);
    if (c.storesAttached) rig.AttachStores();
    RecordingHandler handler(rig.log);
    rig.link->SetNotificationHandler(&handler);

    rig.link->QueueNotification("C");  // finds no worker: dropped
    ASSERT_TRUE(rig.log.WaitFor("dialogs forget"));
    rig.link->QueueNotification("D");
    ASSERT_TRUE(rig.log.WaitFor("line D"));
    rig.Stop();

    EXPECT_EQ(rig.log.Matching("line "), (Lines{"line D"}));
    EXPECT_EQ(rig.log.MatchingAny({"phone ", "contacts "}), c.resets);
    EXPECT_EQ(rig.log.MatchingAny({"thread", "dialogs", "discover", "sound"}),
              (Lines{"thread refused incoming", "dialogs close", "discover", "dialogs forget"}));
  }
}

TEST(SkypeLinkThreadsTest, AnOutgoingWorkerOrActionWithoutAThreadIsStartedByTheNextRequest) {
  SkypeLinkSetup setup;
  setup.refusedThreads = {"outgoing", "action"};
  SkypeLinkRig rig(setup);
  // The refused action reports it and runs nothing.
  EXPECT_EQ(rig.link->RunSessionAction(kActionDiscover), kFail);
  EXPECT_EQ(rig.link->RunSessionAction(kActionDiscover), kOk);
  rig.link->QueueCommand("PING");
  rig.link->QueueCommand("SEARCH CALLS");
  ASSERT_TRUE(rig.log.WaitFor("send SEARCH CALLS"));
  ASSERT_TRUE(rig.log.WaitFor("dialogs forget"));
  rig.Stop();
  EXPECT_EQ(rig.log.Matching("send"), (Lines{"send PING", "send SEARCH CALLS"}));
  EXPECT_EQ(rig.log.Count("discover"), 1u);
  EXPECT_EQ(rig.log.Matching("thread"), (Lines{"thread refused outgoing", "thread refused action"}));
}

TEST(SkypeLinkIncomingTest, ClearQueuesDropsNotificationsNotYetTaken) {
  SkypeLinkRig rig;
  RecordingHandler handler(rig.log);
  handler.HoldOn("A");
  rig.link->SetNotificationHandler(&handler);
  rig.link->QueueNotification("A");
  ASSERT_TRUE(rig.log.WaitFor("line A"));
  rig.link->QueueNotification("B");
  rig.link->QueueNotification("C");
  rig.link->ClearQueues();
  handler.Release();
  rig.link->QueueNotification("D");
  ASSERT_TRUE(rig.log.WaitFor("line D"));
  rig.Stop();
  EXPECT_EQ(rig.log.Matching("line "), (Lines{"line A", "line D"}));
}

TEST(SkypeLinkLifetimeTest, DestructionWaitsForTheLineBeingHandled) {
  EventLog log;
  RecordingHandler handler(log);
  handler.HoldOn("A");
  std::thread releaser;
  {
    SkypeLinkRig rig;
    rig.link->SetNotificationHandler(&handler);
    rig.link->QueueNotification("A");
    ASSERT_TRUE(log.WaitFor("line A"));
    releaser = std::thread([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));  // while the rig is going
      handler.Release();
    });
  }
  EXPECT_EQ(log.Count("done A"), 1u);  // finished before the link was gone
  releaser.join();
}

TEST(SkypeLinkLifetimeTest, NothingIsQueuedOrStartedAfterShutdown) {
  SkypeLinkRig rig;
  RecordingHandler handler(rig.log);
  rig.link->SetNotificationHandler(&handler);
  rig.Stop();
  rig.link->QueueCommand("PING");
  rig.link->QueueNotification("CALL 1 STATUS RINGING");
  rig.link->ClientWindowsChanged();
  rig.link->RunSessionAction(kActionDiscover);
  rig.Stop();  // a second shutdown is harmless
  EXPECT_TRUE(rig.log.MatchingAny({"send", "line", "discover", "dialogs"}).empty());
}

}  // namespace
}  // namespace tolvane
