// The log's files in a real folder: the folder made when missing, the current
// file kept as "Tolvane.1.log" past the limit (replacing the one before, so
// two files at most), and a folder that cannot be made leaving the log off.
// Under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "common/log.h"
#include "logging/diagnostic_log_win.h"
#include "logging/log_file_win.h"
#include "logging/log_writer.h"

namespace tolvane {
namespace {

std::wstring Scratch() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"tolvane-log-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(GetTickCount64());
}

std::string Contents(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::ostringstream whole;
  whole << in.rdbuf();
  return whole.str();
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(LogFilesTest, PastTheLimitTheFileIsKeptAsThePreviousOneAndOnlyTwoRemain) {
  const std::wstring folder = Scratch() + L"\\Tolvane";  // neither exists yet
  CreateDirectoryW(Scratch().c_str(), nullptr);
  {
    Win32LogFile file(folder, L"Tolvane");
    Win32LineStamp stamp;
    LogWriter writer(file, stamp, LogLevel::kEvents, LogLimits{400, 1000});
    ASSERT_TRUE(writer.Start());
    for (int i = 100; i < 160; ++i) writer.Write(LogLevel::kEvents, "line " + std::to_string(i));
    writer.Stop();
  }
  const std::string current = Contents(folder + L"\\Tolvane.log");
  const std::string previous = Contents(folder + L"\\Tolvane.1.log");
  EXPECT_LE(current.size(), 400u);
  EXPECT_LE(previous.size(), 400u);
  EXPECT_NE(current.find("event line 159\r\n"), std::string::npos) << current;
  EXPECT_EQ(current.find("line 100"), std::string::npos);
  EXPECT_FALSE(Exists(folder + L"\\Tolvane.2.log"));
  // "2026-12-09 17:40:01.123 [  4512] event line 159"
  ASSERT_GT(current.size(), 24u);
  EXPECT_EQ(current[4], '-');
  EXPECT_EQ(current[10], ' ');
  EXPECT_EQ(current[19], '.');
  EXPECT_EQ(current[23], ' ');
  EXPECT_EQ(current[24], '[');
}

TEST(LogFilesTest, AFolderThatCannotBeMadeLeavesTheLogOffAndLoggingHarmless) {
  const std::wstring scratch = Scratch();
  CreateDirectoryW(scratch.c_str(), nullptr);
  // A file stands where the folder's parent would be.
  const std::wstring blocker = scratch + L"\\blocker";
  std::ofstream(blocker.c_str()) << "not a folder";
  DiagnosticLog log(LogLevel::kLines, blocker + L"\\Tolvane");
  EXPECT_FALSE(log.Start());
  EXPECT_FALSE(LogEnabled(LogLevel::kEvents));
  LogEvent("nowhere to go");
  log.Stop();
  EXPECT_FALSE(Exists(blocker + L"\\Tolvane\\Tolvane.log"));
}

}  // namespace
}  // namespace tolvane
