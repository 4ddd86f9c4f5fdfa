// Tolvane.exe through a day of use, against the simulated client and handset:
// the handset plugged in after start (a burst of notifications), pulled out
// during a call, the machine suspended and resumed, the client closed and
// started again, and a second copy that is turned away. Device and power
// notifications are sent to Tolvane's window the way Windows sends them.
#include <gtest/gtest.h>
#include <windows.h>

#include <dbt.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>

#include "programs_fixture.h"

namespace tolvane::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::size_t Count(const HandsetLog::Entries& entries, const std::string& entry) {
  std::size_t n = 0;
  for (const std::string& e : entries) n += e == entry ? 1 : 0;
  return n;
}

class PresenceTest : public ProgramsTest {
 protected:
  HWND TolvaneWindow() const { return FindWindowA("QorMainWndClass", nullptr); }

  // What Windows sends the window registered for the handset's class.
  void Notify(UINT message, WPARAM event) {
    const HWND window = TolvaneWindow();
    ASSERT_NE(window, nullptr);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, event, 0, SMTO_ABORTIFHUNG, 10000, &result);
  }

  std::size_t Received(const std::string& line) const { return CountOf(transcript->Read(), "recv", line); }
  bool WaitReceived(const std::string& line, std::size_t count) const {
    return transcript->WaitUntil([&](const Transcript& all) { return CountOf(all, "recv", line) >= count; });
  }

  // Attached, set up and identified; the client's last set-up answer sent.
  void StartReady() {
    StartTolvaneAndWaitForSetUp();
    ASSERT_TRUE(transcript->WaitFor("send", "PROFILE PSTN_BALANCE 0"));
    ASSERT_TRUE(handset->WaitFor("", "SendCode 6"));
    Handset("mark ident");
    Handset("ident 128");
    ASSERT_TRUE(handset->WaitFor("ident", "SendCode 115"));
  }
};

TEST_F(PresenceTest, WithoutAHandsetAtStartTheSessionBeginsWhenOneArrivesOnce) {
  SetEnvironmentVariableA("TOLVANE_SIM_HANDSET_PLUGGED", "0");
  ASSERT_TRUE(tolvane.Start("\"" + programs + "Tolvane.exe\"", programs));
  SetEnvironmentVariableA("TOLVANE_SIM_HANDSET_PLUGGED", nullptr);
  ASSERT_TRUE(handset->WaitFor("", "OpenDevice 1")) << "Tolvane never looked for the handset";
  // The window exists before the handset is looked for.
  ASSERT_NE(TolvaneWindow(), nullptr);
  EXPECT_EQ(Find(transcript->Read(), "discover"), nullptr) << "no session without a handset";

  Handset("mark plug");
  Handset("plug quiet");
  const Clock::time_point first = Clock::now();
  for (int i = 0; i < 3; ++i) Notify(WM_DEVICECHANGE, DBT_DEVICEARRIVAL);
  ASSERT_TRUE(handset->WaitFor("plug", "StartDevice 0"));
  EXPECT_GE(Clock::now() - first, 300ms) << "the arrival check runs 300 ms after the first notification";
  ASSERT_TRUE(transcript->WaitFor("recv", "SEARCH CALLS")) << "the session did not begin";
  const HandsetLog::Entries since = handset->Since("plug");
  EXPECT_EQ(Count(since, "OpenDevice 0"), 1u) << "a burst arms one check";
  EXPECT_EQ(Count(since, "StartDevice 0"), 1u);
}

TEST_F(PresenceTest, ADeviceNodesChangeWhileTheHandsetAnswersChangesNothing) {
  StartReady();
  Handset("mark nodes");
  Notify(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED);
  // The removal check opens and starts the handset again, 600 ms later.
  ASSERT_TRUE(handset->WaitFor("nodes", "StartDevice 0"));
  const HandsetLog::Entries since = handset->Since("nodes");
  EXPECT_EQ(Count(since, "CloseDevice"), 0u);
  EXPECT_TRUE(OfKind(transcript->Read(), "detach").empty());
  EXPECT_EQ(Received("HOOK ON"), 0u);
}

TEST_F(PresenceTest, PullingTheHandsetOutEndsTheSessionAndPluggingItInBeginsItAgain) {
  StartReady();
  Handset("mark unplug");
  Handset("unplug quiet");
  Notify(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE);
  ASSERT_TRUE(handset->WaitFor("unplug", "CloseDevice"));
  ASSERT_TRUE(transcript->WaitFor("detach")) << "the session was not left";
  EXPECT_EQ(Received("SET AUDIO_IN"), 1u) << "the client's devices are reset before the detach";

  Handset("mark plug");
  Handset("plug quiet");
  Notify(WM_DEVICECHANGE, DBT_DEVICEARRIVAL);
  ASSERT_TRUE(WaitReceived("SEARCH CALLS", 2)) << "the session did not begin again";
}

