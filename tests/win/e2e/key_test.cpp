// Handset keys from start to end: Tolvane.exe between the simulated client
// and the simulated handset, keys pressed on the handset and what the client
// was asked and the handset was sent checked in their order.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <string>

#include "call_fixture.h"

namespace tolvane::testing {
namespace {

constexpr int kShowBrowseEntry = 26;
constexpr int kAckBase = 0x50;

class KeyTest : public CallTest {
 protected:
  int Balance() const override { return 1234; }
  std::size_t ReadySignals() const override { return 2; }
  // A call from Bob and, after it in the history, a call to Alice.
  std::string Scenario() const override {
    return CallTest::Scenario() +
           "balance 1234\n"
           "history 900 INCOMING_P2P FINISHED bob.example 30\n"
           "history 901 OUTGOING_P2P FINISHED alice.example 65\n";
  }

  // Presses a key and waits for its acknowledgement; returns the sequence
  // number it went with.
  int Press(int key, const std::string& label) {
    Handset("mark " + label);
    Handset("key " + std::to_string(key));
    int ack = -1;
    EXPECT_TRUE(handset->WaitUntil(label, [&](const HandsetLog::Entries& entries) {
      for (int code : SentCodes(entries)) {
        if (code >= kAckBase && code < kAckBase + 4) ack = code - kAckBase;
      }
      return ack >= 0;
    })) << "key " << key << " was never acknowledged";
    return ack;
  }

  // Enters the contact list, keeps the online contacts and shows the first.
  std::string ShowFirstOnlineContact(const std::string& label) {
    Press(96, "enter");
    EXPECT_TRUE(handset->WaitFor("enter", "SendDisplayChar 0 79"));
    Press(106, "online");
    Press(108, "show");
    EXPECT_TRUE(handset->WaitFor("show", "SendCode 63"));
    return ShownOnRequest(label);
  }

  // The lines the client received from the index-th received line on.
  Lines ReceivedSince(std::size_t index) const {
    const std::vector<std::string> all = Texts(OfKind(transcript->Read(), "recv"));
    return Lines(all.begin() + static_cast<std::ptrdiff_t>(std::min(index, all.size())), all.end());
  }
  std::size_t ReceivedCount() const { return OfKind(transcript->Read(), "recv").size(); }

  // The handset's codes since the mark, acknowledgements left out.
  Codes CodesSince(const std::string& label) const {
    Codes codes;
    for (int code : SentCodes(handset->Since(label))) {
      if (code < kAckBase || code >= kAckBase + 4) codes.push_back(code);
    }
    return codes;
  }

  // A screen asked for while the one before is still running its end
  // sequence is not shown; the handset asks again, as the simulated one is
  // told to here.
  std::string ShownOnRepeatedRequest(const std::string& label) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      const std::string mark = label + " " + std::to_string(attempt);
      Handset("mark " + mark);
      Handset("display");
      if (handset->WaitFor(mark, "SendDisplayChar 26 10", 1, std::chrono::seconds(3))) {
        return StreamedText(handset->Since(mark));
      }
    }
    ADD_FAILURE() << "the screen was never shown";
    return {};
  }

  // Waits until the client has sent a line beginning so.
  bool WaitForClientLine(const std::string& prefix) const {
    return transcript->WaitUntil([&](const Transcript& all) {
      return std::any_of(all.begin(), all.end(), [&](const TranscriptEntry& e) {
        return e.kind == "send" && e.text.starts_with(prefix);
      });
    });
  }

  // The entries of those kinds from the index-th entry on, as "<kind> <text>".
  Lines Since(std::size_t index, std::initializer_list<const char*> kinds) const {
    const Transcript all = transcript->Read();
    Lines lines;
    for (std::size_t i = index; i < all.size(); ++i) {
      for (const char* kind : kinds) {
        if (all[i].kind == kind) lines.push_back(all[i].kind + " " + all[i].text);
      }
    }
    return lines;
  }

  // The lines Tolvane sends follow from the notifications it has handled;
  // a mute change from the client shows that every line before it has been.
  void WaitUntilHandled(int round) {
    Control(round % 2 == 0 ? "mute on" : "mute off");
    ASSERT_TRUE(WaitForCode(round % 2 == 0 ? kMuteOn : kMuteOff, static_cast<std::size_t>(round / 2 + 1)));
  }

