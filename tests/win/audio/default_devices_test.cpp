// The Windows default devices written to the real registry, with the wave
// devices faked: the scan orders for an existing and a new Sound Mapper key,
// the handset's devices passed over in any case and nameless ones too, and
// the copy of the machine's preferred-device count with its type, and two
// threads updating through one key.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "audio/default_audio_devices.h"
#include "audio/sound_mapper_key_win.h"
#include "audio/wave_devices.h"

namespace tolvane::testing {
namespace {

class FakeWaveDevices final : public WaveDevices {
 public:
  std::vector<std::string> outputs;
  std::vector<std::string> inputs;
  unsigned OutputCount() const override { return static_cast<unsigned>(outputs.size()); }
  unsigned InputCount() const override { return static_cast<unsigned>(inputs.size()); }
  std::string OutputName(unsigned index) const override { return outputs.at(index); }
  std::string InputName(unsigned index) const override { return inputs.at(index); }
};

// The real key, watched: an update's calls, from the key's opening to its
// closing, must come from one thread at a time. The first write waits (a
// while, as long as nobody comes) for another thread to open the key, so
// that an update which can overlap another one does every time.
class WatchedKey final : public SoundMapperKey {
 public:
  explicit WatchedKey(SoundMapperKey& key) : key_(key) {}

  bool Open() override {
    Enter();
    return key_.Open();
  }
  bool Create() override {
    Enter();
    return key_.Create();
  }
  bool Write(const char* value, const std::string& text) override {
    std::unique_lock<std::mutex> hold(lock_);
    if (!firstWrite_) {
      firstWrite_ = true;
      changed_.notify_all();
      changed_.wait_for(hold, std::chrono::milliseconds(500), [&] { return overlaps > 0; });
    }
    hold.unlock();
    return key_.Write(value, text);
  }
  std::optional<std::string> Read(const char* value) override { return key_.Read(value); }
  void Close() override {
    key_.Close();
    std::lock_guard<std::mutex> hold(lock_);
    if (user_ == std::this_thread::get_id()) user_ = {};
  }
  bool CopySetupPreferredCount() override {
    Enter();
    const bool copied = key_.CopySetupPreferredCount();
    Close();
    return copied;
  }

  // Until an update is waiting in its first write.
  void WaitForFirstWrite() {
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait(hold, [&] { return firstWrite_; });
  }

  int overlaps = 0;  // under lock_

 private:
  void Enter() {
    std::lock_guard<std::mutex> hold(lock_);
    if (user_ != std::thread::id{} && user_ != std::this_thread::get_id()) {
      ++overlaps;
      changed_.notify_all();
      return;
    }
    user_ = std::this_thread::get_id();
  }

  SoundMapperKey& key_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::thread::id user_;
  bool firstWrite_ = false;
};

// A scratch key of this test run's own in place of the user's and the
// machine's keys; removed before and after.
class DefaultDevicesTest : public ::testing::Test {
 protected:
  DefaultDevicesTest() {
    const std::string base = "Software\\Tolvane tests\\" + std::to_string(GetCurrentProcessId());
    location.userKey = base + "\\Sound Mapper";
    location.machineRoot = HKEY_CURRENT_USER;
    location.machineKey = base + "\\SetupPreferredAudioDevices";
    root = base;
    RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str());
  }
  ~DefaultDevicesTest() override { RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str()); }

