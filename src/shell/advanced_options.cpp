#include "shell/advanced_options.h"

#include "interfaces/handset_codes.h"

namespace tolvane {

AdvancedOptions CurrentOptions(const HandsetSettings& settings) {
  AdvancedOptions options;
  options.autoSwitchAudio = settings.SupportAutoSwitchAudioDevice.load() != 0;
  options.autoRunSkype = settings.SupportAutoRunSkype.load() != 0;
  options.keyTone = settings.SupportEnableKeyTone.load() != 0;
  return options;
}

std::optional<std::uint8_t> TakeOptions(HandsetSettings& settings, const AdvancedOptions& options) {
  settings.SupportAutoSwitchAudioDevice.store(options.autoSwitchAudio ? 1 : 0);
  settings.SupportAutoRunSkype.store(options.autoRunSkype ? 1 : 0);
  const int keyTone = options.keyTone ? 1 : 0;
  if (settings.SupportEnableKeyTone.exchange(keyTone) == keyTone) return std::nullopt;
  return keyTone != 0 ? kCodeKeyToneOn : kCodeKeyToneOff;
}

}  // namespace tolvane
