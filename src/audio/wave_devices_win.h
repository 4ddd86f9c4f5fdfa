#pragma once
// The system's wave devices through winmm.
#include "audio/wave_devices.h"

namespace tolvane {

class WinmmWaveDevices final : public WaveDevices {
 public:
  unsigned OutputCount() const override;
  unsigned InputCount() const override;
  std::string OutputName(unsigned index) const override;
  std::string InputName(unsigned index) const override;
};

}  // namespace tolvane
