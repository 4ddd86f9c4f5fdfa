#pragma once
// The system's wave devices by index, as the audio device choices see them.
// The Win32 adapter asks waveOutGetDevCapsA / waveInGetDevCapsA.
#include <string>

namespace tolvane {

class WaveDevices {
 public:
  virtual ~WaveDevices() = default;
  virtual unsigned OutputCount() const = 0;
  virtual unsigned InputCount() const = 0;
  // The device's name; empty when its capabilities cannot be read.
  virtual std::string OutputName(unsigned index) const = 0;
  virtual std::string InputName(unsigned index) const = 0;
};

}  // namespace tolvane
