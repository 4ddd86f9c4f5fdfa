// How lines travel through the session: commands to the client in order, lost
// lines that end the outgoing worker, notifications to the dispatcher one at a
// time, the CONTACTS count and the restart of an ended incoming worker.
#include <gtest/gtest.h>

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
using Lines = std::vector<std::string>;

// A dispatcher stand-in: "line <text>" per line, "check" per confirmation-
// window check, "missed <n>" per missed-call request. Optionally holds the
// worker inside one line until released.
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
  void ShowMissedCalls(int refresh) override { log_.Add("missed " + std::to_string(refresh)); }

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

TEST(SkypeLinkOutgoingTest, AnEmptyLineEndsTheWorkerWithoutSendingAndTheNextCommandIsSent) {
  SkypeLinkRig rig;
  rig.link->QueueCommand("PING");
  rig.link->QueueCommand("");
  ASSERT_TRUE(rig.log.WaitFor("send PING"));
  ASSERT_TRUE(Eventually([&] { return !rig.link->OutgoingWorkerRunning(); }));

  rig.link->QueueCommand("SEARCH CALLS");
  ASSERT_TRUE(rig.log.WaitFor("send SEARCH CALLS"));
  EXPECT_TRUE(rig.link->OutgoingWorkerRunning());
  EXPECT_EQ(rig.log.Matching("send"), (Lines{"send PING", "send SEARCH CALLS"}));
}

TEST(SkypeLinkOutgoingTest, ARefusedLineEndsTheWorkerAndIsLostTheNextCommandIsSent) {
  SkypeLinkRig rig;
  rig.transport.RefuseLine("GET CALL 5 SEEN");
  rig.link->QueueCommand("PING");
  rig.link->QueueCommand("GET CALL 5 SEEN");
  ASSERT_TRUE(rig.log.WaitFor("send-refused GET CALL 5 SEEN"));
  ASSERT_TRUE(Eventually([&] { return !rig.link->OutgoingWorkerRunning(); }));

  rig.link->QueueCommand("SEARCH CALLS");
  ASSERT_TRUE(rig.log.WaitFor("send SEARCH CALLS"));
  rig.Stop();
  EXPECT_EQ(rig.log.Matching("send"),
            (Lines{"send PING", "send-refused GET CALL 5 SEEN", "send SEARCH CALLS"}));
}

TEST(SkypeLinkOutgoingTest, CommandsQueuedBeforeTheClientAttachedAreLost) {
  SkypeLinkRig rig;
  rig.transport.SetAttached(false);
  rig.link->QueueCommand("PROTOCOL 5");
  ASSERT_TRUE(rig.log.WaitFor("send-refused PROTOCOL 5"));
  ASSERT_TRUE(Eventually([&] { return !rig.link->OutgoingWorkerRunning(); }));

  rig.transport.SetAttached(true);
  rig.link->QueueCommand("SEARCH FRIENDS");
  ASSERT_TRUE(rig.log.WaitFor("send SEARCH FRIENDS"));
  rig.Stop();
  EXPECT_EQ(rig.log.Matching("send"), (Lines{"send-refused PROTOCOL 5", "send SEARCH FRIENDS"}));
}

