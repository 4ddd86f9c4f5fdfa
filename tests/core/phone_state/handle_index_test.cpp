#include "phone_state/handle_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvane {
namespace {

// Thousands of keys through several growths, a repeated key keeping its
// first entry, and keys that are absent or differ only in length.
TEST(HandleIndexTest, FindsTheFirstEntryOfEveryKeyThroughGrowth) {
  std::vector<std::string> keys;
  HandleIndex index;
  auto keyOf = [&](int entry) { return std::string_view(keys[static_cast<std::size_t>(entry)]); };
  EXPECT_EQ(index.Find("ECHO123", keyOf), -1);  // empty
  for (int i = 0; i < 5000; ++i) {
    keys.push_back("USER." + std::to_string(i));
    index.Insert(keys.back(), i, keyOf);
  }
  keys.push_back("USER.7");  // the same handle listed again
  index.Insert(keys.back(), 5000, keyOf);
  for (int i = 0; i < 5000; ++i) ASSERT_EQ(index.Find("USER." + std::to_string(i), keyOf), i);
  for (const char* absent : {"USER.5000", "USER.", "USER.70000", "", "user.1"}) {
    EXPECT_EQ(index.Find(absent, keyOf), -1) << absent;
  }
  index.Clear();
  EXPECT_EQ(index.Find("USER.1", keyOf), -1);
}

}  // namespace
}  // namespace tolvane
