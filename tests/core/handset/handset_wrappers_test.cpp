// The library wrappers turn the library's 0-for-success into 1, anything
// else into 0; SendCode always reports success.
#include <functional>
#include <string>
#include <vector>

#include "handset_fixture.h"

namespace tolvane::testing {
namespace {

struct WrapperCase {
  const char* name;
  std::function<int(HandsetControl&)> call;
  const char* libraryCall;
};

std::vector<WrapperCase> Wrappers() {
  static int window = 0;
  return {
      {"CloseDevice", [](HandsetControl& h) { return h.CloseDevice(); }, "lib CloseDevice"},
      {"OpenDevice", [](HandsetControl& h) { return h.OpenDevice(); }, "lib OpenDevice"},
      {"StartDevice", [](HandsetControl& h) { return h.StartDevice(&window); }, "lib StartDevice window"},
      {"AbortStart", [](HandsetControl& h) { return h.AbortStart(); }, "lib AbortStart"},
      {"SetDisplayRenderer", [](HandsetControl& h) { return h.SetDisplayRenderer(nullptr); },
       "lib SetDisplayRenderer null"},
  };
}

TEST_F(HandsetTest, WrappersMapLibrarySuccessToOneAndEveryFailureToZero) {
  for (const WrapperCase& c : Wrappers()) {
    for (int libraryResult : {0, 1, -1, static_cast<int>(kFail)}) {
      library.result = libraryResult;
      const std::size_t before = log.Count(c.libraryCall);
      EXPECT_EQ(c.call(*handset), libraryResult == 0 ? 1 : 0) << c.name << " with library result " << libraryResult;
      EXPECT_EQ(log.Count(c.libraryCall), before + 1) << c.name << " did not reach the library";
    }
  }
}

TEST_F(HandsetTest, SendCodeReportsSuccessWhateverTheLibrarySays) {
  for (int libraryResult : {0, 1, static_cast<int>(kFail)}) {
    library.result = libraryResult;
    EXPECT_EQ(handset->SendCode(158), 1);
  }
  EXPECT_EQ(log.Count("lib SendCode 158"), 3u);
}

TEST(HandsetWithoutLibrary, WrappersFailButSendCodeStillSucceeds) {
  // A failed load leaves the object without an instance; nothing may crash.
  HandsetControl handset(nullptr);
  EXPECT_EQ(handset.OpenDevice(), 0);
  EXPECT_EQ(handset.StartDevice(nullptr), 0);
  EXPECT_EQ(handset.AbortStart(), 0);
  EXPECT_EQ(handset.SendCode(63), 1);
}

TEST(HandsetLifetime, LibraryIsReleasedOnlyAfterTheReportThreadHasEnded) {
  EventLog log;
  FakeHidCtrl library(log);
  {
    HandsetControl handset(std::make_unique<FakeHandsetLibrary>(log, &library));
    ASSERT_EQ(handset.StartReportThread(), 1);
    handset.QueueReport(MakeReport(45, 1), 0);  // key 45: its code byte 0, then the acknowledgement
    ASSERT_TRUE(log.WaitFor("lib SendCode 81"));
  }
  EXPECT_EQ(log.All().back(), "lib released");
}

}  // namespace
}  // namespace tolvane::testing
