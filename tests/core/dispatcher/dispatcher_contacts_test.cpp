// The contact replies: the USERS list, the four USER properties, and the
// contact focused in the client's own list, shown on the handset.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/fakes/command_recording_link.h"
#include "core/dispatcher/dispatcher_rig.h"
#include "interfaces/handset_mode.h"
#include "phone_state/contact_list.h"

namespace tolvane::testing {
namespace {

using Effects = std::vector<std::string>;

TEST(DispatcherContacts, UsersReplyGoesToTheContactListWholeAndResetsThePendingCount) {
  DispatcherRig rig;
  rig.session.pendingContacts.store(4);
  rig.Feed({"USERS alice, bob,carol"});
  EXPECT_EQ(rig.log.Count("contacts TakeUsersReply USERS alice, bob,carol"), 1u);
  EXPECT_EQ(rig.session.pendingContacts.load(), 0);
}

struct UserRow {
  const char* name;
  unsigned protocol;
  std::string line;
  Effects effects;  // contact store calls and commands, in order
};

void PrintTo(const UserRow& row, std::ostream* out) { *out << row.name << ": " << row.line; }

class UserProperties : public ::testing::TestWithParam<UserRow> {};

TEST_P(UserProperties, UpdateTheContactAndAskWhatIsMissing) {
  const UserRow& row = GetParam();
  DispatcherRig rig;
  rig.Feed({"PROTOCOL " + std::to_string(row.protocol)});
  rig.Mark();
  rig.Feed({row.line});
  EXPECT_EQ(rig.Since({"contacts ", "cmd "}), row.effects);
}

const UserRow kUserRows[] = {
    {"OnlineStatus", 5, "USER alice ONLINESTATUS AWAY", {"contacts SetContactStatus alice 3"}},
    {"OnlineStatusSkypeOut", 5, "USER +4930 ONLINESTATUS SKYPEOUT", {"contacts SetContactStatus +4930 7"}},
    {"OnlineStatusUnknownWord", 5, "USER alice ONLINESTATUS LOGGEDOUT", {"contacts SetContactStatus alice 1"}},
    {"FullName", 5, "USER alice FULLNAME Alice  Smith",
     {"contacts SetContactName alice Alice Smith  13", "cmd GET USER alice ONLINESTATUS"}},
    {"EmptyFullNameListsTheHandle", 5, "USER alice FULLNAME",
     {"contacts SetContactName alice alice 6", "cmd GET USER alice ONLINESTATUS"}},
    {"DisplayName", 5, "USER alice DISPLAYNAME Ally",
     {"contacts SetContactName alice Ally  6", "cmd GET USER alice ONLINESTATUS"}},
    {"EmptyDisplayNameAsksForTheFullName", 5, "USER alice DISPLAYNAME", {"cmd GET USER alice FULLNAME"}},
    {"EmptyDisplayNameProtocol4", 4, "USER alice DISPLAYNAME", {"cmd GET USER alice FULLNAME"}},
    {"EmptyDisplayNameOldProtocolIsStored", 3, "USER alice DISPLAYNAME",
     {"contacts SetContactName alice  1", "cmd GET USER alice ONLINESTATUS"}},
    {"BuddyRemoved", 5, "USER alice BUDDYSTATUS 1", {"contacts RemoveContact alice"}},
    {"BuddyPending", 5, "USER alice BUDDYSTATUS 2",
     {"contacts AddContact alice 1", "cmd GET USER alice FULLNAME", "cmd GET USER alice ONLINESTATUS"}},
    {"BuddyAdded", 5, "USER alice BUDDYSTATUS 3",
     {"contacts AddContact alice 1", "cmd GET USER alice FULLNAME", "cmd GET USER alice ONLINESTATUS"}},
    {"BuddyNeverAdded", 5, "USER alice BUDDYSTATUS 0", {}},
    {"OtherProperty", 5, "USER alice SEX FEMALE", {}},
    {"LowerCaseFirstWord", 5, "user alice ONLINESTATUS ONLINE", {}},
};

INSTANTIATE_TEST_SUITE_P(Dispatcher, UserProperties, ::testing::ValuesIn(kUserRows),
                         [](const ::testing::TestParamInfo<UserRow>& param) { return std::string(param.param.name); });

// Focused contacts are shown from a contact store that knows their names.
class FocusedContact : public ::testing::Test {
 protected:
  FocusedContact() {
    rig.handset.Settings().SupportContactFocus.store(1);
    for (const char* handle : {"alice", "bob", "carol", "dave", "erin"}) {
      contacts.AddContact(handle, 0);
      const std::string name = std::string("Name of ") + handle;
      contacts.SetContactName(handle, name.c_str(), static_cast<int>(name.size() + 1));
    }
    rig.Mark();
  }

  // Queues the lines as the transport does: each CONTACTS line is counted
  // when it is queued, before any is handled.
  void QueueAndHandle(std::initializer_list<std::string> lines) {
    rig.session.pendingContacts.fetch_add(static_cast<int>(lines.size()));
    for (const std::string& line : lines) dispatcher.HandleLine(line);
  }

  Effects Shown() const { return rig.Since({"code ", "renderer ShowText", "contacts SetShownHandle"}); }

