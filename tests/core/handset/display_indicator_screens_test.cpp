// The screens the indicator streams: for every prepared mode the exact codes,
// characters and pauses sent to the handset, what the renderer is asked, the
// mode word left behind and the status refresh after the missed-call message.
#include <cctype>
#include <functional>

#include "display_indicator_fixture.h"
#include "interfaces/handset_mode.h"

namespace tolvane::testing {
namespace {

struct ScreenCase {
  const char* name;
  std::uint32_t mode;
  std::function<void(RecordingPhoneState&, RecordingContactList&)> prepare;
  EventLog::Events expected;
  std::uint32_t modeAfter;
};

void Nothing(RecordingPhoneState&, RecordingContactList&) {}

void HistoryEntry(RecordingPhoneState& phone, int type, int status) {
  phone.selectedType = type;
  phone.selectedStatus = status;
  phone.durationText.Set("0:42");
  phone.timestampText.Set("12/05 10:30");
  phone.selectedHandleText.Set("carol");
}

const ScreenCase kScreens[] = {
    {"rendered caller", kModeCallerIdAsked | kModeRenderedText, Nothing,
     Joined({kBeginScreen, {Char(106, 10), Paused(3), "renderer FinishDisplay"}, kEndOfScreen}), 0},
    {"rendered missed-call message", kModeMissedCalls | kModeRenderedText, Nothing,
     Joined({kBeginScreen, {Char(106, 10), Paused(3), "renderer FinishDisplay"}, kEndOfScreen, kStatusRefresh}), 0},
    {"rendered balance", kModeBalance | kModeRenderedText, Nothing,
     Joined({kBeginScreen, {Char(106, 10), Paused(3), "renderer FinishDisplay"}, kEndOfScreen}), 0},
    {"rendered focused contact, available",
     kModeFocusedContact | kModeRenderedText,
     [](RecordingPhoneState&, RecordingContactList& c) { c.lookedUpStatus = 5; },
     Joined({kBeginScreen, {Char(106, 10), Paused(3), "renderer FinishDisplay"}, kEndOfScreen}), 0},
    {"rendered focused contact, offline",
     kModeFocusedContact | kModeRenderedText,
     [](RecordingPhoneState&, RecordingContactList& c) { c.lookedUpStatus = 1; },
     Joined({kBeginScreen, {Char(107, 10), Paused(3), "renderer FinishDisplay"}, kEndOfScreen}), 0},
    {"balance bit under a focused contact shows the contact",
     kModeFocusedContact | kModeBalance | kModeRenderedText,
     [](RecordingPhoneState&, RecordingContactList& c) { c.lookedUpStatus = 7; },
     Joined({kBeginScreen, {Char(107, 10), Paused(3), "renderer FinishDisplay"}, kEndOfScreen}), 0},
    {"rendered browsed contact",
     kModeBrowseContacts | kModeRenderedText,
     [](RecordingPhoneState&, RecordingContactList& c) { c.selectedContactStatus = 2; },
     Joined({{Char(106, 10), Paused(1), "renderer FinishDisplay"}, kEndOfScreen}), kModeBrowseContacts},
    {"rendered browsed history entry, incoming missed",
     kModeBrowseHistory | kModeRenderedText,
     [](RecordingPhoneState& p, RecordingContactList&) { HistoryEntry(p, 2, 5); },
     Joined({{Char(109, 10), Paused(1), Char(129, 10), Paused(1)},
             Streamed("0:42"),
             {Char(128, 10), Paused(1)},
             Streamed("12/05 10:30"),
             {"renderer FinishDisplay"},
             kEndOfScreen}),
     kModeBrowseHistory},
    {"caller first, browse bit kept", kModeCallerIdAsked | kModeBrowseContacts | kModeRenderedText, Nothing,
     Joined({kBeginScreen, {Char(106, 10), Paused(3), "renderer FinishDisplay"}, kEndOfScreen}),
     kModeCallerIdAsked | kModeBrowseContacts},
    {"rendered bit with no screen of its kind", kModeRenderedText, Nothing, kEndOfScreen, 0},

    {"caller handle", kModeCallerIdAsked | kModeHandleText,
     [](RecordingPhoneState&, RecordingContactList& c) { c.shownHandleText.Set("bob"); },
     Joined({kBeginScreen, {Char(106, 10), Paused(3), Char(112, 10), Paused(1)}, Streamed("bob"), kEndOfScreen}),
     0},
    {"missed-call message as handle screen", kModeMissedCalls | kModeHandleText, Nothing,
     Joined({{Paused(15), Char(0, 79), Paused(25), "renderer FinishDisplay"}, kEndOfScreen, kStatusRefresh}), 0},
    {"browsed contact handle",
     kModeBrowseContacts | kModeHandleText,
     [](RecordingPhoneState&, RecordingContactList& c) {
       c.selectedContactStatus = 7;
       c.selectedContactHandleText.Set("alice");
     },
     Joined({{Char(107, 10), Paused(1), Char(112, 10), Paused(1)}, Streamed("alice"), kEndOfScreen}),
     kModeBrowseContacts},
    {"browsed history entry handle, outgoing",
     kModeBrowseHistory | kModeHandleText,
     [](RecordingPhoneState& p, RecordingContactList&) { HistoryEntry(p, 1, 4); },
     Joined({{Paused(1), Char(107, 10), Paused(1), Char(129, 10), Paused(1)},
             Streamed("0:42"),
             {Char(128, 10), Paused(1)},
             Streamed("12/05 10:30"),
             {Char(112, 10), Paused(1)},
             Streamed("carol"),
             kEndOfScreen}),
     kModeBrowseHistory},

    {"finished call's duration", kModeDuration,
     [](RecordingPhoneState& p, RecordingContactList&) { p.durationText.Set("1:05"); },
     Joined({{Paused(2), Char(0, 79), Paused(25), Char(131, 10), Paused(10)}, Streamed("1:05"), kEndOfScreen}), 0},
};

class ScreenTest : public DisplayIndicatorTest, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(ScreenTest, StreamsTheScreenAndEndsIt) {
  const ScreenCase& screen = GetParam();
  screen.prepare(phone, contacts);
  EXPECT_EQ(RunScreen(screen.mode), screen.expected);
  EXPECT_EQ(handset->Mode(), screen.modeAfter);
}

INSTANTIATE_TEST_SUITE_P(AllModes, ScreenTest, ::testing::ValuesIn(kScreens),
                         [](const ::testing::TestParamInfo<ScreenCase>& param) {
                           std::string name;
                           for (const char* c = param.param.name; *c != '\0'; ++c) {
                             if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                           }
                           return name;
                         });

// ---- Status marks ---------------------------------------------------------

struct HistoryMarkCase {
  int type;
  int status;
  int renderedMark;
  int handleMark;
};

// Incoming (types 0 and 2) and missed: 109; incoming otherwise: 106; other
// types: 107 on a rendered screen, and on a handle screen 107 only for the
// outgoing types, 0 for an unknown one.
const HistoryMarkCase kHistoryMarks[] = {
    {0, 5, 109, 109}, {2, 5, 109, 109}, {0, 3, 106, 106}, {2, 4, 106, 106}, {0, -1, 106, 106},
    {1, 5, 107, 107}, {3, 4, 107, 107}, {-1, 5, 107, 0},  {-1, 4, 107, 0},  {4, 4, 107, 0},
};

class MarkTest : public DisplayIndicatorTest {
 protected:
  // The status mark of one run of `mode`: its first code, or the second
  // one on screens that begin with (0, 79).
  std::string MarkOf(std::uint32_t mode, std::size_t position = 0) {
    const std::size_t before = log.Matching("lib SendDisplayChar").size();
    RunScreen(mode);
    return log.Matching("lib SendDisplayChar").at(before + position);
  }
};

TEST_F(MarkTest, HistoryEntryMarkByTypeAndStatus) {
  for (const HistoryMarkCase& entry : kHistoryMarks) {
    SCOPED_TRACE("type " + std::to_string(entry.type) + " status " + std::to_string(entry.status));
    phone.selectedType = entry.type;
    phone.selectedStatus = entry.status;
    EXPECT_EQ(MarkOf(kModeBrowseHistory | kModeRenderedText), Char(entry.renderedMark, 10));
    EXPECT_EQ(MarkOf(kModeBrowseHistory | kModeHandleText), Char(entry.handleMark, 10));
  }
}

TEST_F(MarkTest, ContactMarkByOnlineStatus) {
  // 106: ONLINE, SKYPEME, AWAY, NA, DND, INVISIBLE; 107: OFFLINE, SKYPEOUT
  // and anything unknown.
  const int marks[] = {106, 107, 106, 106, 106, 106, 106, 107};
  for (int status = -1; status <= 8; ++status) {
    SCOPED_TRACE("status " + std::to_string(status));
    contacts.selectedContactStatus = status;
    const int expected = status >= 0 && status <= 7 ? marks[status] : 107;
    EXPECT_EQ(MarkOf(kModeBrowseContacts | kModeRenderedText), Char(expected, 10));
    EXPECT_EQ(MarkOf(kModeBrowseContacts | kModeHandleText), Char(expected, 10));
    contacts.lookedUpStatus = status;
    EXPECT_EQ(MarkOf(kModeFocusedContact | kModeRenderedText, 1), Char(expected, 10));
  }
}

TEST_F(DisplayIndicatorTest, TextBytesAboveAsciiGoOutAsCodesUpTo255) {
  contacts.shownHandleText.Set("\xE9\xFF");
  EXPECT_EQ(RunScreen(kModeCallerIdAsked | kModeHandleText),
            Joined({kBeginScreen,
                    {Char(106, 10), Paused(3), Char(112, 10), Paused(1)},
                    {Char(233, 0), Paused(1), Char(255, 5), Paused(1)},
                    kEndOfScreen}));
}

TEST_F(DisplayIndicatorTest, ARefusedMarkEndsTheRenderedCallerScreenWithoutTheText) {
  library.result = 1;
  EXPECT_EQ(RunScreen(kModeCallerIdAsked | kModeRenderedText), Joined({kBeginScreen, {Char(106, 10)}, kEndOfScreen}));
}

TEST_F(DisplayIndicatorTest, WithoutStoresTheEntryScreensShowNoEntry) {
  handset->SetPorts({&transport, &link, nullptr, nullptr, nullptr, nullptr, &pacing, nullptr, &threads});
  EXPECT_EQ(RunScreen(kModeBrowseContacts | kModeHandleText),
            Joined({{Char(107, 10), Paused(1), Char(112, 10), Paused(1)}, kEndOfScreen}));
}

}  // namespace
}  // namespace tolvane::testing
