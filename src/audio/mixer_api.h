#pragma once
// The multimedia mixer as the mixer classes reach it: what they need of
// winmm and nothing more. The Win32 adapter (mixer_api_win.h) calls the
// mixer functions; tests use a fake device.
//
// The mixer classes call this port while holding their own lock, so an
// implementation must not call back into them synchronously. winmm does not:
// change notifications for a callback window are posted to it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/abi.h"

namespace tolvane {

// An open mixer device; 0 when none. The same value arrives as the wParam of
// MM_MIXM_CONTROL_CHANGE, so the window procedure hands it over unchanged.
using MixerHandle = std::uintptr_t;

struct MixerCaps {
  std::string name;               // szPname
  std::uint32_t destinations = 0;  // cDestinations
};

struct MixerLine {
  std::uint32_t lineId = 0;
  std::uint32_t componentType = 0;
  std::uint32_t channels = 0;     // cChannels
  std::uint32_t connections = 0;  // cConnections (source lines of a destination)
  std::uint32_t controls = 0;     // cControls
  std::string name;               // szName
};

struct MixerControl {
  std::uint32_t controlId = 0;
  std::uint32_t controlType = 0;
  std::uint32_t flags = 0;          // fdwControl
  std::uint32_t multipleItems = 0;  // cMultipleItems
  std::uint32_t minimum = 0;        // Bounds.dwMinimum
  std::uint32_t maximum = 0;        // Bounds.dwMaximum
  std::uint32_t steps = 0;          // Metrics.cSteps
};

// Which values a get or set moves: one 32-bit value per item and channel
// (boolean, signed and unsigned details are all that wide).
struct MixerDetails {
  std::uint32_t controlId = 0;
  std::uint32_t channels = 0;
  std::uint32_t multipleItems = 0;  // 0 for a control without items
};

class MixerApi {
 public:
  virtual ~MixerApi() = default;

  virtual unsigned DeviceCount() = 0;
  // Opens device `index`; a non-null window receives the device's change
  // notifications. Fills *mixer and returns true on success.
  virtual bool Open(unsigned index, WindowHandle callbackWindow, MixerHandle* mixer) = 0;
  virtual bool GetCaps(MixerHandle mixer, MixerCaps* caps) = 0;
  virtual bool GetDestinationLine(MixerHandle mixer, std::uint32_t destination, MixerLine* line) = 0;
  virtual bool GetSourceLine(MixerHandle mixer, std::uint32_t destination, std::uint32_t source,
                             MixerLine* line) = 0;
  // The line's first control of the given type.
  virtual bool GetControlByType(MixerHandle mixer, std::uint32_t lineId, std::uint32_t controlType,
                                MixerControl* control) = 0;
  // `values` holds `count` values, at least channels x max(multipleItems, 1).
  virtual bool GetDetails(MixerHandle mixer, const MixerDetails& details, std::uint32_t* values,
                          std::size_t count) = 0;
  virtual bool SetDetails(MixerHandle mixer, const MixerDetails& details, const std::uint32_t* values,
                          std::size_t count) = 0;
  virtual void Close(MixerHandle mixer) = 0;
};

}  // namespace tolvane