TEST_F(PresenceTest, SuspendLetsGoAndResumeAttachesAgain) {
  StartReady();
  Notify(WM_POWERBROADCAST, PBT_APMSUSPEND);
  Notify(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND);
  ASSERT_TRUE(WaitReceived("SEARCH CALLS", 2)) << "resume did not attach again";
  EXPECT_GE(OfKind(transcript->Read(), "discover").size(), 2u);
}

TEST_F(PresenceTest, AClientClosedAndStartedAgainIsAttachedAgain) {
  StartReady();
  Control("quit");
  DWORD code = 0;
  ASSERT_TRUE(sim.WaitForExit(20s, &code));
  // The same client starts again with a fresh transcript and says that its
  // API is available; Tolvane looks for it again.
  transcript = std::make_unique<TranscriptReader>(scratch + "transcript2.txt",
                                                  simskype::TranscriptEventName(simName));
  ChildProcess restarted;
  ASSERT_TRUE(restarted.Start("\"" + programs + "SimSkype.exe\" --name " + simName + " --transcript \"" + scratch +
                                  "transcript2.txt\" --scenario \"" + scratch + "scenario.txt\"",
                              programs));
  ASSERT_TRUE(transcript->WaitFor("start"));
  Control("api-available");
  ASSERT_TRUE(transcript->WaitFor("recv", "SEARCH CALLS")) << "the restarted client was not attached";
}

// The options ask for the client to be started; the registered client is a
// probe that only signals an event. The file and the key are put back after.
class AutoRunTest : public PresenceTest {
 protected:
  void SetUp() override {
    PresenceTest::SetUp();
    if (IsSkipped()) return;
    ini = programs + "Tolvane.ini";
    std::ifstream in(ini, std::ios::binary);
    original << in.rdbuf();
    ASSERT_TRUE(WritePrivateProfileStringA("SETTINGS", "SupportAutoRunSkype", "1", ini.c_str()));
    const std::string probe = programs + "launch_probe.exe";
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Skype\\Phone", "SkypePath", REG_SZ, probe.c_str(),
                              static_cast<DWORD>(probe.size() + 1)),
              ERROR_SUCCESS);
    started = CreateEventA(nullptr, TRUE, FALSE, "TolvaneLaunchProbeStarted");
    ASSERT_NE(started, nullptr);
  }
  void TearDown() override {
    if (started != nullptr) CloseHandle(started);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Skype\\Phone");
    if (!ini.empty()) std::ofstream(ini, std::ios::binary | std::ios::trunc) << original.str();
  }

  std::string ini;
  std::ostringstream original;
  HANDLE started = nullptr;
};

TEST_F(AutoRunTest, WithTheClientGoneResumeStartsItFromItsRegisteredPath) {
  StartReady();
  EXPECT_EQ(WaitForSingleObject(started, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the client runs: nothing started";
  Control("quit");
  DWORD code = 0;
  ASSERT_TRUE(sim.WaitForExit(20s, &code));
  Notify(WM_POWERBROADCAST, PBT_APMSUSPEND);
  Notify(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND);
  EXPECT_EQ(WaitForSingleObject(started, 20000), static_cast<DWORD>(WAIT_OBJECT_0)) << "the client was not started";
}

TEST_F(PresenceTest, ExitDetachesAndEndsWithinThreeSeconds) {
  StartReady();
  const HWND window = TolvaneWindow();
  ASSERT_NE(window, nullptr);
  const Clock::time_point asked = Clock::now();
  PostMessageA(window, WM_COMMAND, 40001, 0);
  DWORD code = 1;
  ASSERT_TRUE(tolvane.WaitForExit(10s, &code));
  EXPECT_LT(Clock::now() - asked, 3s);
  EXPECT_EQ(code, 0u);
  EXPECT_NE(Find(transcript->Read(), "detach"), nullptr);
  const HandsetLog::Entries all = handset->Since("");
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(all.back(), "deleted");
}

TEST_F(PresenceTest, ASecondCopyEndsSilentlyAndLeavesTheFileAsItWas) {
  StartReady();
  const std::string ini = programs + "Tolvane.ini";
  WIN32_FILE_ATTRIBUTE_DATA before{};
  ASSERT_TRUE(GetFileAttributesExA(ini.c_str(), GetFileExInfoStandard, &before));
  ChildProcess second;
  ASSERT_TRUE(second.Start("\"" + programs + "Tolvane.exe\"", programs));
  DWORD code = 1;
  ASSERT_TRUE(second.WaitForExit(20s, &code));
  EXPECT_EQ(code, 0u);
  WIN32_FILE_ATTRIBUTE_DATA after{};
  ASSERT_TRUE(GetFileAttributesExA(ini.c_str(), GetFileExInfoStandard, &after));
  EXPECT_EQ(CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0) << "the second copy wrote the file";
  EXPECT_EQ(OfKind(transcript->Read(), "discover").size(), 1u) << "the second copy looked for the client";
}

}  // namespace
}  // namespace tolvane::testing
