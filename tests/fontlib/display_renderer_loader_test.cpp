#include "shell/display_renderer_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fontlib/fake_hid_ctrl.h"

namespace tolvane {
namespace {

// Everything the loader does, in order, as one list of lines.
std::vector<std::string>* gEvents = nullptr;
void Record(std::string line) { gEvents->push_back(std::move(line)); }

class LoggingRenderer final : public DisplayRenderer {
 public:
  int TOLVANE_STDCALL InitRenderer(const char*) override { return 0; }
  int TOLVANE_STDCALL Reserved1() override { return 0; }
  int TOLVANE_STDCALL ShowText(const char*) override { return 0; }
  int TOLVANE_STDCALL FinishDisplay() override { return 0; }
  int TOLVANE_STDCALL FromSkypeText(const char*, char*) override { return 0; }
  int TOLVANE_STDCALL ToSkypeText(const char*, char*) override { return 0; }
  int TOLVANE_STDCALL ShowBalance(int) override { return 0; }
  int TOLVANE_STDCALL Reserved7() override { return 0; }
  int TOLVANE_STDCALL SetHandsetLibrary(QorHidCtrl* library) override {
    library_ = library;
    Record("renderer SetHandsetLibrary");
    return 0;
  }
  int TOLVANE_STDCALL Reserved9() override { return 0; }
  int TOLVANE_STDCALL CancelDisplay(int) override { return 0; }
  int TOLVANE_STDCALL SetFontFileSupport(int enabled) override {
    Record("renderer SetFontFileSupport " + std::to_string(enabled));
    return 0;
  }
  QorHidCtrl* library_ = nullptr;
};

// What the library's entry points do in the current test.
struct EntryBehaviour {
  int createResult = 1;
  bool createFills = true;
  int deleteResult = 1;
};
EntryBehaviour gEntries;
LoggingRenderer gRenderer;

int TOLVANE_STDCALL FakeCreate(DisplayRenderer** instance) {
  Record("CreateComponentInstance");
  if (gEntries.createFills) *instance = &gRenderer;
  return gEntries.createResult;
}

int TOLVANE_STDCALL FakeDelete(DisplayRenderer** instance) {
  Record("DeleteComponentInstance");
  if (gEntries.deleteResult != 0) *instance = nullptr;
  return gEntries.deleteResult;
}

class FakeModule final : public RendererModule {
 public:
  bool IsLoaded() const override { return loaded; }
  bool Load() override {
    Record("module Load");
    loaded = loads;
    return loaded;
  }
  RendererCreateFn FindCreateEntry() const override { return hasCreate ? FakeCreate : nullptr; }
  RendererDeleteFn FindDeleteEntry() const override { return hasDelete ? FakeDelete : nullptr; }
  void Free() override {
    Record("module Free");
    loaded = false;
  }

  bool loaded = false;
  bool loads = true;
  bool hasCreate = true;
  bool hasDelete = true;
};

class DisplayRendererLoaderTest : public ::testing::Test {
 protected:
  DisplayRendererLoaderTest()
      : loader_(module_, [](const char* text, const char* caption) {
          Record(std::string("box \"") + text + "\" \"" + caption + "\"");
        }) {
    gEvents = &events_;
    gEntries = EntryBehaviour{};
    recipients_.handsetLibrary = &handset_;
    recipients_.setHandsetControlRenderer = [](DisplayRenderer* r) {
      Record(r == &gRenderer ? "HandsetControl SetDisplayRenderer" : "HandsetControl wrong renderer");
    };
    recipients_.setSkypeLinkRenderer = [](DisplayRenderer* r) {
      Record(r == &gRenderer ? "SkypeLink SetRenderer" : "SkypeLink wrong renderer");
    };
    recipients_.supportFontFile = 1;
  }
  ~DisplayRendererLoaderTest() override { gEvents = nullptr; }