  void CreateUserKey() {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, location.userKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  std::optional<std::string> UserValue(const char* name) const {
    char text[128] = {};
    DWORD size = sizeof(text);
    if (RegGetValueA(HKEY_CURRENT_USER, location.userKey.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS) {
      return std::nullopt;
    }
    return std::string(text);
  }

  void Update() {
    RegistrySoundMapperKey key(location);
    DefaultAudioDevices defaults(devices, key, "USB");
    EXPECT_EQ(defaults.SetDefaultAudioDevices(), 1);
  }

  std::string root;
  SoundMapperLocation location;
  FakeWaveDevices devices;
};

TEST_F(DefaultDevicesTest, AnExistingKeyTakesTheLastDeviceThatIsNotTheHandset) {
  CreateUserKey();
  devices.outputs = {"Speakers", "Headphones", "USB Audio Device"};
  devices.inputs = {"Microphone", "usb audio device"};
  Update();
  EXPECT_EQ(UserValue("Playback"), "Headphones");
  EXPECT_EQ(UserValue("UserPlayback"), "Headphones");
  EXPECT_EQ(UserValue("Record"), "Microphone");
  EXPECT_EQ(UserValue("UserRecord"), "Microphone");
}

TEST_F(DefaultDevicesTest, ANewKeyIsCreatedAndTakesTheFirstDeviceThatIsNotTheHandset) {
  devices.outputs = {"Usb Phone", "Speakers", "Headphones"};
  devices.inputs = {"Line In", "Microphone"};
  Update();
  EXPECT_EQ(UserValue("Playback"), "Speakers");
  EXPECT_EQ(UserValue("UserPlayback"), "Speakers");
  EXPECT_EQ(UserValue("Record"), "Line In");
}

// A device whose capabilities cannot be read has no name; it may be the
// handset on its way out, and never becomes the default.
TEST_F(DefaultDevicesTest, ADeviceWithoutANameIsPassedOver) {
  CreateUserKey();
  devices.outputs = {"Speakers", ""};
  devices.inputs = {"", "Microphone", ""};
  Update();
  EXPECT_EQ(UserValue("Playback"), "Speakers");
  EXPECT_EQ(UserValue("UserPlayback"), "Speakers");
  EXPECT_EQ(UserValue("Record"), "Microphone");
}

TEST_F(DefaultDevicesTest, OnlyHandsetDevicesOrNoneOfOneKindWriteNothing) {
  CreateUserKey();
  devices.outputs = {"USB Audio", "usb speaker"};
  devices.inputs = {"Microphone"};
  Update();
  EXPECT_EQ(UserValue("Playback"), std::nullopt);
  EXPECT_EQ(UserValue("Record"), "Microphone");

  devices.inputs.clear();  // no recording device at all: nothing is touched
  devices.outputs = {"Speakers"};
  Update();
  EXPECT_EQ(UserValue("Playback"), std::nullopt);
}

// The session's discover actions and the main window's device checks update
// the defaults through one object and its one key, from their own threads.
TEST_F(DefaultDevicesTest, UpdatesFromTwoThreadsUseTheKeyOneAtATime) {
  CreateUserKey();
  devices.outputs = {"Speakers", "Headphones", "USB Audio Device"};
  devices.inputs = {"Microphone", "USB Audio Device"};
  RegistrySoundMapperKey registry(location);
  WatchedKey key(registry);
  DefaultAudioDevices defaults(devices, key, "USB");
  std::thread first([&] { defaults.SetDefaultAudioDevices(); });
  key.WaitForFirstWrite();
  std::thread second([&] { defaults.SetDefaultAudioDevices(); });
  first.join();
  second.join();
  EXPECT_EQ(key.overlaps, 0) << "an update opened the key while another one had it open";
  EXPECT_EQ(UserValue("Playback"), "Headphones");
  EXPECT_EQ(UserValue("Record"), "Microphone");
}

TEST_F(DefaultDevicesTest, ThePreferredDeviceCountIsCopiedWithItsType) {
  HKEY machine = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, location.machineKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &machine, nullptr),
            ERROR_SUCCESS);
  const DWORD count = 3;
  RegSetValueExA(machine, "SetupPreferredAudioDevicesCount", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count),
                 sizeof(count));
  RegCloseKey(machine);
  devices.outputs = {"Speakers"};
  devices.inputs = {"Microphone"};
  Update();
  DWORD copied = 0;
  DWORD size = sizeof(copied);
  ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, location.userKey.c_str(), "SetupPreferredAudioDevicesCount",
                         RRF_RT_REG_DWORD, nullptr, &copied, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(copied, 3u);
}

}  // namespace
}  // namespace tolvane::testing