  void AnswerIncoming(const std::string& caller) {
    const auto namesAsked = [](const Transcript& all) {
      return std::count_if(all.begin(), all.end(), [](const TranscriptEntry& e) {
        return e.kind == "recv" && e.text.ends_with(" PARTNER_DISPNAME");
      });
    };
    const auto before = namesAsked(transcript->Read());
    Control("incoming " + caller);
    ASSERT_TRUE(WaitForCode(kTextReady));
    // The caller's name is asked through the session's queue, the answer goes
    // straight to the client: the key waits for the question, as a person
    // would not press it within the same millisecond.
    ASSERT_TRUE(transcript->WaitUntil([&](const Transcript& all) { return namesAsked(all) > before; }));
    Handset("key 31");
    ASSERT_TRUE(WaitForCode(kCallInProgress));
  }
};

TEST_F(KeyTest, OffHookAnswersTheRingingCallWithItsIdPaddedToFive) {
  StartReady();
  AnswerIncoming("alice.example");
  EXPECT_EQ(ReceivedAfter("CALL 1000 STATUS RINGING"),
            (Lines{"GET CALL 1000 PARTNER_DISPNAME", "SET CALL  1000 STATUS INPROGRESS"}));
}

TEST_F(KeyTest, OnHookDuringACallHangsUpAndClosesTheClientsMainWindow) {
  StartReady();
  AnswerIncoming("alice.example");
  const std::size_t before = transcript->Read().size();
  Handset("key 32");
  ASSERT_TRUE(transcript->WaitFor("window", "main WM_CLOSE"));
  // The hang-up goes first, then the main window is closed.
  EXPECT_EQ(Since(before, {"recv", "window"}), (Lines{"recv HOOK ON", "window main WM_CLOSE"}));
}

TEST_F(KeyTest, PullingTheHandsetOutDuringACallHangsUpAsTheHookWouldAndLeaves) {
  StartReady();
  AnswerIncoming("alice.example");
  const std::size_t before = transcript->Read().size();
  Handset("unplug");
  ASSERT_TRUE(transcript->WaitFor("detach"));
  const Lines after = Since(before, {"recv"});
  ASSERT_FALSE(after.empty());
  EXPECT_EQ(after.front(), "recv HOOK ON") << "the call is ended as if the hook were put down";
}

TEST_F(KeyTest, SendWhileASecondCallRingsHoldsTheFirstAndAnswersTheSecond) {
  StartReady();
  AnswerIncoming("alice.example");
  Control("incoming bob.example");
  ASSERT_TRUE(WaitForCode(kTextReady, 2));
  const std::size_t before = ReceivedCount();
  Handset("key 49");
  ASSERT_TRUE(WaitForReceived("SET CALL  1001 STATUS INPROGRESS"));
  EXPECT_EQ(ReceivedSince(before), (Lines{"SET CALL  1000 STATUS ONHOLD", "SET CALL  1001 STATUS INPROGRESS"}));
  ASSERT_TRUE(transcript->WaitFor("send", "CALL 1001 STATUS INPROGRESS"));
}

TEST_F(KeyTest, DigitFiveIsAToneDuringACallAndTheClientsButtonWithout) {
  StartReady();
  std::size_t before = ReceivedCount();
  Handset("key 181");
  ASSERT_TRUE(WaitForReceived("BTN_RELEASED 5"));
  EXPECT_EQ(ReceivedSince(before), (Lines{"FOCUS", "BTN_RELEASED 5"}));

  AnswerIncoming("alice.example");
  before = ReceivedCount();
  Handset("key 181");
  ASSERT_TRUE(WaitForReceived("BTN_RELEASED 5", 2));
  EXPECT_EQ(ReceivedSince(before), (Lines{"FOCUS", "SET CALL 1000 DTMF 5", "BTN_RELEASED 5"}));
}

