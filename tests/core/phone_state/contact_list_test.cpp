#include "phone_state/contact_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/fakes/command_recording_link.h"
#include "protocol/command_kind.h"

namespace tolvane {
namespace {

using testing::CommandRecordingLink;
using testing::RecordedCommand;

constexpr int kOnline = 0;
constexpr int kOffline = 1;
constexpr int kAway = 3;

class ContactListTest : public ::testing::Test {
 protected:
  void Name(const std::string& handle, const std::string& name) {
    ASSERT_EQ(list.SetContactName(handle.c_str(), name.c_str(), static_cast<int>(name.size() + 1)), kOk);
  }
  void Online(const std::string& handle, int status = kOnline) {
    ASSERT_EQ(list.SetContactStatus(handle.c_str(), status), kOk);
  }
  // Adds contacts (offline) whose names are their handles.
  void AddNamed(const std::vector<std::string>& handles) {
    for (const auto& h : handles) {
      list.AddContact(h.c_str(), kOffline);
      Name(h, h);
    }
  }

  // The display order, read the way the handset browses: all contacts, one
  // step forward at a time.
  std::vector<std::string> DisplayOrder() {
    int count = 0;
    list.GetContactCount(&count);
    std::vector<std::string> handles;
    list.SetBrowseAllContacts(1);
    list.ResetContactBrowse();
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(list.StepContact(0, i == 0 ? 0 : 1), kOk);
      handles.push_back(SelectedHandle());
    }
    list.SetBrowseAllContacts(0);
    list.ResetContactBrowse();
    return handles;
  }

  std::string SelectedHandle() {
    char out[kTextBufferSize];
    list.GetSelectedContactHandle(out);
    return out;
  }
  std::string SelectedName() {
    char out[kTextBufferSize] = "untouched";
    list.GetSelectedContactName(out);
    return out;
  }
  std::string EntryHandle(int index) {
    char out[kTextBufferSize] = {};
    int status = -9;
    if (list.GetContactAt(index, out, &status) != kOk) return "<none>";
    return out;
  }

