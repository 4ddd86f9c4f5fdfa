// Tolvane.exe through a day of use, against the simulated client and handset:
// the handset plugged in after start (a burst of notifications), pulled out
// during a call, the machine suspended and resumed, the client closed and
// started again, and a second copy that is turned away. The simulated handset
// tells the desktop of its plugging as Windows does; power and other devices'
// notifications are broadcast to every top-level window, as Windows sends them.
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

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::size_t Count(const HandsetLog::Entries& entries, const std::string& entry) {
  std::size_t n = 0;
  for (const std::string& e : entries) n += e == entry ? 1 : 0;
  return n;
}

class PresenceTest : public ProgramsTest {
 protected:
  HWND TolvaneWindow() const { return FindWindowA("QorMainWndClass", nullptr); }

  // What Windows sends every top-level window.
  static void Broadcast(UINT message, WPARAM event) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, message, event, 0, SMTO_ABORTIFHUNG, 10000, &result);
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
  const Clock::time_point first = Clock::now();
  // Each of the handset's HID interfaces arrives: a burst.
  Handset("plug");
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
  // Another device comes or goes.
  Broadcast(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED);
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
  Handset("unplug");
  ASSERT_TRUE(handset->WaitFor("unplug", "CloseDevice"));
  ASSERT_TRUE(transcript->WaitFor("detach")) << "the session was not left";
  EXPECT_EQ(Received("SET AUDIO_IN"), 1u) << "the client's devices are reset before the detach";

  Handset("mark plug");
  Handset("plug");
  ASSERT_TRUE(WaitReceived("SEARCH CALLS", 2)) << "the session did not begin again";
}

// A machine that wakes by itself announces only the automatic resume; when a
// person then touches it, the resume of the same wake follows.
TEST_F(PresenceTest, SuspendLetsGoAndTheWakeAttachesAgainOnce) {
  StartReady();
  Broadcast(WM_POWERBROADCAST, PBT_APMSUSPEND);
  Handset("mark wake");
  Broadcast(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
  ASSERT_TRUE(WaitReceived("SEARCH CALLS", 2)) << "the wake did not attach again";
  EXPECT_GE(OfKind(transcript->Read(), "discover").size(), 2u);
  // The handset is looked for while the broadcast is handled.
  Broadcast(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND);
  EXPECT_EQ(Count(handset->Since("wake"), "OpenDevice 0"), 1u) << "the same wake was taken twice";
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

// The options ask for the client to be started, and the client registered
// where Tolvane looks for its path is the simulator itself: started by that
// path alone, it takes its name, scenario and transcript from the
// environment Tolvane passes on. The file and the key are put back after.
class AutoRunTest : public PresenceTest {
 protected:
  void SetUp() override {
    PresenceTest::SetUp();
    if (IsSkipped()) return;
    ini = programs + "Tolvane.ini";
    std::ifstream in(ini, std::ios::binary);
    original << in.rdbuf();
    ASSERT_TRUE(WritePrivateProfileStringA("SETTINGS", "SupportAutoRunSkype", "1", ini.c_str()));
    const std::string client = programs + "SimSkype.exe";
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Skype\\Phone", "SkypePath", REG_SZ, client.c_str(),
                              static_cast<DWORD>(client.size() + 1)),
              ERROR_SUCCESS);
    SetEnvironmentVariableA("TOLVANE_SIM_SKYPE_NAME", simName.c_str());
    SetEnvironmentVariableA("TOLVANE_SIM_SKYPE_SCENARIO", (scratch + "scenario.txt").c_str());
    SetEnvironmentVariableA("TOLVANE_SIM_SKYPE_TRANSCRIPT", (scratch + "started.txt").c_str());
  }
  void TearDown() override {
    // The client Tolvane started is no child of this test: asked to end.
    simskype::SendControlCommand(simName, "quit", 5000);
    for (const char* name : {"TOLVANE_SIM_SKYPE_NAME", "TOLVANE_SIM_SKYPE_SCENARIO", "TOLVANE_SIM_SKYPE_TRANSCRIPT"}) {
      SetEnvironmentVariableA(name, nullptr);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Skype\\Phone");
    if (!ini.empty()) std::ofstream(ini, std::ios::binary | std::ios::trunc) << original.str();
  }

  std::string ini;
  std::ostringstream original;
};

TEST_F(AutoRunTest, WithTheClientGoneResumeStartsTheRegisteredClientAndAttachesToIt) {
  StartReady();
  Control("quit");
  DWORD code = 0;
  ASSERT_TRUE(sim.WaitForExit(20s, &code));
  transcript = std::make_unique<TranscriptReader>(scratch + "started.txt", simskype::TranscriptEventName(simName));
  Broadcast(WM_POWERBROADCAST, PBT_APMSUSPEND);
  Broadcast(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND);
  ASSERT_TRUE(transcript->WaitFor("start")) << "the registered client was not started";
  // Signed in, the client says that its API is available (Tolvane's own
  // discover may have gone out before the client was up).
  Control("api-available");
  ASSERT_TRUE(transcript->WaitFor("recv", "SEARCH CALLS")) << "Tolvane did not attach to the client it started";
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

// The file holds a choice that any copy which saves its settings would
// rewrite (neither 0 nor 1): the second copy must leave it, and the whole
// file, as they were. The file is put back after.
TEST_F(PresenceTest, ASecondCopyEndsSilentlyAndLeavesTheFileAsItWas) {
  StartReady();
  const std::string ini = programs + "Tolvane.ini";
  const std::string original = ReadAll(ini);
  struct PutBack {
    const std::string& path;
    const std::string& text;
    ~PutBack() { std::ofstream(path, std::ios::binary | std::ios::trunc) << text; }
  } putBack{ini, original};
  ASSERT_TRUE(WritePrivateProfileStringA("SETTINGS", "SupportEnableKeyTone", "7", ini.c_str()));
  const std::string seeded = ReadAll(ini);
  ASSERT_NE(seeded.find("SupportEnableKeyTone=7"), std::string::npos);

  ChildProcess second;
  ASSERT_TRUE(second.Start("\"" + programs + "Tolvane.exe\"", programs));
  DWORD code = 1;
  ASSERT_TRUE(second.WaitForExit(20s, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(ReadAll(ini), seeded) << "the second copy wrote the file";
  EXPECT_EQ(OfKind(transcript->Read(), "discover").size(), 1u) << "the second copy looked for the client";
}

}  // namespace
}  // namespace tolvane::testing