TEST_F(KeyTest, OnHookWithTheClientsConfirmationShownClosesItAndEndsNoCall) {
  StartReady();
  Control("dialog confirm show");
  ASSERT_TRUE(WaitForCode(kClientPrompt));
  const std::size_t before = transcript->Read().size();
  Handset("key 32");
  ASSERT_TRUE(WaitForReceived("BTN_RELEASED NO"));
  // The prompt is activated as a click would and closed; the dial grid,
  // not shown, is left alone.
  ASSERT_TRUE(transcript->WaitFor("window", "page-control TCM_GETCURSEL 0"));
  EXPECT_EQ(Since(before, {"recv", "window"}),
            (Lines{"window confirm WM_ACTIVATE WA_CLICKACTIVE", "window confirm WM_CLOSE", "recv BTN_RELEASED NO",
                   "window page-control TCM_GETCURSEL 0"}));
}

TEST_F(KeyTest, ClearOnTheDialPageClicksTheDialGridAndBackspaceReachesTheClient) {
  StartReady();
  Control("window show");
  Control("page 2");
  std::size_t before = transcript->Read().size();
  Handset("key 64");
  ASSERT_TRUE(transcript->WaitFor("window", "dial-grid WM_LBUTTONUP wParam=0 x=44 y=14"));
  EXPECT_EQ(Since(before, {"recv", "window"}),
            (Lines{"recv BTN_RELEASED NO", "window page-control TCM_GETCURSEL 2",
                   "window dial-grid WM_LBUTTONDOWN wParam=1 x=44 y=14",
                   "window dial-grid WM_LBUTTONUP wParam=0 x=44 y=14"}));

  // Backspace brings the client forward, then presses the key into it.
  before = transcript->Read().size();
  Handset("key 65");
  ASSERT_TRUE(transcript->WaitUntil([&](const Transcript& all) {
    return std::any_of(all.begin() + static_cast<std::ptrdiff_t>(before), all.end(), [](const TranscriptEntry& e) {
      return e.kind == "window" && e.text.ends_with("WM_KEYDOWN VK_BACK");
    });
  }));
  EXPECT_EQ(Since(before, {"recv"}), (Lines{"recv FOCUS"}));
}

TEST_F(KeyTest, ARepeatedNumberIsDroppedAndTheStopKeyIsNeverAcknowledged) {
  StartReady();
  const int n = Press(46, "first");
  ASSERT_TRUE(WaitForReceived("SET MUTE OFF"));
  // The same number again: dropped, neither sent nor acknowledged.
  Handset("mark repeat");
  Handset("keyseq 46 " + std::to_string(n));
  Handset("key 26");  // takes the next number, silently
  const int next = Press(47, "after");
  EXPECT_EQ(next, (n + 2) % 4);
  ASSERT_TRUE(WaitForReceived("SET MUTE ON"));
  Codes acks = SentCodes(handset->Since("repeat"));
  std::erase_if(acks, [](int code) { return code < kAckBase || code >= kAckBase + 4; });
  EXPECT_EQ(acks, (Codes{kAckBase + next}));
  EXPECT_EQ(CountOf(transcript->Read(), "recv", "SET MUTE OFF"), 1u);
}

TEST_F(KeyTest, TheCallHistoryIsBrowsedShownAndLeft) {
  StartReady();
  Press(110, "enter");
  EXPECT_TRUE(handset->WaitFor("enter", "SendDisplayChar 0 79"));
  // The received calls: Bob's entry is asked about.
  const std::size_t before = ReceivedCount();
  Press(106, "received");
  ASSERT_TRUE(WaitForReceived("GET CALL 900 TIMESTAMP"));
  EXPECT_EQ(ReceivedSince(before),
            (Lines{"GET CALL 900 DURATION", "GET CALL 900 PARTNER_DISPNAME", "GET CALL 900 PARTNER_HANDLE",
                   "GET CALL 900 TIMESTAMP"}));
  ASSERT_TRUE(WaitForClientLine("CALL 900 TIMESTAMP "));
  WaitUntilHandled(0);
  Press(108, "show received");
  ASSERT_TRUE(handset->WaitFor("show received", "SendCode 63"));
  EXPECT_EQ(ShownOnRequest("received screen"), "Bob Example ");
  EXPECT_TRUE(handset->WaitFor("received screen", "SendDisplayChar 106 10")) << "not marked as received";

  // The dialled calls: Alice's entry, after Bob's.
  Press(107, "dialled");
  ASSERT_TRUE(WaitForClientLine("CALL 901 TIMESTAMP "));
  WaitUntilHandled(1);
  Press(108, "show dialled");
  ASSERT_TRUE(handset->WaitFor("show dialled", "SendCode 63"));
  EXPECT_EQ(ShownOnRequest("dialled screen"), "Alice Example ");

  Press(111, "leave");
  Press(108, "outside");
  ASSERT_TRUE(handset->WaitFor("outside", "SendCode " + std::to_string(kShowBrowseEntry)));
  EXPECT_EQ(CodesSince("outside"), (Codes{kShowBrowseEntry}));
}

