// The dispatcher behind the real session and handset objects: lines queued
// by the transport reach it through the incoming worker, its commands leave
// through the outgoing worker, its codes reach the handset library, and the
// confirmation watch runs while a call is under way or the client's windows
// change.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/fakes/fake_client_windows.h"
#include "core/fakes/skype_link_rig.h"
#include "interfaces/handset_mode.h"
#include "phone_state/phone_state.h"
#include "interfaces/client_windows.h"
#include "dispatcher/notification_dispatcher.h"

namespace tolvane::testing {
namespace {

class DispatcherWiring : public ::testing::Test {
 protected:
  DispatcherWiring() {
    rig.link->SetPhoneState(&phone);
    rig.link->SetContactList(&rig.contacts);
    rig.link->SetRenderer(&rig.renderer);
    rig.link->SetNotificationHandler(&dispatcher);
    rig.link->SetHandsetAttached(1);
    rig.link->SetHistoryLoaded(true);
  }
  ~DispatcherWiring() override { rig.Stop(); }  // the worker ends before the dispatcher

  SkypeLinkRig rig;
  PhoneState phone;
  FakeClientWindows windows;
  NotificationDispatcher dispatcher{NotificationDispatcher::Ports{rig.link.get(), &rig.handset, &phone,
                                                                  &rig.contacts, &windows, &rig.delay}};
};

TEST_F(DispatcherWiring, IncomingCallRingsTheHandsetAndAsksForTheCaller) {
  rig.link->QueueNotification("CALL 12 STATUS RINGING");
  ASSERT_TRUE(rig.log.WaitFor("send GET CALL 12 PARTNER_DISPNAME"));
  EXPECT_EQ(rig.log.Count("code 158"), 1u);
  // Names are rendered by default: the display name is asked for. The mode
  // word says so once the worker has finished the line (the command may leave before that).
  EXPECT_TRUE(Eventually([this] { return rig.handset.Mode() == kModeCallerIdAsked; }));
  int id = 0;
  phone.GetCurrentCallId(&id);
  EXPECT_EQ(id, 12);
}

TEST_F(DispatcherWiring, RingBeforeTheHistoryIsLoadedIsRefusedOnTheWire) {
  rig.link->SetHistoryLoaded(false);
  rig.link->QueueNotification("CALL 42 STATUS RINGING");
  rig.link->QueueNotification("CALL 43 STATUS RINGING");
  ASSERT_TRUE(rig.log.WaitFor("send SET CALL    42 STATUS FINISHED"));
  // The refusal counts as a load: the next call rings.
  ASSERT_TRUE(rig.log.WaitFor("code 158"));
  EXPECT_EQ(rig.log.Count("code 158"), 1u);
  int id = 0;
  phone.GetCurrentCallId(&id);
  EXPECT_EQ(id, 43);
}

// One end-of-call query the client refuses must not keep the rest of them,
// and with them the call's end, from the client: the next call rings.
TEST_F(DispatcherWiring, ARefusedEndOfCallQueryDoesNotKeepTheNextCallFromRinging) {
  rig.transport.RefuseLine("GET CALL 12 SEEN");
  // The client answers the last query, then rings again.
  rig.transport.beforeSend = [this](std::string_view line) {
    if (line != "GET CALL 12 TIMESTAMP") return;
    rig.link->QueueNotification("CALL 12 TIMESTAMP 1700000000");
    rig.link->QueueNotification("CALL 13 STATUS RINGING");
  };
  for (const char* line : {"CALL 12 STATUS RINGING", "CALL 12 STATUS INPROGRESS", "CALL 12 STATUS FINISHED"}) {
    rig.link->QueueNotification(line);
  }
  ASSERT_TRUE(rig.log.WaitFor("send GET CALL 13 PARTNER_DISPNAME"));
  EXPECT_EQ(rig.log.Matching("send"),
            (EventLog::Events{"send GET CALL 12 PARTNER_DISPNAME", "send GET CALL 12 PARTNER_DISPNAME",
                              "send GET CALL 12 PARTNER_HANDLE", "send-refused GET CALL 12 SEEN",
                              "send GET CALL 12 TYPE", "send GET CALL 12 DURATION",
                              "send GET CALL 12 TIMESTAMP", "send GET CALL 13 PARTNER_DISPNAME"}));
  EXPECT_EQ(rig.log.Count("code 158"), 2u);
  int id = 0;
  phone.GetCurrentCallId(&id);
  EXPECT_EQ(id, 13);
  int held = 0;
  phone.GetHistoryCount(&held);
  EXPECT_EQ(held, 1);
}

TEST_F(DispatcherWiring, ConfirmationWindowIsLookedForWhenTheClientsWindowsChange) {
  windows.Open(kClientConfirmationWindowClass);
  rig.link->ClientWindowsChanged();
  ASSERT_TRUE(rig.log.WaitFor("code 159"));
}

// While a call is under way nothing needs to announce the window: the
// worker looks for it on its tick.
TEST_F(DispatcherWiring, ConfirmationWindowIsWatchedForWhileACallIsBeingPlaced) {
  rig.link->QueueNotification("CALL 30 STATUS ROUTING");
  ASSERT_TRUE(rig.log.WaitFor("code 152"));
  windows.Open(kClientConfirmationWindowClass);
  ASSERT_TRUE(rig.log.WaitFor("code 159"));
}

TEST_F(DispatcherWiring, MissedCallMessageThroughTheSessionSlot) {
  rig.link->ShowMissedCalls(0);
  ASSERT_TRUE(rig.log.WaitFor("code 63"));
  EXPECT_EQ(rig.log.Count("renderer ShowText No Missed Calls !"), 1u);
  EXPECT_EQ(rig.handset.Mode(), kModeMissedCalls | kModeRenderedText);
}

TEST_F(DispatcherWiring, QueuedFocusBurstShowsOnlyTheLastThree) {
  rig.handset.Settings().SupportContactFocus.store(1);
  rig.handset.Settings().NotSupportedFont.store(1);
  // The worker is held inside the status line until every focus line has
  // been queued, as when the client sends a burst while the program is busy.
  rig.settleBefore[20] = "all queued";
  rig.link->QueueNotification("USERSTATUS ONLINE");
  for (const char* handle : {"alice", "bob", "carol", "dave", "erin"}) {
    rig.link->QueueNotification((std::string("CONTACTS FOCUSED ") + handle).c_str());
  }
  rig.log.Add("all queued");
  ASSERT_TRUE(rig.log.WaitFor("contacts LookupContactName erin"));
  EXPECT_EQ(rig.log.Matching("contacts LookupContactName"),
            (EventLog::Events{"contacts LookupContactName carol", "contacts LookupContactName dave",
                              "contacts LookupContactName erin"}));
}

}  // namespace
}  // namespace tolvane::testing
