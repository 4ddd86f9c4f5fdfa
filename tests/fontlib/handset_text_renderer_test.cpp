#include "fontlib/handset_text_renderer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/bounded_text.h"
#include "common/status.h"
#include "interfaces/handset_codes.h"
#include "fontlib/fake_code_pages.h"
#include "fontlib/fake_hid_ctrl.h"

namespace tolvane::fontlib {
namespace {

using testing::DisplayChar;
using testing::FakeHidCtrl;

constexpr DisplayChar kNameField{kDisplayFieldName, kDisplayFieldParameter};

// The stream expected for a text: the name field, then the characters with
// parameters 0, 5, 0, 5, ...
std::vector<DisplayChar> StreamOf(const std::string& text) {
  std::vector<DisplayChar> stream{kNameField};
  for (std::size_t i = 0; i < text.size(); ++i)
    stream.emplace_back(static_cast<unsigned char>(text[i]), i % 2 == 0 ? 0 : 5);
  return stream;
}

class HandsetTextRendererTest : public ::testing::Test {
 protected:
  HandsetTextRendererTest()
      : renderer_(std::make_unique<testing::Latin1CodePage>(), [this] { ++pauses_; }) {
    renderer_.SetHandsetLibrary(&handset_);
  }

  FakeHidCtrl handset_;
  int pauses_ = 0;
  HandsetTextRenderer renderer_;
};

TEST_F(HandsetTextRendererTest, StreamsTheShownTextWithAlternatingParameters) {
  renderer_.ShowText("Alice");
  EXPECT_EQ(renderer_.FinishDisplay(), kOk);
  EXPECT_EQ(handset_.Sent(), StreamOf("Alice"));
  EXPECT_EQ(pauses_, 4);  // between characters only
}

TEST_F(HandsetTextRendererTest, ShowsOtherCharactersInTheirLatinSpelling) {
  renderer_.ShowText("Jos\xC3\xA9 \xE7\x8E\x8B");
  renderer_.FinishDisplay();
  EXPECT_EQ(handset_.Sent(), StreamOf("Jose Wang"));
}

TEST_F(HandsetTextRendererTest, EmptyTextSendsOnlyTheField) {
  renderer_.ShowText("");
  EXPECT_EQ(renderer_.FinishDisplay(), kOk);
  EXPECT_EQ(handset_.Sent(), StreamOf(""));
}

TEST_F(HandsetTextRendererTest, BalanceIsShownAsAnAmount) {
  renderer_.ShowBalance(-1234);
  renderer_.FinishDisplay();
  EXPECT_EQ(handset_.Sent(), StreamOf("-12.34"));
}

TEST_F(HandsetTextRendererTest, TheLatestPreparedScreenIsStreamed) {
  renderer_.ShowText("first");
  renderer_.ShowBalance(500);
  renderer_.FinishDisplay();
  EXPECT_EQ(handset_.Sent(), StreamOf("5.00"));
}

TEST_F(HandsetTextRendererTest, WithoutAHandsetLibraryNothingIsStreamed) {
  renderer_.SetHandsetLibrary(nullptr);
  renderer_.ShowText("Bob");
  EXPECT_EQ(renderer_.FinishDisplay(), kFail);
  EXPECT_TRUE(handset_.Sent().empty());
}

TEST_F(HandsetTextRendererTest, StopsAtTheFirstRefusedCharacter) {
  handset_.RefuseFromCall(2);  // the field and 'B' go through, 'o' is refused
  renderer_.ShowText("Bob");
  EXPECT_EQ(renderer_.FinishDisplay(), kFail);
  EXPECT_EQ(handset_.Sent().size(), 3u);
}

TEST_F(HandsetTextRendererTest, CancelMidStreamReturnsAfterTheCharacterInFlight) {
  renderer_.ShowText("Christopher");
  handset_.BlockAtCall(3);  // the field, 'C', 'h', then 'r' is held inside the handset
  auto stream = std::async(std::launch::async, [this] { return renderer_.FinishDisplay(); });
  ASSERT_TRUE(handset_.WaitForCalls(4));

  renderer_.CancelDisplay(1);
  handset_.Release();

  ASSERT_EQ(stream.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_EQ(stream.get(), kFail);
  const auto sent = handset_.Sent();
  ASSERT_EQ(sent.size(), 4u);
  EXPECT_EQ(sent.back(), DisplayChar('r', 0));
}

TEST_F(HandsetTextRendererTest, PendingCancelKeepsStreamsFromStartingUntilCleared) {
  renderer_.ShowText("Bob");
  renderer_.CancelDisplay(1);
  EXPECT_EQ(renderer_.FinishDisplay(), kFail);
  EXPECT_TRUE(handset_.Sent().empty());

  renderer_.CancelDisplay(0);
  EXPECT_EQ(renderer_.FinishDisplay(), kOk);
  EXPECT_EQ(handset_.Sent(), StreamOf("Bob"));
}

// The dispatcher prepares the next screen while the indicator thread is still
// feeding a slow handset: preparing must not wait for the stream, and the
// running stream keeps the text it started with.
TEST_F(HandsetTextRendererTest, ShowTextDoesNotWaitForARunningStream) {
  renderer_.ShowText("old");
  handset_.BlockAtCall(1);
  auto stream = std::async(std::launch::async, [this] { return renderer_.FinishDisplay(); });
  ASSERT_TRUE(handset_.WaitForCalls(2));

  auto show = std::async(std::launch::async, [this] { return renderer_.ShowText("new"); });
  const bool showReturned = show.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
  handset_.Release();
  EXPECT_TRUE(showReturned);
  ASSERT_EQ(stream.get(), kOk);
  EXPECT_EQ(handset_.Sent(), StreamOf("old"));
  // The next stream has the new text.
  ASSERT_EQ(renderer_.FinishDisplay(), kOk);
  auto both = StreamOf("old");
  const auto next = StreamOf("new");
  both.insert(both.end(), next.begin(), next.end());
  EXPECT_EQ(handset_.Sent(), both);
}

TEST_F(HandsetTextRendererTest, ConversionsWriteIntoTheCallersBuffer) {
  char out[kTextBufferSize];
  EXPECT_EQ(renderer_.ToSkypeText("Caf\xE9", out), kOk);
  EXPECT_STREQ(out, "Caf\xC3\xA9");
  EXPECT_EQ(renderer_.FromSkypeText("Caf\xC3\xA9", out), kOk);
  EXPECT_STREQ(out, "Caf\xE9");
  EXPECT_EQ(renderer_.FromSkypeText(nullptr, out), kOk);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(renderer_.ToSkypeText("x", nullptr), kFail);
}

}  // namespace
}  // namespace tolvane::fontlib