TEST_F(KeyTest, ContactsAreBrowsedShownAndCalled) {
  StartReady();
  EXPECT_EQ(ShowFirstOnlineContact("first"), "Alice Example ");
  Press(98, "next");
  Press(108, "show next");
  ASSERT_TRUE(handset->WaitFor("show next", "SendCode 63"));
  EXPECT_EQ(ShownOnRepeatedRequest("second"), "Bob Example ");
  Handset("key 49");
  ASSERT_TRUE(WaitForReceived("CALL bob.example"));
}

TEST_F(KeyTest, TheBalanceKeyShowsTheBalanceOnADisplayHandset) {
  StartReady();
  Handset("mark balance");
  Handset("key 43");
  ASSERT_TRUE(handset->WaitFor("balance", "SendCode 63"));
  // Shown instead of acknowledged.
  EXPECT_EQ(SentCodes(handset->Since("balance")), (Codes{kTextReady}));
  EXPECT_EQ(ShownOnRequest("balance screen"), "12.34");
}

TEST_F(KeyTest, AStatusKeyChangesTheUsersStatusAtTheClient) {
  StartReady();
  Press(118, "away");
  ASSERT_TRUE(WaitForReceived("SET USERSTATUS AWAY"));
  // The client reports the new status, and the handset shows it.
  EXPECT_TRUE(handset->WaitFor("away", "SendCode 118"));
}

// Callers and contacts whose names are written in other scripts: the client
// sends them in UTF-8, the handset shows them in Latin letters.
class ForeignNamesTest : public KeyTest {
 protected:
  std::string Scenario() const override {
    return KeyTest::Scenario() +
           "user wang.example \xE7\x8E\x8B\xE5\xB0\x8F\xE6\x98\x8E\n"
           "user zoe.example Zo\xC3\xAB \xC3\x91\xC3\xBA\xC3\xB1" "ez\n"
           "friends dmitri.example\n"
           "user dmitri.example \xD0\x94\xD0\xBC\xD0\xB8\xD1\x82\xD1\x80\xD0\xB8\xD0\xB9 "
           "\xD0\xA8\xD0\xBE\xD1\x81\xD1\x82\xD0\xB0\xD0\xBA\xD0\xBE\xD0\xB2\xD0\xB8\xD1\x87\n";
  }
};

TEST_F(ForeignNamesTest, CallersNamesInOtherScriptsAreShownInLatinLetters) {
  StartReady();
  Control("incoming wang.example");
  ASSERT_TRUE(WaitForCode(kTextReady));
  EXPECT_EQ(ShownOnRequest("wang"), "Wang Xiao Ming ");
  Control("answer");
  ASSERT_TRUE(WaitForCode(kCallInProgress));
  Control("far-hangup");
  ASSERT_TRUE(WaitForCode(kHandleReady));

  Control("incoming zoe.example");
  ASSERT_TRUE(WaitForCode(kTextReady, 2));
  EXPECT_EQ(ShownOnRequest("zoe"), "Zoe Nunez ");
}

TEST_F(ForeignNamesTest, AContactInCyrillicIsBrowsedInLatinLetters) {
  StartReady();
  EXPECT_EQ(ShowFirstOnlineContact("dmitri"), "Dmitrij Sostakovic ");
}

}  // namespace
}  // namespace tolvane::testing