TEST(SkypeLinkOutgoingTest, LinesBehindARefusedOneGoOutInOrderWithTheNextCommand) {
  SkypeLinkRig rig;
  rig.transport.RefuseLine("B");
  for (const char* line : {"A", "B", "C", "D"}) rig.link->QueueCommand(line);
  ASSERT_TRUE(rig.log.WaitFor("send-refused B"));
  ASSERT_TRUE(Eventually([&] { return !rig.link->OutgoingWorkerRunning(); }));

  rig.link->QueueCommand("E");
  ASSERT_TRUE(rig.log.WaitFor("send E"));
  EXPECT_EQ(rig.log.Matching("send"), (Lines{"send A", "send-refused B", "send C", "send D", "send E"}));
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

TEST(SkypeLinkSendCommandTest, KindsWithoutACommandSendNothingAndKeepTheWorker) {
  SkypeLinkRig rig;
  for (int kind : {0, 14, 26, 34, -1}) EXPECT_EQ(rig.link->SendCommand(kind, "x", 1), kOk);
  rig.link->SendCommand(kCmdPing, nullptr, 0);
  ASSERT_TRUE(rig.log.WaitFor("send PING"));
  EXPECT_EQ(rig.log.Matching("send"), (Lines{"send PING"}));
  EXPECT_TRUE(rig.link->OutgoingWorkerRunning());
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

TEST(SkypeLinkIncomingTest, AnIdleWorkerChecksTheConfirmationWindowEveryFiftyMillisecondsNotMore) {
  SkypeLinkRig rig;
  RecordingHandler handler(rig.log);
  const auto start = std::chrono::steady_clock::now();
  rig.link->SetNotificationHandler(&handler);
  ASSERT_TRUE(rig.log.WaitFor("check", 3));
  rig.Stop();
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  // A millisecond poll would have checked about fifty times as often.
  EXPECT_LE(rig.log.Count("check"), static_cast<std::size_t>(elapsed.count() / 50 + 2));
}

TEST(SkypeLinkIncomingTest, WithoutAHandlerLinesAreTakenAndDropped) {
  SkypeLinkRig rig;
  rig.link->QueueNotification("CALL 1 STATUS RINGING");
  rig.link->QueueNotification("CALL 1 STATUS MISSED");
  ASSERT_TRUE(Eventually([&] { return rig.link->PendingNotifications() == 0; }));

  RecordingHandler handler(rig.log);
  rig.link->SetNotificationHandler(&handler);
  rig.link->QueueNotification("USERSTATUS NA");
  ASSERT_TRUE(rig.log.WaitFor("line USERSTATUS NA"));
  rig.Stop();
  EXPECT_EQ(rig.log.Matching("line "), (Lines{"line USERSTATUS NA"}));
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

TEST(SkypeLinkIncomingTest, AfterTheWorkerEndedANotificationRestartsItResetsTheCallsAndRediscovers) {
  SkypeLinkRig rig;
  rig.AttachStores();
  RecordingHandler handler(rig.log);
  handler.HoldOn("A");
  rig.link->SetNotificationHandler(&handler);

  rig.link->QueueNotification("A");
  ASSERT_TRUE(rig.log.WaitFor("line A"));
  rig.link->QueueNotification("B");  // waits behind A and is left over
  rig.link->StopIncomingWorker();
  handler.Release();

  rig.link->QueueNotification("C");  // arrives at an ended worker: dropped
  ASSERT_TRUE(rig.log.WaitFor("dialogs forget"));
  rig.link->QueueNotification("D");
  ASSERT_TRUE(rig.log.WaitFor("line D"));
  rig.Stop();

  EXPECT_EQ(rig.log.Matching("line "), (Lines{"line A", "line D"}));
  EXPECT_EQ(rig.log.MatchingAny({"phone ", "contacts "}),
            (Lines{"phone ResetCurrentCall", "phone ResetSecondCall", "contacts ResetContactBrowse",
                   "phone ResetBrowse"}));
  EXPECT_EQ(rig.log.MatchingAny({"dialogs", "discover", "sound"}),
            (Lines{"dialogs close", "discover", "dialogs forget"}));
}

TEST(SkypeLinkIncomingTest, ARestartBeforeTheStoresExistStillRediscovers) {
  SkypeLinkRig rig;
  rig.link->StopIncomingWorker();
  rig.link->QueueNotification("CALL 1 STATUS RINGING");
  ASSERT_TRUE(rig.log.WaitFor("discover"));
  rig.Stop();
  EXPECT_TRUE(rig.log.MatchingAny({"phone ", "contacts "}).empty());
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
  rig.link->StopIncomingWorker();
  rig.link->QueueNotification("CALL 2 STATUS RINGING");
  rig.link->RunSessionAction(kActionDiscover);
  rig.Stop();  // a second shutdown is harmless
  EXPECT_TRUE(rig.log.MatchingAny({"send", "line", "discover", "dialogs"}).empty());
}

}  // namespace
}  // namespace tolvane
