// The tray menu and the four dialogs as a user of each of the three user
// interface languages sees them: each is opened as the menu opens it, its
// title is the one of that language, and its picture is more than a blank
// rectangle; the icon's tooltip is in that language too. The pictures are kept (BMP) for the documentation's screenshots.
//
// The language is the one Wine gives every program of the run (from LC_ALL);
// the run says which it expects in TOLVANE_UI_LANGUAGE (0x409, 0x404 or
// 0x804), and where to keep the pictures in TOLVANE_SCREENSHOTS_DIR (else a
// scratch folder).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "shell_tooltips.h"
#include "tray_support.h"
#include "window_capture.h"

namespace tolvane::testing {
namespace {

struct LanguageTexts {
  LANGID language;
  const char* about;
  const char* advancedSettings;
  const char* volumeControl;
  const char* audioDevices;
  const char* tipBothOnline;  // the tray icon's tooltip
};

// The dialogs' titles and the tooltip; UTF-8.
constexpr LanguageTexts kLanguages[] = {
    {0x409, "About", "Advanced Settings", "Volume Control", "Audio Device Settings",
     "REROzode In-Used; Skype On-line"},
    {0x404, "說明", "進階設定", "音量控制", "音效裝置設定", "REROzode使用中; Skype上線中 "},
    {0x804, "关于", "设级设定", "音量控制", "音频设定", "REROzode使用中; Skype上线中 "},
};

struct DialogShot {
  WORD command;
  const char* file;
  const char* LanguageTexts::*title;
};

constexpr DialogShot kDialogs[] = {
    {40002, "about", &LanguageTexts::about},
    {40008, "advanced-settings", &LanguageTexts::advancedSettings},
    {40007, "volume-control", &LanguageTexts::volumeControl},
    {40009, "audio-devices", &LanguageTexts::audioDevices},
};

// A picture with only a handful of colours is a window that never painted
// (or a blank rectangle); every dialog has text, a frame and a caption.
constexpr std::size_t kFewColours = 4;

class TrayScreens : public InstalledTolvaneTest {
 protected:
  void SetUp() override {
    const char* wanted = std::getenv("TOLVANE_UI_LANGUAGE");
    if (wanted == nullptr) GTEST_SKIP() << "run by the tray_screens_* tests, each under its own locale";
    InstalledTolvaneTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    const auto language = static_cast<LANGID>(std::strtoul(wanted, nullptr, 16));
    for (const LanguageTexts& texts : kLanguages) {
      if (texts.language == language) expected = &texts;
    }
    ASSERT_NE(expected, nullptr) << "no texts for language " << wanted;
    ASSERT_EQ(GetUserDefaultUILanguage(), language)
        << "Wine runs in another language: is the locale in LC_ALL generated (scripts/bootstrap)?";
    const char* dir = std::getenv("TOLVANE_SCREENSHOTS_DIR");
    shots = dir != nullptr ? std::string(dir) + "\\" : scratch;
  }

  void Keep(const WindowImage& image, const std::string& name) {
    EXPECT_GT(DistinctColours(image), kFewColours) << name << " looks blank";
    EXPECT_TRUE(SaveBitmap(image, shots + name + ".bmp")) << shots << name;
  }

  const LanguageTexts* expected = nullptr;
  std::string shots;
};

TEST_F(TrayScreens, TheMenuAndEveryDialogInTheLanguageOfTheUserInterface) {
  StartInstalled();
  const DWORD process = ProcessOf(main);
  // The tip travels through the program's ANSI code page to the shell.
  std::vector<std::wstring> tips;
  EXPECT_TRUE(WaitForShellTooltip(ShellProcess(), Wide(expected->tipBothOnline), &tips)) << Quoted(tips);

  // The menu, as a right click on the icon opens it.
  ASSERT_TRUE(PostMessageA(main, kTrayCallback, kTrayIconId, WM_RBUTTONUP));
  const HWND menu = WaitForWindow("#32768", nullptr);
  ASSERT_NE(menu, nullptr) << "the tray menu";
  Keep(CapturePainted(menu), "menu");
  PressKey(menu, VK_ESCAPE);
  ASSERT_TRUE(WaitUntilHidden(menu));

  for (const DialogShot& shot : kDialogs) {
    SCOPED_TRACE(shot.file);
    ASSERT_TRUE(PostMessageA(main, WM_COMMAND, shot.command, 0));
    const HWND dialog = WaitForDialog(process);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Utf8(WindowText(dialog)), expected->*shot.title);
    if (shot.command == 40002) {
      // The shipped configuration's customer text, its "\n" a line break.
      EXPECT_EQ(WindowText(GetDlgItem(dialog, 1001)), L"Tolvane\r\nUSB handset for Skype");
    }
    Keep(CapturePainted(dialog), shot.file);
    ASSERT_TRUE(PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0));
    ASSERT_TRUE(WaitUntilGone(dialog));
  }
  ExitThroughMenu();
}

}  // namespace
}  // namespace tolvane::testing
