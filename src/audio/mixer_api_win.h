#pragma once
// The multimedia mixer through winmm's mixer functions, and mixer traces as
// lines in the debugger's output.
#include <cstddef>
#include <cstdint>
#include <string>

#include "audio/mixer_api.h"
#include "audio/mixer_trace.h"

namespace tolvane {

class WinmmMixerApi final : public MixerApi {
 public:
  unsigned DeviceCount() override;
  bool Open(unsigned index, WindowHandle callbackWindow, MixerHandle* mixer) override;
  bool GetCaps(MixerHandle mixer, MixerCaps* caps) override;
  bool GetDestinationLine(MixerHandle mixer, std::uint32_t destination, MixerLine* line) override;
  bool GetSourceLine(MixerHandle mixer, std::uint32_t destination, std::uint32_t source, MixerLine* line) override;
  bool GetControlByType(MixerHandle mixer, std::uint32_t lineId, std::uint32_t controlType,
                        MixerControl* control) override;
  bool GetDetails(MixerHandle mixer, const MixerDetails& details, std::uint32_t* values, std::size_t count) override;
  bool SetDetails(MixerHandle mixer, const MixerDetails& details, const std::uint32_t* values,
                  std::size_t count) override;
  void Close(MixerHandle mixer) override;
};

// "<where>: <text>" through OutputDebugStringA.
class DebugOutputMixerTrace final : public MixerTrace {
 public:
  void Trace(const std::string& where, const std::string& text) override;
};

}  // namespace tolvane
