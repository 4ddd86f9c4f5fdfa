// The handset's levels through the real faders on a mixer device in memory:
// the identification report sets the speaker and the microphone each to its
// own configured level, and the volume keys step the speaker alone.
#include <cstdint>
#include <vector>

#include "audio/handset_mixers.h"
#include "core/audio/closed_mixers.h"
#include "core/audio/fake_mixer.h"
#include "handset_fixture.h"
#include "interfaces/handset_codes.h"

namespace tolvane::testing {
namespace {

using Values = std::vector<std::uint32_t>;

class HandsetLevelsTest : public HandsetTest {
 protected:
  HandsetLevelsTest() {
    EXPECT_EQ(mixers.Init(TestWindow()), 3);
    HandsetControl::Ports ports;
    ports.transport = &transport;
    ports.link = &link;
    ports.speaker = &mixers.speakerFader;
    ports.microphone = &mixers.micFader;
    handset->SetPorts(ports);
    handset->StartReportThread();
  }
  // The threads are joined before the faders they use go.
  ~HandsetLevelsTest() override { handset.reset(); }

  FakeMixer fake{{HandsetDevice()}};
  HandsetMixers mixers{fake, nullptr};
};

// 100 steps of 655: level L of 32 is 100 x 655 x L / 32.
TEST_F(HandsetLevelsTest, IdentificationSetsEachFaderToItsOwnLevel) {
  handset->Settings().Reg04Value = 24;  // the speaker's
  handset->Settings().Reg1CValue = 8;   // the microphone's
  Feed({MakeReport(kKeyIdentifyWithoutDisplay, 0)}, "link SendCommand 33 0");
  EXPECT_EQ(fake.Values(kSpeakerVolumeId), Values{49125});
  EXPECT_EQ(fake.Values(kMicVolumeId), Values{16375});
}

TEST_F(HandsetLevelsTest, VolumeKeysStepTheSpeakerAlone) {
  fake.SetValues(kSpeakerVolumeId, {50 * 655});
  fake.SetValues(kMicVolumeId, {40 * 655});
  Feed({MakeReport(kKeyVolumeUp, 0)}, Ack(0));
  EXPECT_EQ(fake.Values(kSpeakerVolumeId), Values{75 * 655});
  Feed({MakeReport(kKeyVolumeDown, 1), MakeReport(kKeyVolumeDown, 2)}, Ack(2));
  EXPECT_EQ(fake.Values(kSpeakerVolumeId), Values{25 * 655});
  EXPECT_EQ(fake.Values(kMicVolumeId), Values{40 * 655});
}

}  // namespace
}  // namespace tolvane::testing
