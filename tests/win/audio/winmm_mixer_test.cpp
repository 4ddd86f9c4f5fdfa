// The winmm adapter under the mixer classes. Which mixer devices exist is up
// to the machine: the cases that need one are skipped, saying so, where there
// is none; the rest hold on any machine without a handset's sound device.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/handset_mixer_search.h"
#include "audio/handset_mixers.h"
#include "audio/mixer_api_win.h"
#include "core/audio/closed_mixers.h"
#include "core/audio/fake_mixer.h"

namespace tolvane::testing {
namespace {

// A hidden window to receive the devices' change notifications.
class NotifyWindow {
 public:
  NotifyWindow()
      : window_(CreateWindowExA(0, "STATIC", "mixer notifications", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr)) {}
  ~NotifyWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  WindowHandle Handle() const { return window_; }

 private:
  HWND window_;
};

// The suite's Wine prefixes have a sound device named like the handset's
// (scripts/wine-x11-alsa.conf); the handset is looked for under a name no
// device has where it must be missing.
constexpr char kNoDevicesName[] = "no mixer is called this";

TEST(WinmmMixerTest, WithoutTheHandsetsDeviceEveryControlFailsCleanlyAndDoesNothing) {
  WinmmMixerApi api;
  NotifyWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  RecordingMixerTrace trace;
  HandsetMixers mixers(api, &trace, kNoDevicesName);

  EXPECT_EQ(mixers.Init(window.Handle()), 0);

  EXPECT_EQ(trace.Lines(), HandsetDeviceMissingTraces(api.DeviceCount() == 0));
  ExpectEveryControlDoesNothing(mixers);
  mixers.Close();
  mixers.Close();

  // The same through the debugger-output trace.
  DebugOutputMixerTrace debugOutput;
  HandsetMixers traced(api, &debugOutput, kNoDevicesName);
  EXPECT_EQ(traced.Init(window.Handle()), 0);
}

TEST(WinmmMixerTest, HandsetMixerPresentTellsNoDeviceFromNoHandsetDevice) {
  WinmmMixerApi api;
  EXPECT_EQ(HandsetMixerPresent(api, kNoDevicesName, nullptr), api.DeviceCount() == 0 ? 0 : 1);
  if (api.DeviceCount() == 0) GTEST_SKIP() << "this Wine prefix has no sound devices (scripts/wine-x11-alsa.conf)";
  EXPECT_EQ(HandsetMixerPresent(api, mixer::kHandsetMixerPrefix, nullptr), 2)
      << "the prefix's handset device (Out: USBHandset) was not found";
}

TEST(WinmmMixerTest, CallsOnAHandleThatIsNotOpenAreRefused) {
  WinmmMixerApi api;
  MixerHandle mixer = 0;
  EXPECT_FALSE(api.Open(api.DeviceCount(), nullptr, &mixer));
  EXPECT_EQ(mixer, 0u);
  MixerCaps caps;
  MixerLine line;
  MixerControl control;
  std::uint32_t values[2] = {};
  const MixerDetails details{1, 1, 0};
  const MixerHandle bogus = 0x5a5a;
  EXPECT_FALSE(api.GetDestinationLine(bogus, 0, &line));
  EXPECT_FALSE(api.GetSourceLine(bogus, 0, 0, &line));
  EXPECT_FALSE(api.GetControlByType(bogus, 0, mixer::kVolume, &control));
  EXPECT_FALSE(api.GetDetails(bogus, details, values, 2));
  EXPECT_FALSE(api.SetDetails(bogus, details, values, 2));
  // A block too small for the values asked for is never handed to winmm.
  EXPECT_FALSE(api.GetDetails(bogus, MixerDetails{1, 2, 3}, values, 2));
  EXPECT_FALSE(api.GetCaps(bogus, &caps));
}

TEST(WinmmMixerTest, EveryDeviceOfTheMachineCanBeOpenedWalkedAndClosed) {
  WinmmMixerApi api;
  const unsigned count = api.DeviceCount();
  if (count == 0) GTEST_SKIP() << "this machine (or Wine prefix) has no mixer device";
  NotifyWindow window;
  for (unsigned index = 0; index < count; ++index) {
    MixerHandle mixer = 0;
    if (!api.Open(index, window.Handle(), &mixer)) continue;
    MixerCaps caps;
    EXPECT_TRUE(api.GetCaps(mixer, &caps));
    SCOPED_TRACE(caps.name);
    for (std::uint32_t d = 0; d < caps.destinations; ++d) {
      MixerLine line;
      ASSERT_TRUE(api.GetDestinationLine(mixer, d, &line));
      EXPECT_LT(line.name.size(), 64u);
    }
    api.Close(mixer);
  }
}

}  // namespace
}  // namespace tolvane::testing
