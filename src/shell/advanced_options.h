#pragma once
// The three options of the Advanced Settings dialog as its check boxes show
// them, taken from and into the effective handset settings.
#include <cstdint>
#include <optional>

#include "interfaces/handset_settings.h"

namespace tolvane {

struct AdvancedOptions {
  bool autoSwitchAudio = false;
  bool autoRunSkype = false;
  bool keyTone = false;
};

AdvancedOptions CurrentOptions(const HandsetSettings& settings);

// Makes the options effective. Returns the handset code that tells the
// handset its key tone (0x28 on, 0x29 off) when the key tone changed.
std::optional<std::uint8_t> TakeOptions(HandsetSettings& settings, const AdvancedOptions& options);

}  // namespace tolvane
