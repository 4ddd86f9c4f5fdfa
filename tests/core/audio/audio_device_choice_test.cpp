// The Windows default devices as the Audio Device Settings dialog shows,
// writes and follows them through the Sound Mapper key.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "audio/audio_device_choice.h"

namespace tolvane {
namespace {

class FakeDevices final : public WaveDevices {
 public:
  unsigned OutputCount() const override { return static_cast<unsigned>(outputs.size()); }
  unsigned InputCount() const override { return static_cast<unsigned>(inputs.size()); }
  std::string OutputName(unsigned index) const override { return outputs.at(index); }
  std::string InputName(unsigned index) const override { return inputs.at(index); }
  std::vector<std::string> outputs{"USB Audio Device", "Speakers", "HDMI"};
  std::vector<std::string> inputs{"usb audio device", "Microphone"};
};

class FakeKey final : public SoundMapperKey {
 public:
  bool Open() override { return open = exists; }
  bool Create() override { return open = exists = true; }
  void Close() override { open = false; }
  std::optional<std::string> Read(const char* value) override {
    if (!open || !values.contains(value)) return std::nullopt;
    return values[value];
  }
  bool Write(const char* value, const std::string& text) override {
    if (!open) return false;
    writes.push_back(std::string(value) + "=" + text);
    values[value] = text;
    return true;
  }
  bool CopySetupPreferredCount() override {
    writes.push_back("count");
    return true;
  }
  bool exists = true;
  bool open = false;
  std::map<std::string, std::string> values;
  std::vector<std::string> writes;
};

TEST(AudioDeviceChoiceTest, TheDialogOpensOnTheDevicesTheKeyNames) {
  FakeDevices devices;
  FakeKey key;
  key.values = {{"Playback", "HDMI"}, {"Record", "Nothing like it"}};
  const DeviceChoice choice = InitialDeviceChoice(devices, key, "USB");
  EXPECT_TRUE(choice.available);
  EXPECT_EQ(choice.output, 2);
  EXPECT_EQ(choice.input, 0);
  EXPECT_TRUE(key.writes.empty());
}

TEST(AudioDeviceChoiceTest, WithoutAKeyTheFirstDevicesOffTheHandsetAreWrittenAndShown) {
  FakeDevices devices;
  // A device whose name cannot be read is passed over as well.
  devices.outputs.insert(devices.outputs.begin(), "");
  FakeKey key;
  key.exists = false;
  const DeviceChoice choice = InitialDeviceChoice(devices, key, "USB");
  EXPECT_EQ(choice.output, 2);
  EXPECT_EQ(choice.input, 1);
  EXPECT_EQ(key.writes, (std::vector<std::string>{"Playback=Speakers", "UserPlayback=Speakers", "Record=Microphone",
                                                  "UserRecord=Microphone", "count"}));
}

TEST(AudioDeviceChoiceTest, NoDevicesNoLists) {
  FakeDevices devices;
  devices.inputs.clear();
  FakeKey key;
  const DeviceChoice choice = InitialDeviceChoice(devices, key, "USB");
  EXPECT_FALSE(choice.available);
  EXPECT_TRUE(choice.outputs.empty());
}

TEST(AudioDeviceChoiceTest, ClosingWritesWhatIsShownWhenSuchADeviceExists) {
  FakeDevices devices;
  FakeKey key;
  const DeviceChoice choice = InitialDeviceChoice(devices, key, "USB");
  ApplyDeviceChoice(key, choice, "HDMI", "No MIC");
  EXPECT_EQ(key.writes, std::vector<std::string>{"Playback=HDMI"});
}

TEST(AudioDeviceChoiceTest, TheWatchFollowsChangesMadeElsewhere) {
  FakeDevices devices;
  FakeKey key;
  key.values = {{"Playback", "Speakers"}, {"Record", "Microphone"}};
  DeviceWatch watch(key, devices.outputs, devices.inputs);
  watch.SetShown(true, 1);
  watch.SetShown(false, 1);
  ASSERT_TRUE(watch.Round());
  EXPECT_TRUE(watch.Round()->empty());

  key.values["Playback"] = "HDMI";
  const auto moves = watch.Round();
  ASSERT_TRUE(moves);
  ASSERT_EQ(moves->size(), 1u);
  EXPECT_TRUE(moves->front().output);
  EXPECT_EQ(moves->front().index, 2);
  EXPECT_TRUE(watch.Round()->empty());

  // The user already shows the new one: nothing to move.
  watch.SetShown(false, 0);
  key.values["Record"] = "usb audio device";
  EXPECT_TRUE(watch.Round()->empty());

  key.exists = false;
  EXPECT_FALSE(watch.Round());
}

}  // namespace
}  // namespace tolvane
