// Finding the handset's mixer device, its lines and controls, and what a
// failure leaves behind: nothing open, a trace, and controls that do nothing.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "audio/handset_mixer_search.h"
#include "audio/handset_mixers.h"
#include "core/audio/closed_mixers.h"
#include "core/audio/fake_mixer.h"

namespace tolvane::testing {
namespace {

using Lines = std::vector<std::string>;

FakeDevice Named(std::string name, bool failOpen = false, bool failCaps = false) {
  FakeDevice device = HandsetDevice(1, std::move(name));
  device.failOpen = failOpen;
  device.failCaps = failCaps;
  return device;
}

std::string OtherDeviceName(const CMixerBase& mixer) {
  char buffer[255];
  mixer.GetOtherDeviceName(buffer, sizeof(buffer));
  return buffer;
}

TEST(MixerInitTest, OnlyADeviceNamedUsbIsUsedAndWithoutOneTheVolumeKeysChangeNothing) {
  const struct {
    const char* name;
    std::vector<FakeDevice> devices;
    int ready;    // HandsetMixers::Init
    int present;  // HandsetMixerPresent
    const char* otherDevice;
  } cases[] = {
      {"no mixer device", {}, 0, 0, ""},
      {"only the sound card", {Named("Realtek HD Audio")}, 0, 1, "Realtek HD Audio"},
      {"names are case-sensitive", {Named("usb audio")}, 0, 1, "usb audio"},
      {"the handset after the sound card", {Named("Realtek HD Audio"), Named("USB Audio Device")}, 3, 2,
       "Realtek HD Audio"},
      {"a device that will not open is passed over", {Named("USB Phone", true), Named("USB Audio Device")}, 3, 2, ""},
      {"a device that will not name itself ends the search", {Named("X", false, true), Named("USB Audio Device")}, 0,
       0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMixer fake(c.devices);
    RecordingMixerTrace trace;
    HandsetMixers mixers(fake, &trace);

    EXPECT_EQ(HandsetMixerPresent(fake, "USB", TestWindow()), c.present);
    EXPECT_EQ(fake.OpenHandles(), 0u);
    EXPECT_EQ(mixers.Init(TestWindow()), c.ready);
    EXPECT_EQ(fake.OpenHandles(), static_cast<std::size_t>(c.ready));
    EXPECT_EQ(OtherDeviceName(mixers.micFader), c.otherDevice);
    EXPECT_EQ(mixers.DeviceName(), c.ready == 3 ? "USB Audio Device" : "");
    if (c.ready == 3) {
      mixers.Close();
      EXPECT_EQ(mixers.DeviceName(), "");
      continue;
    }

    EXPECT_EQ(trace.Lines(), HandsetDeviceMissingTraces(c.devices.empty()));
    ExpectEveryControlDoesNothing(mixers);
    EXPECT_TRUE(fake.Writes().empty());
    EXPECT_EQ(fake.Misuse(), 0);
  }
}

TEST(MixerInitTest, TheThreeControlsAreFoundAndTheMicrophoneIsMutedInTheSpeakers) {
  FakeMixer fake({HandsetDevice()});
  HandsetMixers mixers(fake, nullptr);
  ASSERT_EQ(mixers.Init(TestWindow()), 3);
  EXPECT_EQ(fake.Writes(), Lines{"2=1"});
  // The faders' devices notify the main window; the mute's does not.
  const std::map<MixerHandle, WindowHandle> windows{{0x100, TestWindow()}, {0x101, TestWindow()}, {0x102, nullptr}};
  EXPECT_EQ(fake.Windows(), windows);

  mixers.speakerFader.SetFaderValue(2, 16);
  mixers.micFader.SetFaderValue(2, 8);
  EXPECT_EQ(fake.Writes(), (Lines{"2=1", "1=32750", "3=16375"}));

  mixers.Close();
  EXPECT_EQ(fake.OpenHandles(), 0u);
  EXPECT_EQ(mixers.speakerFader.SetFaderValue(0, 0), 0);
  EXPECT_EQ(fake.Writes().size(), 3u);

  // The handset opened anew: the controls are found again.
  EXPECT_EQ(mixers.Init(TestWindow()), 3);
  EXPECT_EQ(mixers.speakerFader.SetFaderValue(0, 0), 75);
  EXPECT_EQ(fake.OpenHandles(), 3u);
  EXPECT_EQ(fake.Misuse(), 0);
}

TEST(MixerInitTest, AControlThatCannotBeFoundIsTracedAndLeavesNothingOpen) {
  FakeDevice device = HandsetDevice();
  FakeControl custom;
  custom.control = {9, mixer::kCustom, 0, 0, 0, 1, 0};
  custom.values.assign(1, 0);
  device.destinations[0].controls.push_back(custom);
  const struct {
    const char* name;
    std::uint32_t destination, source, control;
    Lines traces;
  } cases[] = {
      {"destination", mixer::kDstHeadphones, mixer::NoSourceLine, mixer::kVolume,
       {"CMixerBase::Init: Warning: the destination line \nMIXERLINE_COMPONENTTYPE_DST_HEADPHONES\nwas not found."}},
      {"source", mixer::kDstWaveIn, mixer::kSrcLine, mixer::kVolume,
       {"CMixerBase::Init: Warning: the source line \nMIXERLINE_COMPONENTTYPE_SRC_LINE\n not found.\n\n"
        "(Associated to Destination line \nMIXERLINE_COMPONENTTYPE_DST_WAVEIN)"}},
      {"control", mixer::kDstSpeakers, mixer::NoSourceLine, mixer::kBass,
       {"CMixerBase::Init: Could not find specified mixer control. Associated Windows control will be disabled.\n"
        "Control type: MIXERCONTROL_CONTROLTYPE_BASS,\n\nDest line type: MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,\n"
        "Src  line type: No source line\n"}},
      {"line without controls", mixer::kDstWaveIn, mixer::NoSourceLine, mixer::kVolume,
       {"CMixerBase::Init: No controls available for this audio line: line 32",
        "CMixerBase::Init: Could not find specified mixer control. Associated Windows control will be disabled.\n"
        "Control type: MIXERCONTROL_CONTROLTYPE_VOLUME,\n\nDest line type: MIXERLINE_COMPONENTTYPE_DST_WAVEIN,\n"
        "Src  line type: No source line\n"}},
      {"units", mixer::kDstSpeakers, mixer::NoSourceLine, mixer::kCustom,
       {"CMixerBase::InitMXDetails: Control uses unknown units."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMixer fake({device});
    RecordingMixerTrace trace;
    CMixerFader fader(fake, &trace);
    EXPECT_EQ(fader.Init(c.destination, c.source, c.control, CMixerFader::kVolumeSubtype, TestWindow()), 0);
    EXPECT_EQ(trace.Lines(), c.traces);
    EXPECT_EQ(fake.OpenHandles(), 0u);
    EXPECT_EQ(fader.SetFaderValue(2, 16), 0);
  }
}

// A list control with three inputs, and the mute switch.
TEST(MixerInitTest, MixerNumberSetsOneItemOfASwitchOrList) {
  FakeDevice device = HandsetDevice();
  FakeControl mux;
  mux.control = {7, mixer::kMux, mixer::kControlMultiple | mixer::kControlUniform, 3, 0, 1, 2};
  mux.values.assign(3, 0);
  device.destinations[1].controls.push_back(mux);
  device.destinations[1].line.controls = 1;
  const struct {
    const char* name;
    std::uint32_t destination, source, control;
    int index;
    int ready;
    Lines traces;
    Lines writes;  // of SetValue(1)
  } cases[] = {
      {"third input", mixer::kDstWaveIn, mixer::NoSourceLine, mixer::kMux, 2, 1, {}, {"7=0,0,1"}},
      {"input past the last", mixer::kDstWaveIn, mixer::NoSourceLine, mixer::kMux, 3, 0,
       {"CMixerNumber::Init: Invalid control index passed: 3"}, {}},
      {"negative input", mixer::kDstWaveIn, mixer::NoSourceLine, mixer::kMux, -1, 0,
       {"CMixerNumber::Init: Invalid control index passed: -1"}, {}},
      {"mute", mixer::kDstSpeakers, mixer::kSrcMicrophone, mixer::kMute, 0, 1, {}, {"2=1"}},
      {"mute has one value", mixer::kDstSpeakers, mixer::kSrcMicrophone, mixer::kMute, 1, 0,
       {"CMixerNumber::Init: Invalid control index passed: 1"}, {}},
      {"not a switch or list", mixer::kDstSpeakers, mixer::NoSourceLine, mixer::kVolume, 0, 0,
       {"CMixerNumber::Init: Wrong control type: MIXERCONTROL_CONTROLTYPE_VOLUME"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMixer fake({device});
    RecordingMixerTrace trace;
    CMixerNumber number(fake, &trace);
    EXPECT_EQ(number.Init(c.destination, c.source, c.control, c.index), c.ready);
    EXPECT_EQ(number.SetValue(1), c.ready);
    EXPECT_EQ(number.GetValue(), c.ready == 1 ? 1u : 0u);
    EXPECT_EQ(trace.Lines(), c.traces);
    EXPECT_EQ(fake.Writes(), c.writes);
    EXPECT_EQ(fake.OpenHandles(), static_cast<std::size_t>(c.ready));
  }
}

TEST(MixerInitTest, ARefusedWriteIsReportedAsAFailure) {
  FakeMixer fake({HandsetDevice()});
  HandsetMixers mixers(fake, nullptr);
  ASSERT_EQ(mixers.Init(TestWindow()), 3);
  fake.WithControl(kMonitorMuteId, [](FakeControl& c) { c.failWrites = true; });
  EXPECT_EQ(mixers.monitorMute.SetValue(0), 0);
  EXPECT_EQ(fake.Values(kMonitorMuteId), std::vector<std::uint32_t>{1});
}

}  // namespace
}  // namespace tolvane::testing
