// The log's port: what a level-1 line may keep of a client line, and how the
// parts of a line are joined.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "common/log.h"

namespace tolvane {
namespace {

TEST(LogPortTest, ALevelOneLineKeepsOfAClientLineOnlyWordsThatNameNoOne) {
  struct Case {
    const char* line;
    const char* kept;
  };
  for (const Case& c : {Case{"GET CALL 1000 PARTNER_DISPNAME", "GET CALL 1000 PARTNER_DISPNAME"},
                        Case{"CALL alice.example", "CALL"},
                        Case{"CALL +4420123456", "CALL"},
                        Case{"CALL 4420123456", "CALL"},  // a number too long for a call id
                        Case{"SET USER Alice Example", "SET USER"},
                        Case{"CALL 12 PARTNER_DISPNAME Bob", "CALL 12 PARTNER_DISPNAME"},
                        Case{"alice", ""},
                        Case{"", ""}}) {
    EXPECT_EQ(LogSafeHead(c.line), c.kept) << c.line;
  }
}

class RecordingSink final : public LogSink {
 public:
  void Write(LogLevel written, std::string_view text) override {
    lines.emplace_back(std::to_string(static_cast<int>(written)) + " " + std::string(text));
  }
  LogLevel Level() const override { return level; }
  void Flush(std::chrono::milliseconds) override {}

  LogLevel level = LogLevel::kEvents;
  std::vector<std::string> lines;
};

TEST(LogPortTest, PartsAreJoinedAndDetailsWaitForTheirLevel) {
  RecordingSink sink;
  SetLogSink(&sink);
  const char* none = nullptr;
  LogEvent("call ", 12, " of ", -3, ", key ", 31u, ", display ", true, ", name ", none, " ", std::string("x"));
  LogDetail("from client: CALL 12 STATUS RINGING");
  sink.level = LogLevel::kLines;
  LogDetail("to client: GET CALL 12 PARTNER_DISPNAME");
  SetLogSink(nullptr);
  LogEvent("after the sink has gone");
  EXPECT_EQ(sink.lines, (std::vector<std::string>{"1 call 12 of -3, key 31, display yes, name (null) x",
                                                  "2 to client: GET CALL 12 PARTNER_DISPNAME"}));
}

}  // namespace
}  // namespace tolvane
