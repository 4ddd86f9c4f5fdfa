#include <gtest/gtest.h>

#include <string>

#include "phone_state/phone_state.h"
#include "phone_state_support.h"

namespace tolvane {
namespace {

using testing::AddListed;
using testing::FixedZoneClock;
using testing::ReadAll;

std::string TimestampText(PhoneState& store) {
  return ReadAll([&](char* c) { return store.ReadTimestampTextChar(c); });
}
std::string DurationText(PhoneState& store) {
  return ReadAll([&](char* c) { return store.ReadDurationTextChar(c); });
}
std::string ClockText(PhoneState& store) {
  return ReadAll([&](char* c) { return store.ReadClockTextChar(c); });
}

// Selects the one history entry and fills the view from it.
void SelectOnly(PhoneState& store, int timestamp, int duration) {
  AddListed(store, 1, 0, 4);
  store.SetHistoryTimestamp(1, timestamp);
  store.SetHistoryDuration(1, duration);
  store.ResetBrowse();
  int id = 0;
  store.BrowseStep(0, 0, &id);
  store.RefreshSelected(id);
}

constexpr int k2026Dec06_0538Utc = 1796535480;  // 6 December 2026, 05:38:00 UTC

TEST(PhoneStateTextsTest, TimestampIsShownAsLocalMonthDayYearHourMinute) {
  struct Case {
    long long zoneOffset;
    int timestamp;
    const char* text;
  };
  const Case cases[] = {
      {0, k2026Dec06_0538Utc, "12/06/26 05:38"},
      {0, k2026Dec06_0538Utc + 59, "12/06/26 05:38"},  // seconds are not shown
      {-6 * 3600, k2026Dec06_0538Utc, "12/05/26 23:38"},  // the zone moves the date
      {9 * 3600, k2026Dec06_0538Utc, "12/06/26 14:38"},
      {0, 86400 * 31, "02/01/70 00:00"},
  };
  for (const Case& c : cases) {
    const FixedZoneClock clock(c.zoneOffset);
    PhoneState store(clock);
    SelectOnly(store, c.timestamp, 0);
    EXPECT_EQ(TimestampText(store), c.text) << c.timestamp << " at offset " << c.zoneOffset;
  }
}

TEST(PhoneStateTextsTest, NoTimestampAndNoDurationShowZeros) {
  const FixedZoneClock clock(0);
  PhoneState store(clock);
  SelectOnly(store, 0, 0);
  EXPECT_EQ(TimestampText(store), "00:00:00");
  EXPECT_EQ(DurationText(store), "00:00:00");
}

TEST(PhoneStateTextsTest, DurationHoursAreNotWrapped) {
  struct Case {
    unsigned int seconds;
    const char* text;
  };
  const Case cases[] = {
      {0, "00:00:00"},        {59, "00:00:59"},          {60, "00:01:00"},
      {3661, "01:01:01"},     {86399, "23:59:59"},       {86400, "24:00:00"},
      {360000, "100:00:00"},  {4294967295u, "1193046:28:15"},
  };
  for (const Case& c : cases) {
    PhoneState store;
    store.SetDurationText(c.seconds);
    EXPECT_EQ(DurationText(store), c.text) << c.seconds;
    if (c.seconds <= 360000) {
      PhoneState viewed;
      SelectOnly(viewed, 0, static_cast<int>(c.seconds));
      EXPECT_EQ(DurationText(viewed), c.text) << "selected entry with " << c.seconds;
    }
  }
}

TEST(PhoneStateTextsTest, TimestampReaderEndsThenStartsOver) {
  const FixedZoneClock clock(0);
  PhoneState store(clock);
  SelectOnly(store, k2026Dec06_0538Utc, 0);
  char c = 0;
  for (int i = 0; i < 14; ++i) ASSERT_EQ(store.ReadTimestampTextChar(&c), kOk) << i;
  EXPECT_EQ(c, '8');
  EXPECT_EQ(store.ReadTimestampTextChar(&c), kFail);
  EXPECT_EQ(store.ReadTimestampTextChar(&c), kOk);
  EXPECT_EQ(c, '1');
}

TEST(PhoneStateTextsTest, DurationReaderStartsOverWhenANewDurationIsSet) {
  PhoneState store;
  store.SetDurationText(3661);
  char c = 0;
  store.ReadDurationTextChar(&c);
  store.ReadDurationTextChar(&c);
  store.SetCurrentDuration(125);
  EXPECT_EQ(DurationText(store), "00:02:05");
}

TEST(PhoneStateTextsTest, ReadersOfEmptyTextsFail) {
  PhoneState store;
  char c = 'x';
  EXPECT_EQ(store.ReadTimestampTextChar(&c), kFail);
  EXPECT_EQ(store.ReadDurationTextChar(&c), kFail);
  EXPECT_EQ(store.ReadClockTextChar(&c), kFail);
  EXPECT_EQ(c, 'x');
}

TEST(PhoneStateTextsTest, ClockShowsTheLocalTimeOfDay) {
  FixedZoneClock clock(3600, k2026Dec06_0538Utc + 7);
  PhoneState store(clock);
  store.FormatClock();
  EXPECT_EQ(ClockText(store), "06:38:07");
  char c = 0;
  EXPECT_EQ(store.ReadClockTextChar(&c), kOk) << "starts over after the end";
  EXPECT_EQ(c, '0');

  clock.SetNow(k2026Dec06_0538Utc + 17 * 3600 + 61);
  store.FormatClock();
  EXPECT_EQ(ClockText(store), "23:39:01");
}

TEST(PhoneStateTextsTest, SystemClockTextsHaveTheirFixedWidths) {
  // The platform's own zone: only the shape can be checked here.
  PhoneState store;
  store.FormatClock();
  const std::string clockText = ClockText(store);
  ASSERT_EQ(clockText.size(), 8u);
  EXPECT_EQ(clockText[2], ':');
  SelectOnly(store, k2026Dec06_0538Utc, 0);
  const std::string stamp = TimestampText(store);
  ASSERT_EQ(stamp.size(), 14u);
  EXPECT_EQ(stamp.substr(2, 1) + stamp.substr(5, 1) + stamp.substr(8, 1), "// ");
}

}  // namespace
}  // namespace tolvane
