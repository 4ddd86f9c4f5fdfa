#include "common/bounded_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace tolvane {
namespace {

TEST(CopyBoundedTest, CutsLongTextAtTheBufferAndTerminates) {
  char buf[8];
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(CopyBounded(buf, sizeof buf, "0123456789"), 7u);
  EXPECT_STREQ(buf, "0123456");
}

TEST(CopyBoundedTest, ZeroSizeWritesNothing) {
  char buf[2] = {'a', 'b'};
  EXPECT_EQ(CopyBounded(buf, 0, "zz"), 0u);
  EXPECT_EQ(buf[0], 'a');
}

TEST(CopyBoundedTest, TextBufferHoldsAtMost254Characters) {
  char buf[kTextBufferSize + 1];
  buf[kTextBufferSize] = '#';
  EXPECT_EQ(CopyText(buf, std::string(300, 'a')), 254u);
  EXPECT_EQ(buf[254], '\0');
  EXPECT_EQ(buf[kTextBufferSize], '#');  // the byte after the buffer is never touched
}

}  // namespace
}  // namespace tolvane
