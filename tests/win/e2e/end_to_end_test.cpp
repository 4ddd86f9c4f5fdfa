// Tolvane.exe against the simulated Skype client (SimSkype.exe) and the
// simulated handset library, as separate processes under one desktop: the
// discover/attach handshake, the session's set-up as the client sees it, a
// refused line, hostile WM_COPYDATA, and the exit with its detach. The
// programs are staged next to this test program by the build.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "programs_fixture.h"

namespace tolvane::testing {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

constexpr WPARAM kCommandExit = 40001;
const Lines kSetUpLines = {"PROTOCOL 5", "FOCUS", "SEARCH FRIENDS", "SEARCH CALLS"};

using EndToEndTest = ProgramsTest;

TEST_F(EndToEndTest, DiscoverAttachThenTheSetUpHalfASecondLater) {
  StartTolvaneAndWaitForSetUp();
  const Transcript all = transcript->Read();
  const TranscriptEntry* discover = Find(all, "discover");
  const TranscriptEntry* attach = Find(all, "attach");
  ASSERT_NE(discover, nullptr);
  ASSERT_NE(attach, nullptr);
  // The attach answers the window that sent the discover.
  EXPECT_EQ("0 to " + discover->text.substr(5), attach->text);

  const Transcript received = OfKind(all, "recv");
  const Lines texts = Texts(received);
  EXPECT_EQ(Lines(texts.begin(), texts.begin() + 4), kSetUpLines);
  EXPECT_GE(received.front().ms - attach->ms, 450);
  EXPECT_LT(received.front().ms - attach->ms, 5000);
}

TEST_F(EndToEndTest, ARefusedLineIsLostAndTheNextCommandGoesOut) {
  StartTolvaneAndWaitForSetUp();
  // The last answer of the set-up: nothing else is on its way.
  ASSERT_TRUE(transcript->WaitFor("send", "PROFILE PSTN_BALANCE 0"));
  Control("refuse-next");
  Control("push CALLHISTORYCHANGED");
  ASSERT_TRUE(transcript->WaitFor("refused", "SEARCH CALLS"));
  Control("push CALLHISTORYCHANGED");
  ASSERT_TRUE(transcript->WaitUntil(
      [](const Transcript& all) { return CountOf(all, "recv", "SEARCH CALLS") >= 2; }));
  EXPECT_EQ(CountOf(transcript->Read(), "refused", "SEARCH CALLS"), 1u);
}

TEST_F(EndToEndTest, HostileCopyDataLeavesTheProgramWorking) {
  StartTolvaneAndWaitForSetUp();
  const HWND main = FindWindowA("QorMainWndClass", "SkypeForWindow");
  ASSERT_NE(main, nullptr);
  const std::string start = Find(transcript->Read(), "start")->text;
  const HWND clientApi =
      reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::stoull(start.substr(start.rfind(' ') + 1), nullptr, 16)));

  std::string text = "CALLHISTORYCHANGED";
  COPYDATASTRUCT line{0, static_cast<DWORD>(text.size() + 1), text.data()};
  COPYDATASTRUCT empty{0, 0, text.data()};
  DWORD_PTR answer = 1;
  // A line from a window that is not the client's is not taken.
  ASSERT_NE(SendMessageTimeoutA(main, WM_COPYDATA, reinterpret_cast<WPARAM>(GetDesktopWindow()),
                                reinterpret_cast<LPARAM>(&line), SMTO_ABORTIFHUNG, 5000, &answer), 0);
  EXPECT_EQ(answer, 0u);
  // An empty block in the client's name is taken and ignored.
  ASSERT_NE(SendMessageTimeoutA(main, WM_COPYDATA, reinterpret_cast<WPARAM>(clientApi),
                                reinterpret_cast<LPARAM>(&empty), SMTO_ABORTIFHUNG, 5000, &answer), 0);
  EXPECT_EQ(answer, 1u);

  // Still serving the client: a real notification is answered.
  Control("push CALLHISTORYCHANGED");
  ASSERT_TRUE(transcript->WaitUntil(
      [](const Transcript& all) { return CountOf(all, "recv", "SEARCH CALLS") >= 2; }));
  EXPECT_TRUE(tolvane.Running());
}

TEST_F(EndToEndTest, TheClientsApiAvailableAnnouncementStartsANewDiscover) {
  StartTolvaneAndWaitForSetUp();
  ASSERT_EQ(CountOf(transcript->Read(), "attach", "32769 to all"), 0u);
  Control("api-available");
  ASSERT_TRUE(transcript->WaitUntil([](const Transcript& all) { return OfKind(all, "discover").size() >= 2; }));
  // Answered with a new attach, and the session is set up again.
  ASSERT_TRUE(transcript->WaitUntil(
      [](const Transcript& all) { return CountOf(all, "recv", "PROTOCOL 5") >= 2; }));
}

TEST_F(EndToEndTest, ASecondCopyEndsSilentlyAndTheFirstKeepsRunning) {
  StartTolvaneAndWaitForSetUp();
  ChildProcess second;
  ASSERT_TRUE(second.Start("\"" + programs + "Tolvane.exe\"", programs));
  DWORD code = 1;
  ASSERT_TRUE(second.WaitForExit(20s, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(tolvane.Running());
  EXPECT_EQ(OfKind(transcript->Read(), "discover").size(), 1u);
}

TEST_F(EndToEndTest, ExitResetsTheClientsDevicesThenDetachesAndEnds) {
  StartTolvaneAndWaitForSetUp();
  ASSERT_TRUE(transcript->WaitFor("send", "CALLS "));
  const HWND main = FindWindowA("QorMainWndClass", "SkypeForWindow");
  ASSERT_NE(main, nullptr);
  const auto exitAsked = std::chrono::steady_clock::now();
  ASSERT_TRUE(PostMessageA(main, WM_COMMAND, kCommandExit, 0));
  ASSERT_TRUE(transcript->WaitFor("detach"));
  // The resets are queued, then the detach waits 200 ms for the outgoing
  // worker to send them: measured from the request, since a loaded machine
  // may send the first reset late.
  const auto untilDetach = std::chrono::steady_clock::now() - exitAsked;
  DWORD code = 1;
  ASSERT_TRUE(tolvane.WaitForExit(20s, &code));
  EXPECT_EQ(code, 0u);

  const Transcript all = transcript->Read();
  Lines resets;
  for (const TranscriptEntry& e : all) {
    if (e.kind == "detach") resets.push_back("detach");
    if (e.kind == "recv" && e.text.starts_with("SET ")) resets.push_back(e.text);
  }
  EXPECT_EQ(resets, (Lines{"SET AUDIO_IN", "SET AUDIO_OUT", "SET RINGER", "detach"}));
  EXPECT_GE(untilDetach, 195ms) << "the timed wait may round by a millisecond or so";
}

}  // namespace
}  // namespace tolvane::testing
