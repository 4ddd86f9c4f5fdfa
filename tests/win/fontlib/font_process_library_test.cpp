// Needs Windows (Wine): loads QorFontProcessLib.dll from the test's folder.
#include "shell/display_renderer_loader_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/bounded_text.h"
#include "fontlib/fake_hid_ctrl.h"

namespace tolvane {
namespace {

using testing::DisplayChar;
using testing::FakeHidCtrl;

struct Box {
  std::string text;
  std::string caption;
  bool operator==(const Box&) const = default;
};

class FontProcessLibraryTest : public ::testing::Test {
 protected:
  ErrorBox Recorder() {
    return [this](const char* text, const char* caption) { boxes_.push_back({text, caption}); };
  }

  std::vector<Box> boxes_;
  FakeHidCtrl handset_;
};

TEST_F(FontProcessLibraryTest, LoadsTheLibraryAndStreamsAShownText) {
  FontProcessLibrary library(Recorder());
  DisplayRenderer* handedToHandset = nullptr;
  RendererRecipients recipients;
  recipients.handsetLibrary = &handset_;
  recipients.setHandsetControlRenderer = [&](DisplayRenderer* r) { handedToHandset = r; };
  recipients.supportFontFile = 1;

  ASSERT_EQ(library.Load(recipients), kOk);
  EXPECT_TRUE(boxes_.empty());
  DisplayRenderer* renderer = library.Renderer();
  ASSERT_NE(renderer, nullptr);
  EXPECT_EQ(handedToHandset, renderer);

  renderer->ShowText("Jos\xC3\xA9");
  EXPECT_EQ(renderer->FinishDisplay(), 0);
  EXPECT_EQ(handset_.Sent(), (std::vector<DisplayChar>{{112, 10}, {'J', 0}, {'o', 5}, {'s', 0}, {'e', 5}}));

  library.Unload();
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(library.Renderer(), nullptr);
  // Unloading deletes the instance; the module goes with its holder.
  EXPECT_NE(GetModuleHandleA(kFontProcessLibraryName), nullptr);
}

TEST_F(FontProcessLibraryTest, TheModuleIsFreedWithItsHolder) {
  {
    FontProcessLibrary library(Recorder());
    ASSERT_EQ(library.Load(RendererRecipients{}), kOk);
    library.Unload();
  }
  EXPECT_EQ(GetModuleHandleA(kFontProcessLibraryName), nullptr);
}

TEST_F(FontProcessLibraryTest, AnsiTextRoundTripsThroughUtf8) {
  if (GetACP() != 1252) GTEST_SKIP() << "needs the Windows-1252 ANSI code page (Wine's default)";
  FontProcessLibrary library(Recorder());
  ASSERT_EQ(library.Load(RendererRecipients{}), kOk);
  DisplayRenderer* renderer = library.Renderer();

  char utf8[kTextBufferSize];
  renderer->ToSkypeText("caf\xE9 \x80", utf8);  // e-acute and the euro sign of 1252
  EXPECT_STREQ(utf8, "caf\xC3\xA9 \xE2\x82\xAC");
  char ansi[kTextBufferSize];
  renderer->FromSkypeText(utf8, ansi);
  EXPECT_STREQ(ansi, "caf\xE9 \x80");

  // A character 1252 lacks still shows as something.
  renderer->FromSkypeText("\xE4\xB8\xAD", ansi);
  EXPECT_STREQ(ansi, "?");
  library.Unload();
}

TEST_F(FontProcessLibraryTest, OverLongTextIsCutOnACharacterWithinTheBuffer) {
  if (GetACP() != 1252) GTEST_SKIP() << "needs the Windows-1252 ANSI code page (Wine's default)";
  FontProcessLibrary library(Recorder());
  ASSERT_EQ(library.Load(RendererRecipients{}), kOk);

  const std::string accents(200, '\xE9');
  char out[kTextBufferSize + 1];
  std::memset(out, 'x', sizeof out);
  out[kTextBufferSize] = '#';
  library.Renderer()->ToSkypeText(accents.c_str(), out);
  std::string expected;
  for (int i = 0; i < 127; ++i) expected += "\xC3\xA9";
  EXPECT_EQ(std::string(out), expected);
  EXPECT_EQ(out[kTextBufferSize], '#');
  library.Unload();
}

TEST_F(FontProcessLibraryTest, MissingLibraryShowsTheLoadMessage) {
  FontProcessLibrary library(Recorder(), "NoSuchFontProcessLib.dll");
  EXPECT_EQ(library.Load(RendererRecipients{}), kFail);
  EXPECT_EQ(boxes_, (std::vector<Box>{{"Failed to load module - QorFontProcessLib.dll", "CreateInstance"}}));
  EXPECT_EQ(library.Renderer(), nullptr);

  library.Unload();  // nothing loaded: nothing to say
  EXPECT_EQ(boxes_.size(), 1u);
}

TEST_F(FontProcessLibraryTest, LibraryWithoutTheEntryPointIsFreedAgain) {
  // Any library without the export will do, as long as nothing else here
  // has it loaded.
  // The program loads only from its own folder, or from a full path.
  ASSERT_EQ(GetModuleHandleA("msimg32.dll"), nullptr);
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  FontProcessLibrary library(Recorder(), std::string(system) + "\\msimg32.dll");
  EXPECT_EQ(library.Load(RendererRecipients{}), kFail);
  EXPECT_EQ(boxes_, (std::vector<Box>{{"Failed to Get API - CreateComponentInstance",
                                       "CreateInstanceFontProcess"}}));
  EXPECT_EQ(GetModuleHandleA("msimg32.dll"), nullptr);
}

}  // namespace
}  // namespace tolvane
