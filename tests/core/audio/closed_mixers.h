#pragma once
// What the handset's controls look like when the handset's sound device was
// not found, with the fake device and with winmm alike.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/handset_mixers.h"

namespace tolvane::testing {

// A window handle for the faders' notifications; never dereferenced.
inline WindowHandle TestWindow() {
  static int window;
  return &window;
}

// The traces of three Init calls that found no handset device.
inline std::vector<std::string> HandsetDeviceMissingTraces(bool noMixerAtAll) {
  std::vector<std::string> lines;
  for (int i = 0; i < 3; ++i) {
    if (noMixerAtAll) lines.push_back("CMixerBase::OpenHandsetMixer: No mixer device present");
    lines.push_back("CMixerBase::Init: Could not open mixer device");
  }
  return lines;
}

// Volume keys, levels, notifications and the mute all do nothing.
inline void ExpectEveryControlDoesNothing(HandsetMixers& mixers) {
  LevelControl& keys = mixers.speakerFader;
  EXPECT_EQ(keys.SetFaderValue(0, 0), 0);
  EXPECT_EQ(keys.SetFaderValue(1, 0), 0);
  EXPECT_EQ(keys.SetFaderValue(2, 16), 0);
  EXPECT_EQ(mixers.micFader.SetFaderValue(4, 16), 0);
  EXPECT_EQ(mixers.speakerFader.GetFaderLevel(), 0);
  EXPECT_EQ(mixers.micFader.OnControlChange(0x100, 3), 0);
  EXPECT_EQ(mixers.monitorMute.SetValue(1), 0);
  EXPECT_EQ(mixers.monitorMute.GetValue(), 0u);
}

}  // namespace tolvane::testing