  CommandRecordingLink link;
  ContactList list{link};
};

TEST_F(ContactListTest, UsersReplyAddsEachNewHandleOnceAndAsksForItsName) {
  EXPECT_EQ(list.TakeUsersReply("USERS alice, Bob, ALICE"), kOk);
  int count = 0;
  list.GetContactCount(&count);
  EXPECT_EQ(count, 2);
  const std::vector<RecordedCommand> expected = {{kCmdGetUserDisplayName, "alice", 0},
                                                 {kCmdGetUserDisplayName, "Bob", 0}};
  EXPECT_EQ(link.Commands(), expected);
  int status = -9;
  char handle[kTextBufferSize];
  ASSERT_EQ(list.GetContactAt(1, handle, &status), kOk);
  EXPECT_STREQ(handle, "Bob");
  EXPECT_EQ(status, kOffline);
}

TEST_F(ContactListTest, UsersReplySplitsAtCommasAndBlanksAndKeepsContactsItDoesNotName) {
  list.TakeUsersReply("USERS a,b , c");
  list.TakeUsersReply("USERS  c,,d");
  EXPECT_EQ(DisplayOrder(), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(link.Commands().size(), 4u);
  list.TakeUsersReply("USERS");
  EXPECT_EQ(link.Commands().size(), 4u);
}

TEST_F(ContactListTest, AddContactReportsWhetherTheHandleWasAlreadyListed) {
  EXPECT_EQ(list.AddContact("carol", kOffline), kFail);  // added
  EXPECT_EQ(list.AddContact("CAROL", kOnline), kOk);     // already there: nothing changes
  int count = 0;
  list.GetContactCount(&count);
  EXPECT_EQ(count, 1);
  int status = -9;
  char handle[kTextBufferSize];
  list.GetContactAt(0, handle, &status);
  EXPECT_STREQ(handle, "carol");
  EXPECT_EQ(status, kOffline);
}

TEST_F(ContactListTest, AppendContactAddsDuplicatesAndTheFirstOneIsFound) {
  list.AppendContact("dup", kOffline);
  list.AppendContact("DUP", kAway);
  int count = 0;
  list.GetContactCount(&count);
  EXPECT_EQ(count, 2);
  char name[kTextBufferSize];
  list.SetContactName("dup", "first", 6);
  list.LookupContactName("Dup", name);
  EXPECT_STREQ(name, "first");
  // Once the first is removed, the duplicate answers for the handle.
  list.RemoveContact("dup");
  list.LookupContactName("dup", name);
  EXPECT_STREQ(name, "");
  int status = -9;
  list.GetLookedUpStatus(&status);
  EXPECT_EQ(status, kAway);
}

TEST_F(ContactListTest, ContactsComingOnlineAreSortedByUpperCasedNameAheadOfOfflineOnes) {
  AddNamed({"zed", "Carol", "yan", "alice", "Bob", "xena"});
  Online("Carol");
  Online("alice");
  Online("Bob", kAway);
  EXPECT_EQ(DisplayOrder(), (std::vector<std::string>{"alice", "Bob", "Carol", "zed", "yan", "xena"}));
}

TEST_F(ContactListTest, GoingOfflineLeavesTheContactWhereItIs) {
  AddNamed({"a", "b", "c"});
  Online("c");
  Online("c", kOffline);
  EXPECT_EQ(DisplayOrder(), (std::vector<std::string>{"c", "a", "b"}));
  Online("b", 99);  // outside 0-7: not available, no move
  EXPECT_EQ(DisplayOrder(), (std::vector<std::string>{"c", "a", "b"}));
}

TEST_F(ContactListTest, AMovingContactStopsBehindTheFirstAvailableContactWithASmallerName) {
  AddNamed({"m", "x", "a"});
  Online("a");
  Online("x");
  // Order now a, x, m. m passes x (larger name) and stops behind a.
  Online("m");
  EXPECT_EQ(DisplayOrder(), (std::vector<std::string>{"a", "m", "x"}));
}

// A rename that keeps a name's first eight bytes, in a list long enough for
// the order to be kept in parts: a contact coming online later still stops
// behind the renamed one, at its sorted place. Listed in this order, with
// those from "Johannes 047" on online first, the renamed contact heads one
// of the parts.
TEST_F(ContactListTest, AContactComingOnlineStopsBehindAContactRenamedWithinALongList) {
  std::vector<std::string> handles;
  for (int i = 0; i < 400; ++i) {
    char handle[16];
    std::snprintf(handle, sizeof handle, "Johannes %03d", (i + 47) % 400);
    handles.push_back(handle);
  }
  AddNamed(handles);
  for (const std::string& handle : handles) Online(handle);
  AddNamed({"Johannes (work)"});
  Name("Johannes 175", "Johannes (home)");  // "(" sorts before the digits
  Online("Johannes (work)");
  const std::vector<std::string> order = DisplayOrder();
  ASSERT_EQ(order.size(), 401u);
  EXPECT_EQ(order[0], "Johannes 000");
  EXPECT_EQ(order[175], "Johannes 175");
  EXPECT_EQ(order[176], "Johannes (work)");
  EXPECT_EQ(order[177], "Johannes 176");
}

TEST_F(ContactListTest, OnlyAChangeOfStatusMovesAContact) {
  AddNamed({"b", "a"});
  Online("b");
  Online("a", kAway);
  EXPECT_EQ(DisplayOrder(), (std::vector<std::string>{"a", "b"}));
  Name("b", "0 first");  // b now sorts first, but a name alone moves nothing
  Online("b");          // the same status again: no move either
  EXPECT_EQ(DisplayOrder(), (std::vector<std::string>{"a", "b"}));
  Online("b", kAway);
  EXPECT_EQ(DisplayOrder(), (std::vector<std::string>{"b", "a"}));
}

TEST_F(ContactListTest, MoveContactByStatusRejectsAnIndexOutsideTheEntries) {
  AddNamed({"a"});
  EXPECT_EQ(list.MoveContactByStatus(1, kOnline), kFail);
  EXPECT_EQ(list.MoveContactByStatus(-1, kOnline), kFail);
  EXPECT_EQ(list.MoveContactByStatus(0, kOnline), kOk);
}

TEST_F(ContactListTest, MoveByNameAndByHandleIgnoreStatus) {
  AddNamed({"c", "b"});
  list.AddContact("a", kOffline);
  Name("a", "ZZ");
  list.MoveContactByName(1);   // b passes c
  EXPECT_EQ(DisplayOrder(), (std::vector<std::string>{"b", "c", "a"}));
  list.MoveContactByHandle(2);  // a passes c and b by its handle
  EXPECT_EQ(DisplayOrder(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(ContactListTest, RemovingTheFirstOfThreeRenumbersTheOthers) {
  AddNamed({"a", "b", "c"});
  Online("c");
  EXPECT_EQ(list.RemoveContact("A"), kOk);
  EXPECT_EQ(EntryHandle(0), "b");
  EXPECT_EQ(EntryHandle(1), "c");
  EXPECT_EQ(EntryHandle(2), "<none>");
  EXPECT_EQ(DisplayOrder(), (std::vector<std::string>{"c", "b"}));
  // Later moves and lookups still find the renumbered entries.
  Online("b");
  EXPECT_EQ(DisplayOrder(), (std::vector<std::string>{"b", "c"}));
  EXPECT_EQ(list.SetContactStatus("c", kAway), kOk);
}

// Every rename and removal leaves the old texts behind until the store
// copies the live ones into fresh memory: handles, names and the order by
// name must come through those copies intact.
TEST_F(ContactListTest, HandlesAndNamesSurviveManyRenamesAndRemovals) {
  AddNamed({"keep", "gone", "other"});
  Online("other");
  for (int round = 0; round < 2000; ++round) {
    Name("keep", "Renamed contact number " + std::to_string(round));
    Name("gone", "Z" + std::to_string(round));
  }
  ASSERT_EQ(list.RemoveContact("GONE"), kOk);
  Online("keep");
  EXPECT_EQ(EntryHandle(0), "keep");
  EXPECT_EQ(EntryHandle(1), "other");
  EXPECT_EQ(DisplayOrder(), (std::vector<std::string>{"other", "keep"}));
  char name[kTextBufferSize] = {};
  list.LookupContactName("KEEP", name);
  EXPECT_STREQ(name, "Renamed contact number 1999");
  list.LookupContactName("other", name);
  EXPECT_STREQ(name, "other");
}

TEST_F(ContactListTest, RemovingAnUnlistedHandleChangesNothing) {
  AddNamed({"a"});
  EXPECT_EQ(list.RemoveContact("nobody"), kOk);
  EXPECT_EQ(DisplayOrder(), (std::vector<std::string>{"a"}));
}

TEST_F(ContactListTest, UnlistedHandlesAreReported) {
  EXPECT_EQ(list.SetContactStatus("ghost", kOnline), kFail);
  EXPECT_EQ(list.SetContactName("ghost", "G", 2), kFail);
  EXPECT_EQ(list.GetContactAt(0, nullptr, nullptr), kFail);
}

TEST_F(ContactListTest, ClearContactsEmptiesTheStoreAndBrowsingFails) {
  AddNamed({"a", "b"});
  Online("a");
  ASSERT_EQ(list.StepContact(0, 0), kOk);
  list.ClearContacts();
  int count = -1;
  list.GetContactCount(&count);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(list.StepContact(0, 0), kFail);
  EXPECT_EQ(list.AddContact("a", kOffline), kFail);  // added anew
}

TEST_F(ContactListTest, NameIsCutAtTheFirstZeroWithinItsLength) {
  list.AddContact("h", kOffline);
  const char bytes[] = "Hal\0garbage";
  list.SetContactName("h", bytes, sizeof bytes);
  char out[kTextBufferSize];
  list.LookupContactName("h", out);
  EXPECT_STREQ(out, "Hal");
  list.SetContactName("h", "Hank", 2);  // exactly the given number of bytes
  list.LookupContactName("h", out);
  EXPECT_STREQ(out, "Ha");
}

TEST_F(ContactListTest, LongNamesAreCutToTheCallersBuffer) {
  list.AddContact("long", kOnline);
  const std::string name(400, 'n');
  Name("long", name);
  char out[kTextBufferSize + 1];
  out[kTextBufferSize] = '#';
  list.LookupContactName("long", out);
  EXPECT_EQ(std::strlen(out), kMaxTextLength);
  EXPECT_EQ(out[kTextBufferSize], '#');
  ASSERT_EQ(list.StepContact(0, 0), kOk);
  out[kTextBufferSize] = '#';
  list.GetSelectedContactName(out);
  EXPECT_EQ(std::strlen(out), kMaxTextLength);
  EXPECT_EQ(out[kTextBufferSize], '#');
}

TEST_F(ContactListTest, LookupOfAnUnlistedHandleLeavesTheOutputEmptyAndTheStatusAsItWas) {
  int status = 0;
  list.GetLookedUpStatus(&status);
  EXPECT_EQ(status, -1);
  list.AddContact("k", kAway);
  Name("k", "Kim");
  char out[kTextBufferSize] = "stale";
  list.LookupContactName("K", out);
  EXPECT_STREQ(out, "Kim");
  strcpy(out, "stale");
  list.LookupContactName("nobody", out);
  EXPECT_STREQ(out, "");
  list.GetLookedUpStatus(&status);
  EXPECT_EQ(status, kAway);
}

TEST_F(ContactListTest, SkypeOutBalanceKeepsTheSignedValue) {
  std::int32_t balance = 1;
  list.GetSkypeOutBalance(&balance);
  EXPECT_EQ(balance, 0);
  list.SetSkypeOutBalance(-250);
  list.GetSkypeOutBalance(&balance);
  EXPECT_EQ(balance, -250);
}

TEST_F(ContactListTest, ShownHandleIsStreamedCharacterByCharacterAndRestarts) {
  char c = 0;
  EXPECT_EQ(list.ReadShownHandleChar(&c), kFail);  // empty
  list.SetShownHandle("ab");
  std::string streamed;
  while (list.ReadShownHandleChar(&c) == kOk) streamed += c;
  EXPECT_EQ(streamed, "ab");
  ASSERT_EQ(list.ReadShownHandleChar(&c), kOk);  // started over
  EXPECT_EQ(c, 'a');
  list.SetShownHandle("xy");  // a new handle starts at its beginning
  ASSERT_EQ(list.ReadShownHandleChar(&c), kOk);
  EXPECT_EQ(c, 'x');
}

TEST_F(ContactListTest, SelectedHandleCanBeStreamedTwiceWithoutAStep) {
  list.AddContact("pat", kOnline);
  ASSERT_EQ(list.StepContact(0, 0), kOk);
  for (int round = 0; round < 2; ++round) {
    std::string streamed;
    char c = 0;
    while (list.ReadSelectedContactHandleChar(&c) == kOk) streamed += c;
    EXPECT_EQ(streamed, "pat") << "round " << round;
  }
}

TEST_F(ContactListTest, SelectedHandleStreamRestartsAfterResetOrStep) {
  list.AddContact("pat", kOnline);
  list.StepContact(0, 0);
  char c = 0;
  list.ReadSelectedContactHandleChar(&c);
  list.ResetContactBrowse();
  ASSERT_EQ(list.ReadSelectedContactHandleChar(&c), kOk);
  EXPECT_EQ(c, 'p');
  list.ReadSelectedContactHandleChar(&c);
  list.StepContact(0, 0);
  ASSERT_EQ(list.ReadSelectedContactHandleChar(&c), kOk);
  EXPECT_EQ(c, 'p');
}

TEST_F(ContactListTest, ShownNameIsKeptAndReportedEmptyWhenUnset) {
  char out[kTextBufferSize] = "x";
  EXPECT_EQ(list.GetShownName(out), kFail);
  EXPECT_STREQ(out, "");
  list.SetShownName("Caller");
  EXPECT_EQ(list.GetShownName(out), kOk);
  EXPECT_STREQ(out, "Caller");
}

TEST_F(ContactListTest, CustomCaseMappingDecidesWhichHandlesMatch) {
  // Latin-1 e-acute and E-acute, which the ASCII default keeps apart.
  class Latin1Mapping final : public CaseMapping {
   public:
    std::string Upper(std::string_view text) const override {
      std::string s = AsciiCaseMapping().Upper(text);
      for (char& ch : s) {
        if (static_cast<unsigned char>(ch) == 0xE9) ch = static_cast<char>(0xC9);
      }
      return s;
    }
  } latin1;
  ContactList wide{link, latin1};
  wide.AddContact("\xE9ve", kOffline);
  EXPECT_EQ(wide.AddContact("\xC9VE", kOffline), kOk);
  EXPECT_EQ(list.AddContact("\xE9ve", kOffline), kFail);
  EXPECT_EQ(list.AddContact("\xC9VE", kOffline), kFail);
}

}  // namespace
}  // namespace tolvane