  std::vector<std::string> events_;
  testing::FakeHidCtrl handset_;
  FakeModule module_;
  RendererRecipients recipients_;
  DisplayRendererLoader loader_;
};

TEST_F(DisplayRendererLoaderTest, SuccessHandsTheRendererOverInOrder) {
  EXPECT_EQ(loader_.Load(recipients_), kOk);
  EXPECT_EQ(events_, (std::vector<std::string>{
                         "module Load",
                         "CreateComponentInstance",
                         "renderer SetHandsetLibrary",
                         "HandsetControl SetDisplayRenderer",
                         "SkypeLink SetRenderer",
                         "renderer SetFontFileSupport 1",
                     }));
  EXPECT_EQ(loader_.Renderer(), &gRenderer);
  EXPECT_EQ(gRenderer.library_, &handset_);
}

TEST_F(DisplayRendererLoaderTest, AnAlreadyLoadedModuleIsNotLoadedAgain) {
  module_.loaded = true;
  EXPECT_EQ(loader_.Load(recipients_), kOk);
  EXPECT_EQ(events_.front(), "CreateComponentInstance");
}

struct LoadFailureCase {
  const char* name;
  bool loads;
  bool hasCreate;
  int createResult;
  bool createFills;
  std::vector<std::string> events;
};

TEST_F(DisplayRendererLoaderTest, LoadFailuresShowTheirMessageAndFreeTheModule) {
  const LoadFailureCase cases[] = {
      {"module missing", false, true, 1, true,
       {"module Load", "box \"Failed to load module - QorFontProcessLib.dll\" \"CreateInstance\""}},
      {"no create entry", true, false, 1, true,
       {"module Load",
        "box \"Failed to Get API - CreateComponentInstance\" \"CreateInstanceFontProcess\"",
        "module Free"}},
      {"create returns 0", true, true, 0, true,
       {"module Load", "CreateComponentInstance",
        "box \"Failed to create instance in module - QorFontProcessLib.dll\" "
        "\"CreateInstanceFontProcess\"",
        "module Free"}},
      {"create claims success without an instance", true, true, 1, false,
       {"module Load", "CreateComponentInstance",
        "box \"Failed to create instance in module - QorFontProcessLib.dll\" "
        "\"CreateInstanceFontProcess\"",
        "module Free"}},
  };
  for (const auto& c : cases) {
    events_.clear();
    module_ = FakeModule{};
    module_.loads = c.loads;
    module_.hasCreate = c.hasCreate;
    gEntries.createResult = c.createResult;
    gEntries.createFills = c.createFills;
    DisplayRendererLoader loader(module_, [](const char* text, const char* caption) {
      Record(std::string("box \"") + text + "\" \"" + caption + "\"");
    });
    EXPECT_EQ(loader.Load(recipients_), kFail) << c.name;
    EXPECT_EQ(events_, c.events) << c.name;
    EXPECT_EQ(loader.Renderer(), nullptr) << c.name;
    EXPECT_FALSE(module_.loaded) << c.name;
  }
}

TEST_F(DisplayRendererLoaderTest, UnloadDeletesTheInstanceAndLeavesTheModuleForShutdown) {
  ASSERT_EQ(loader_.Load(recipients_), kOk);
  events_.clear();
  loader_.Unload();
  EXPECT_EQ(events_, (std::vector<std::string>{"DeleteComponentInstance"}));
  EXPECT_EQ(loader_.Renderer(), nullptr);
  EXPECT_TRUE(module_.loaded);
}

TEST_F(DisplayRendererLoaderTest, UnloadFailuresShowTheirMessageAndFreeTheModule) {
  const struct {
    const char* name;
    bool hasDelete;
    std::vector<std::string> events;
  } cases[] = {
      {"no delete entry", false,
       {"box \"Failed to Get API - DeleteComponentInstance\" \"DeleteInstance\"", "module Free"}},
      {"delete returns 0", true,
       {"DeleteComponentInstance",
        "box \"Failed to delete instance in module - QorFontProcessLib.DLL\" \"DeleteInstance\"",
        "module Free"}},
  };
  for (const auto& c : cases) {
    module_ = FakeModule{};
    module_.hasDelete = c.hasDelete;
    gEntries.deleteResult = 0;
    ASSERT_EQ(loader_.Load(recipients_), kOk) << c.name;
    events_.clear();
    loader_.Unload();
    EXPECT_EQ(events_, c.events) << c.name;
    EXPECT_EQ(loader_.Renderer(), nullptr) << c.name;
    EXPECT_FALSE(module_.loaded) << c.name;
  }
}

TEST_F(DisplayRendererLoaderTest, UnloadWithoutAModuleDoesNothing) {
  loader_.Unload();
  EXPECT_TRUE(events_.empty());
}

}  // namespace
}  // namespace tolvane
