#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fakes/command_recording_link.h"
#include "phone_state/contact_list.h"

namespace tolvane {
namespace {

constexpr int kOnline = 0;
constexpr int kOffline = 1;

// A list whose display order is exactly the given handles (no moves), with
// the given statuses.
class ContactBrowseTest : public ::testing::Test {
 protected:
  void Fill(const std::vector<std::pair<std::string, int>>& contacts) {
    for (const auto& [handle, status] : contacts) {
      list.AppendContact(handle.c_str(), status);
      list.SetContactName(handle.c_str(), ("name of " + handle).c_str(), static_cast<int>(handle.size() + 9));
    }
  }
  std::string Selected() {
    char out[kTextBufferSize];
    list.GetSelectedContactHandle(out);
    return out;
  }

  testing::CommandRecordingLink link;
  ContactList list{link};
};

TEST_F(ContactBrowseTest, EmptyListFailsInEveryMode) {
  for (int all : {0, 1}) {
    list.SetBrowseAllContacts(all);
    for (int backward : {0, 1}) {
      EXPECT_EQ(list.StepContact(backward, 1), kFail);
      EXPECT_EQ(list.StepContact(backward, 0), kFail);
    }
  }
  EXPECT_EQ(Selected(), "");
  char name[kTextBufferSize];
  EXPECT_EQ(list.GetSelectedContactName(name), kFail);
}

TEST_F(ContactBrowseTest, ForwardWithoutAdvanceOnAFreshListSelectsTheFirstAvailable) {
  Fill({{"off1", kOffline}, {"on1", kOnline}, {"on2", 4}});
  ASSERT_EQ(list.StepContact(0, 0), kOk);
  EXPECT_EQ(Selected(), "on1");
  char name[kTextBufferSize];
  ASSERT_EQ(list.GetSelectedContactName(name), kOk);
  EXPECT_STREQ(name, "name of on1");
  int status = -9;
  list.GetSelectedContactStatus(&status);
  EXPECT_EQ(status, kOnline);
  ASSERT_EQ(list.StepContact(0, 1), kOk);
  EXPECT_EQ(Selected(), "on2");
  list.GetSelectedContactStatus(&status);
  EXPECT_EQ(status, 4);
}

TEST_F(ContactBrowseTest, NoAvailableContactFailsAndKeepsTheSelection) {
  Fill({{"off1", kOffline}, {"off2", 42}});
  int status = 0;
  list.GetSelectedContactStatus(&status);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(list.StepContact(0, 0), kFail);
  EXPECT_EQ(Selected(), "");
  EXPECT_EQ(list.StepContact(1, 1), kFail);
  EXPECT_EQ(Selected(), "");
}

TEST_F(ContactBrowseTest, AvailableModeSkipsOfflineBothWaysAndFailsAtTheEnds) {
  Fill({{"a", kOnline}, {"x", kOffline}, {"b", kOnline}, {"y", kOffline}});
  ASSERT_EQ(list.StepContact(0, 0), kOk);
  EXPECT_EQ(Selected(), "a");
  ASSERT_EQ(list.StepContact(0, 1), kOk);
  EXPECT_EQ(Selected(), "b");
  // Forward past the last available: fails, the cursor returns to b.
  EXPECT_EQ(list.StepContact(0, 1), kFail);
  EXPECT_EQ(Selected(), "b");
  ASSERT_EQ(list.StepContact(1, 1), kOk);
  EXPECT_EQ(Selected(), "a");
  // Backward from the first position: fails, selection stays on a.
  EXPECT_EQ(list.StepContact(1, 1), kFail);
  EXPECT_EQ(Selected(), "a");
  ASSERT_EQ(list.StepContact(0, 1), kOk);
  EXPECT_EQ(Selected(), "b");
}

TEST_F(ContactBrowseTest, AllModeVisitsEveryContactAndStopsAtBothEnds) {
  Fill({{"a", kOnline}, {"x", kOffline}, {"b", kOnline}});
  list.SetBrowseAllContacts(1);
  std::vector<std::string> seen;
  ASSERT_EQ(list.StepContact(0, 0), kOk);
  seen.push_back(Selected());
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(list.StepContact(0, 1), kOk);  // stays on the last one at the end
    seen.push_back(Selected());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "x", "b", "b"}));
  ASSERT_EQ(list.StepContact(1, 1), kOk);
  EXPECT_EQ(Selected(), "x");
  ASSERT_EQ(list.StepContact(1, 0), kOk);
  EXPECT_EQ(Selected(), "a");
  ASSERT_EQ(list.StepContact(1, 0), kOk);  // stays on the first
  EXPECT_EQ(Selected(), "a");
}

TEST_F(ContactBrowseTest, ResetStartsBrowsingFromTheTopAgain) {
  Fill({{"a", kOnline}, {"b", kOnline}});
  list.StepContact(0, 0);
  list.StepContact(0, 1);
  EXPECT_EQ(Selected(), "b");
  list.ResetContactBrowse();
  ASSERT_EQ(list.StepContact(0, 0), kOk);
  EXPECT_EQ(Selected(), "a");
}

TEST_F(ContactBrowseTest, RemovalsBehindTheCursorDoNotLeadBrowsingPastTheEnd) {
  Fill({{"a", kOnline}, {"b", kOnline}, {"c", kOnline}});
  list.SetBrowseAllContacts(1);
  list.StepContact(0, 0);
  list.StepContact(0, 1);
  list.StepContact(0, 1);
  EXPECT_EQ(Selected(), "c");
  list.RemoveContact("c");
  list.RemoveContact("b");
  ASSERT_EQ(list.StepContact(0, 1), kOk);
  EXPECT_EQ(Selected(), "a");
  list.SetBrowseAllContacts(0);
  ASSERT_EQ(list.StepContact(1, 1), kFail);
  ASSERT_EQ(list.StepContact(0, 0), kOk);
  EXPECT_EQ(Selected(), "a");
}

TEST_F(ContactBrowseTest, SelectionKeepsItsOwnCopyWhenTheContactChanges) {
  Fill({{"a", kOnline}});
  list.StepContact(0, 0);
  list.SetContactName("a", "renamed", 8);
  list.RemoveContact("a");
  EXPECT_EQ(Selected(), "a");
  char name[kTextBufferSize];
  ASSERT_EQ(list.GetSelectedContactName(name), kOk);
  EXPECT_STREQ(name, "name of a");
}

}  // namespace
}  // namespace tolvane
