#include "common/windows_version.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(WindowsVersion, ClassesOfTheKnownSystems) {
  struct Case {
    bool nineX;
    unsigned major, minor;
    int expected;
  } cases[] = {
      {true, 4, 0, 1},    // 95
      {true, 4, 10, 1},   // 98
      {true, 4, 90, 2},   // Me
      {false, 5, 0, 3},   // 2000
      {false, 5, 1, 4},   // XP
      {false, 6, 0, 3},   // Vista
      {false, 6, 1, 4},   // 7
      {false, 6, 2, 3},   // 8, and 10 without a manifest
      {false, 10, 0, 3},  // 10 and 11
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyWindowsVersion(c.nineX, c.major, c.minor), c.expected) << c.major << "." << c.minor;
  }
}

}  // namespace
}  // namespace tolvane
