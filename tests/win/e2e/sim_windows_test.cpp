// The simulators' own windows, clicked as a person would click them: keys
// of the handset's window go to Tolvane as the handset's key reports and on
// to the client, and a button of the client's window makes a call come in
// that rings the handset.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "call_fixture.h"

namespace tolvane::testing {
namespace {

constexpr int kAckBase = 0x50;

class SimulatorWindowsTest : public CallTest {
 protected:
  // The left mouse button pressed and let go over the middle of the
  // window's button of that caption.
  static void Click(HWND window, const char* caption) {
    const HWND button = FindWindowExA(window, nullptr, "BUTTON", caption);
    ASSERT_NE(button, nullptr) << caption;
    RECT box{};
    GetClientRect(button, &box);
    const LPARAM middle = MAKELPARAM(box.right / 2, box.bottom / 2);
    ASSERT_TRUE(PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, middle));
    ASSERT_TRUE(PostMessageA(button, WM_LBUTTONUP, 0, middle));
  }

  // The handset's codes since the start, its key acknowledgements left out.
  Codes CallCodes() const {
    Codes codes;
    for (int code : CodesSinceStart()) {
      if (code < kAckBase || code >= kAckBase + 4) codes.push_back(code);
    }
    return codes;
  }

  Lines ReceivedStartingWith(const std::string& prefix) const {
    Lines lines;
    for (const std::string& line : Texts(OfKind(transcript->Read(), "recv"))) {
      if (line.starts_with(prefix)) lines.push_back(line);
    }
    return lines;
  }
};

TEST_F(SimulatorWindowsTest, DiallingOnTheHandsetsKeysCallsAndTheClientsIncomingButtonRings) {
  StartReady();
  Handset("window show");
  Control("window show");
  const HWND keys = FindWindowA("SimHandsetWindow", nullptr);
  const HWND client = FindWindowA("tskMainForm.UnicodeClass", nullptr);
  ASSERT_NE(keys, nullptr);
  ASSERT_NE(client, nullptr);

  // Typed into the client's dial field and called from there.
  for (const char* key : {"1", "2", "3", "Send"}) Click(keys, key);
  ASSERT_TRUE(WaitForReceived("BTN_RELEASED YES"));
  EXPECT_EQ(ReceivedStartingWith("BTN_RELEASED"),
            (Lines{"BTN_RELEASED 1", "BTN_RELEASED 2", "BTN_RELEASED 3", "BTN_RELEASED YES"}));
  ASSERT_TRUE(WaitForCode(kTextReady)) << "the call placed never rang at the far end";

  // Answered at the far end and hung up at the client; then a call comes in
  // from the contact selected (the first).
  Click(client, "Far end answers");
  ASSERT_TRUE(WaitForCode(kCallInProgress));
  Click(client, "Hang up");
  ASSERT_TRUE(WaitForCode(kHandleReady)) << "the call never ended";
  Click(client, "Incoming call");
  ASSERT_TRUE(WaitForCode(kRing)) << "the handset did not ring";
  ASSERT_TRUE(WaitForCode(kTextReady, 2)) << "the caller was not shown";
  EXPECT_EQ(CallCodes(), (Codes{kOutgoingPlaced, kTextReady, kCallInProgress, kCallFinished, kHandleReady,
                                      kRing, kTextReady}));
}

}  // namespace
}  // namespace tolvane::testing