  DispatcherRig rig;
  CommandRecordingLink link;
  ContactList contacts{link};
  NotificationDispatcher dispatcher{
      NotificationDispatcher::Ports{&rig.session, &rig.handset, &rig.phone, &contacts, &rig.windows, &rig.delay}};
};

TEST_F(FocusedContact, NameIsShownAfterTheDisplayHasStopped) {
  QueueAndHandle({"CONTACTS FOCUSED bob"});
  EXPECT_EQ(rig.Effects(), (Effects{"sleep 200", "wait idle", "code 63"}));
  EXPECT_EQ(Shown(), (Effects{"renderer ShowText Name of bob", "code 63"}));
  EXPECT_EQ(rig.handset.mode.load(), kModeFocusedContact | kModeRenderedText);
  int status = -1;
  contacts.GetLookedUpStatus(&status);
  EXPECT_EQ(status, 0);
}

TEST_F(FocusedContact, UnlistedHandleShowsAnEmptyName) {
  QueueAndHandle({"CONTACTS FOCUSED zed"});
  EXPECT_EQ(Shown(), (Effects{"renderer ShowText ", "code 63"}));
}

TEST_F(FocusedContact, HandleIsShownWhenNamesAreNotRendered) {
  rig.handset.Settings().NotSupportedFont.store(0);
  rig.handset.mode.store(kModeCallerIdAsked | kModeDuration);
  QueueAndHandle({"CONTACTS FOCUSED bob"});
  EXPECT_EQ(Shown(), (Effects{"code 62"}));
  EXPECT_EQ(rig.handset.mode.load(), kModeFocusedContact | kModeHandleText);
  char c = 0;
  std::string shown;
  while (contacts.ReadShownHandleChar(&c) == kOk) shown.push_back(c);
  EXPECT_EQ(shown, "bob");
}

TEST_F(FocusedContact, OnlyTheLastThreeOfABurstAreShownInTurn) {
  QueueAndHandle({"CONTACTS FOCUSED alice", "CONTACTS FOCUSED bob", "CONTACTS FOCUSED carol",
                  "CONTACTS FOCUSED dave", "CONTACTS FOCUSED erin"});
  EXPECT_EQ(rig.Since({"renderer ShowText"}), (Effects{"renderer ShowText Name of carol",
                                                       "renderer ShowText Name of dave",
                                                       "renderer ShowText Name of erin"}));
  EXPECT_EQ(rig.log.Count("sleep 200"), 3u);
  EXPECT_EQ(rig.session.pendingContacts.load(), 0);
}

TEST_F(FocusedContact, LineHandledWithoutBeingCountedIsIgnored) {
  dispatcher.HandleLine("CONTACTS FOCUSED bob");
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(rig.session.pendingContacts.load(), -1);
}

TEST_F(FocusedContact, UsersReplyDropsTheCountOfQueuedFocusLines) {
  rig.session.pendingContacts.store(1);
  dispatcher.HandleLine("USERS alice");
  dispatcher.HandleLine("CONTACTS FOCUSED bob");
  EXPECT_TRUE(Shown().empty());
}

struct IgnoredRow {
  const char* name;
  std::string line;
  std::uint32_t mode = 0;
  bool focusOption = true;
  bool historyLoaded = true;
  bool attached = true;
  Effects effects = {};
};

void PrintTo(const IgnoredRow& row, std::ostream* out) { *out << row.name << ": " << row.line; }

class FocusedContactIgnored : public FocusedContact, public ::testing::WithParamInterface<IgnoredRow> {};

TEST_P(FocusedContactIgnored, LeavesTheHandsetAlone) {
  const IgnoredRow& row = GetParam();
  rig.handset.Settings().SupportContactFocus.store(row.focusOption ? 1 : 0);
  rig.handset.mode.store(row.mode);
  rig.session.historyLoaded.store(row.historyLoaded);
  rig.session.attached.store(row.attached);
  // An earlier line leaves a third token behind; a focus line without a
  // handle must not pick it up.
  dispatcher.HandleLine("PRIVILEGE SKYPEOUT bob");
  rig.Mark();
  QueueAndHandle({row.line});
  EXPECT_EQ(rig.Effects(), row.effects);
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(rig.handset.mode.load(), row.mode);
}

const IgnoredRow kIgnoredRows[] = {
    {"OptionOff", "CONTACTS FOCUSED bob", 0, false},
    {"BrowsingContacts", "CONTACTS FOCUSED bob", kModeBrowseContacts},
    {"BrowsingHistory", "CONTACTS FOCUSED bob", kModeBrowseHistory},
    {"MissedCallMessage", "CONTACTS FOCUSED bob", kModeMissedCalls | kModeRenderedText},
    {"NotFocused", "CONTACTS SELECTED bob"},
    {"NoHandle", "CONTACTS FOCUSED"},
    {"OneCharacterHandle", "CONTACTS FOCUSED b"},
    {"HistoryNotLoaded", "CONTACTS FOCUSED bob", 0, true, false, true, {"sleep 200"}},
    {"NoHandset", "CONTACTS FOCUSED bob", 0, true, true, false, {"sleep 200", "wait idle"}},
};

INSTANTIATE_TEST_SUITE_P(Dispatcher, FocusedContactIgnored, ::testing::ValuesIn(kIgnoredRows),
                         [](const ::testing::TestParamInfo<IgnoredRow>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
}  // namespace tolvane::testing
