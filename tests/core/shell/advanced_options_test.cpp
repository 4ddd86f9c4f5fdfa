// The Advanced Settings check boxes taken into the effective options: the
// key-tone code goes out only when the key tone changed.
#include <gtest/gtest.h>

#include "shell/advanced_options.h"

namespace tolvane {
namespace {

TEST(AdvancedOptionsTest, TakingTheChecksSendsTheKeyToneCodeOnlyOnAChange) {
  struct Case {
    int keyToneBefore;
    bool keyToneChecked;
    std::optional<std::uint8_t> code;
  };
  for (const Case& c : {Case{0, false, std::nullopt}, Case{1, true, std::nullopt}, Case{0, true, 0x28},
                        Case{1, false, 0x29}}) {
    HandsetSettings settings;
    settings.SupportEnableKeyTone = c.keyToneBefore;
    const AdvancedOptions options{true, false, c.keyToneChecked};
    EXPECT_EQ(TakeOptions(settings, options), c.code) << c.keyToneBefore << c.keyToneChecked;
    EXPECT_EQ(settings.SupportAutoSwitchAudioDevice.load(), 1);
    EXPECT_EQ(settings.SupportAutoRunSkype.load(), 0);
    EXPECT_EQ(settings.SupportEnableKeyTone.load(), c.keyToneChecked ? 1 : 0);
    const AdvancedOptions shown = CurrentOptions(settings);
    EXPECT_TRUE(shown.autoSwitchAudio);
    EXPECT_FALSE(shown.autoRunSkype);
    EXPECT_EQ(shown.keyTone, c.keyToneChecked);
  }
}

}  // namespace
}  // namespace tolvane
