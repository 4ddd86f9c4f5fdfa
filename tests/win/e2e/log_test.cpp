// The diagnostic log of a day's session, from start to exit, against the
// simulated client and handset, at each level of Tolvane.ini's LogLevel: the
// events in their order and no contact's name by default, the client's lines
// too at level 2, no file at level 0, and a log folder that cannot be made
// changing nothing else. Each run gets its own %LOCALAPPDATA%.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "call_fixture.h"

namespace tolvane::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kUnwritableFolder = -1;  // a level that stands for "LOCALAPPDATA is a file"

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

class LogTest : public CallTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    CallTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ini = programs + "Tolvane.ini";
    std::ifstream in(ini, std::ios::binary);
    original << in.rdbuf();
    const int level = GetParam() == kUnwritableFolder ? 1 : GetParam();
    ASSERT_TRUE(WritePrivateProfileStringA("SETTINGS", "LogLevel", std::to_string(level).c_str(), ini.c_str()));
    char saved[MAX_PATH] = {};
    hadAppData = GetEnvironmentVariableA("LOCALAPPDATA", saved, MAX_PATH) != 0;
    savedAppData = saved;
    appData = scratch + "appdata";
    if (GetParam() == kUnwritableFolder) {
      std::ofstream(appData) << "a file where the folder would go";
    } else {
      ASSERT_TRUE(CreateDirectoryA(appData.c_str(), nullptr));
    }
    SetEnvironmentVariableA("LOCALAPPDATA", appData.c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableA("LOCALAPPDATA", hadAppData ? savedAppData.c_str() : nullptr);
    if (!ini.empty()) std::ofstream(ini, std::ios::binary | std::ios::trunc) << original.str();
  }

  // Start, a call answered at the client and hung up on the handset, the
  // handset pulled out and plugged in again, and Exit.
  void PlayTheDay() {
    StartReady();
    Control("incoming alice.example");
    ASSERT_TRUE(WaitForCode(kTextReady));
    Control("answer");
    ASSERT_TRUE(WaitForCode(kCallInProgress));
    Handset("key KEY_PAD_HOOK_DOWN");
    ASSERT_TRUE(WaitForCode(kCallFinished));
    Handset("unplug");
    ASSERT_TRUE(transcript->WaitFor("detach")) << "the session was not left";
    Handset("mark plug");
    Handset("plug");
    // Ready twice: the set-up, and the history (which now holds the call)
    // read again.
    ASSERT_TRUE(handset->WaitFor("plug", "SendCode 6", 2)) << "the session was not set up again";
    const HWND window = FindWindowA("QorMainWndClass", nullptr);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_COMMAND, 40001, 0);
    DWORD code = 1;
    ASSERT_TRUE(tolvane.WaitForExit(20s, &code));
    EXPECT_EQ(code, 0u);
  }

  std::string LogPath() const { return appData + "\\Tolvane\\Tolvane.log"; }

  // The texts after "<date> <time> [<thread>] <level> " of the lines of a level.
  std::vector<std::string> Texts(const std::string& log, const std::string& level) const {
    std::vector<std::string> texts;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const std::size_t at = line.find("] " + level + " ");
      if (at != std::string::npos) texts.push_back(line.substr(at + level.size() + 3));
    }
    return texts;
  }

  std::string ini;
  std::ostringstream original;
  std::string appData;
  bool hadAppData = false;
  std::string savedAppData;
};

TEST_P(LogTest, ADaysSessionIsLoggedAtTheConfiguredLevel) {
  PlayTheDay();
  if (HasFatalFailure()) return;
  std::ifstream file(LogPath(), std::ios::binary);
  if (GetParam() == 0 || GetParam() == kUnwritableFolder) {
    EXPECT_FALSE(file.is_open()) << "no log is written";
    return;
  }
  ASSERT_TRUE(file.is_open()) << LogPath();
  std::ostringstream whole;
  whole << file.rdbuf();
  const std::string log = whole.str();

  // The events, in their order; others may come between them.
  const std::vector<std::string> expected = {
      "Tolvane ",   "settings file ",     "handset library loaded: ",
      "handset opened", "handset started", "looking for the client",
      "client attach status 0 ", "protocol ", "session with the client set up",
      "handset identified with a display", "call 1000 RINGING", "call 1000 INPROGRESS",
      "handset key ", "call 1000 FINISHED", "handset pulled out",
      "detaching from the client", "handset plugged in", "session with the client set up",
      "exit chosen", "exit: shutdown took "};
  const std::vector<std::string> events = Texts(log, "event");
  std::size_t next = 0;
  for (const std::string& text : events) {
    if (next < expected.size() && text.starts_with(expected[next])) ++next;
  }
  EXPECT_EQ(next, expected.size()) << "missing or out of order: \"" << (next < expected.size() ? expected[next] : "")
                                   << "\"\n" << log;
  const std::vector<std::string> lines = Texts(log, "line ");
  if (GetParam() == 1) {
    EXPECT_EQ(Lower(log).find("alice"), std::string::npos) << "the default level names a contact\n" << log;
    EXPECT_TRUE(lines.empty()) << log;
  } else {
    for (const char* line : {"to client: SEARCH CALLS", "from client: CALL 1000 STATUS RINGING",
                             "handset code 158"}) {
      EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line << "\n" << log;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, LogTest, ::testing::Values(0, 1, 2, kUnwritableFolder),
                         [](const ::testing::TestParamInfo<int>& param) {
                           return param.param == kUnwritableFolder ? std::string("UnwritableFolder")
                                                                  : "Level" + std::to_string(param.param);
                         });

}  // namespace
}  // namespace tolvane::testing
