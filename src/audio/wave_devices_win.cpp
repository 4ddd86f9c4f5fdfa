#include "audio/wave_devices_win.h"

#include <windows.h>

#include <mmsystem.h>

namespace tolvane {

unsigned WinmmWaveDevices::OutputCount() const { return waveOutGetNumDevs(); }
unsigned WinmmWaveDevices::InputCount() const { return waveInGetNumDevs(); }

std::string WinmmWaveDevices::OutputName(unsigned index) const {
  WAVEOUTCAPSA caps{};
  if (waveOutGetDevCapsA(index, &caps, sizeof(caps)) != MMSYSERR_NOERROR) return {};
  caps.szPname[MAXPNAMELEN - 1] = '\0';
  return caps.szPname;
}

std::string WinmmWaveDevices::InputName(unsigned index) const {
  WAVEINCAPSA caps{};
  if (waveInGetDevCapsA(index, &caps, sizeof(caps)) != MMSYSERR_NOERROR) return {};
  caps.szPname[MAXPNAMELEN - 1] = '\0';
  return caps.szPname;
}

}  // namespace tolvane
