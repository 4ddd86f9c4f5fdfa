// LaunchSkypeFromRegistry against the real registry of the test's Wine
// prefix. The registered program is launch_probe.exe, which signals an event.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "shell/skype_windows_win.h"

namespace tolvane {
namespace {

constexpr DWORD kStartDeadlineMs = 20000;
// How long nothing must happen after a refused start.
constexpr DWORD kQuietMs = 1500;

std::string ProbePath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text(path);
  return text.substr(0, text.rfind('\\') + 1) + "launch_probe.exe";
}

class LaunchSkypeFromRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSkypeRegistryKey);
    started = CreateEventA(nullptr, TRUE, FALSE, "TolvaneLaunchProbeStarted");
    ASSERT_NE(started, nullptr);
    ResetEvent(started);
  }
  void TearDown() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSkypeRegistryKey);
    if (started != nullptr) CloseHandle(started);
  }

  HKEY CreateKey() {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSkypeRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    return key;
  }
  void SetPath(DWORD type, const std::string& bytes) {
    HKEY key = CreateKey();
    ASSERT_EQ(RegSetValueExA(key, kSkypeRegistryValue, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  bool ProbeStarted(DWORD timeoutMs) { return WaitForSingleObject(started, timeoutMs) == WAIT_OBJECT_0; }

  HANDLE started = nullptr;
};

TEST_F(LaunchSkypeFromRegistryTest, StartsTheRegisteredProgram) {
  const std::string path = ProbePath();
  SetPath(REG_SZ, path + '\0');
  EXPECT_TRUE(LaunchSkypeFromRegistry(nullptr));
  EXPECT_TRUE(ProbeStarted(kStartDeadlineMs)) << path;
}

TEST_F(LaunchSkypeFromRegistryTest, AcceptsAnyValueType) {
  // Binary data without a terminator: the read buffer supplies it.
  SetPath(REG_BINARY, ProbePath());
  EXPECT_TRUE(LaunchSkypeFromRegistry(nullptr));
  EXPECT_TRUE(ProbeStarted(kStartDeadlineMs));
}

TEST_F(LaunchSkypeFromRegistryTest, NoKeyStartsNothing) {
  EXPECT_FALSE(LaunchSkypeFromRegistry(nullptr));
  EXPECT_FALSE(ProbeStarted(kQuietMs));
}

TEST_F(LaunchSkypeFromRegistryTest, KeyWithoutTheValueStartsNothing) {
  HKEY key = CreateKey();
  const std::string other = ProbePath() + '\0';
  RegSetValueExA(key, "OtherPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(other.data()),
                 static_cast<DWORD>(other.size()));
  RegCloseKey(key);
  EXPECT_FALSE(LaunchSkypeFromRegistry(nullptr));
  EXPECT_FALSE(ProbeStarted(kQuietMs));
}

TEST_F(LaunchSkypeFromRegistryTest, EmptyValueStartsNothing) {
  SetPath(REG_SZ, std::string(1, '\0'));
  EXPECT_FALSE(LaunchSkypeFromRegistry(nullptr));
  EXPECT_FALSE(ProbeStarted(kQuietMs));
}

TEST_F(LaunchSkypeFromRegistryTest, ValueLongerThan255BytesIsNotRead) {
  // 256 bytes with the terminator: one more than the read allows.
  SetPath(REG_SZ, std::string(255, 'x') + '\0');
  EXPECT_FALSE(LaunchSkypeFromRegistry(nullptr));
}

TEST_F(LaunchSkypeFromRegistryTest, ValueOfExactly255BytesIsRead) {
  // The probe's path padded with ".\\" to 254 characters plus terminator.
  const std::string probe = ProbePath();
  const std::size_t slash = probe.rfind('\\') + 1;
  std::string path = probe.substr(0, slash);
  if ((254 - probe.size()) % 2 != 0) path += '\\';  // a doubled backslash is accepted too
  while (path.size() + (probe.size() - slash) < 254) path += ".\\";
  path += probe.substr(slash);
  ASSERT_EQ(path.size(), 254u);
  SetPath(REG_SZ, path + '\0');
  EXPECT_TRUE(LaunchSkypeFromRegistry(nullptr));
  EXPECT_TRUE(ProbeStarted(kStartDeadlineMs)) << path;
}

}  // namespace
}  // namespace tolvane
