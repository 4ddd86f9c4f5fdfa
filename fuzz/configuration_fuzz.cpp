// A "Tolvane.ini" a user or an installer could have written: the input is
// the file's text ("[SECTION]" and "key=value" lines, ';' comments), an
// optional first line "@<executable path>" moving the program. Every key is
// read into the settings, the three user options are saved and read back,
// the defaults restored and the ring list filled. Reading must keep every
// text and path within its buffer, and what Save wrote must read back as the
// same options.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/configuration.h"
#include "core/fakes/memory_settings_store.h"
#include "core/fakes/recording_dialog_list.h"
#include "interfaces/handset_codes.h"
#include "interfaces/handset_settings.h"

namespace {

using tolvane::testing::MemorySettingsStore;

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

void LoadFile(std::string_view input, MemorySettingsStore& store) {
  std::string section;
  std::size_t at = 0;
  while (at <= input.size()) {
    std::size_t end = input.find('\n', at);
    if (end == std::string_view::npos) end = input.size();
    const std::string_view line = input.substr(at, end - at);
    at = end + 1;
    if (at == 1 && !line.empty() && line.front() == '@') {
      store.modulePath = std::string(line.substr(1));
      continue;
    }
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';') continue;
    if (text.front() == '[') {
      section = std::string(Trim(text.substr(1, text.find(']') == std::string_view::npos ? std::string_view::npos
                                                                                           : text.find(']') - 1)));
      continue;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    store.Set(section, std::string(Trim(text.substr(0, equals))), std::string(Trim(text.substr(equals + 1))));
  }
}

void Check(bool condition) {
  if (!condition) std::abort();
}

bool Bounded(const std::string& text) { return text.size() < tolvane::kProfileTextSize; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemorySettingsStore store;
  LoadFile(std::string_view(reinterpret_cast<const char*>(data), size), store);
  tolvane::Configuration configuration(store);

  tolvane::HandsetSettings settings;
  const tolvane::ConfigurationTexts texts = configuration.Read(settings);
  for (const std::string* text : {&texts.appName, &texts.windowTitle, &texts.customerInfo, &texts.iconNoHandset,
                                  &texts.iconNoAny, &texts.iconNoSkype, &texts.iconActive}) {
    Check(Bounded(*text));
  }
  Check(!store.reads.empty() && Bounded(store.reads.back().file));
  for (int option : {settings.SupportAutoRunSkype.load(), settings.SupportAutoSwitchAudioDevice.load(),
                     settings.SupportEnableKeyTone.load()}) {
    Check(option == 0 || option == 1);
  }

  configuration.Save(settings);
  tolvane::HandsetSettings reread;
  configuration.Read(reread);
  Check(reread.SupportAutoRunSkype == settings.SupportAutoRunSkype);
  Check(reread.SupportAutoSwitchAudioDevice == settings.SupportAutoSwitchAudioDevice);
  Check(reread.SupportEnableKeyTone == settings.SupportEnableKeyTone);

  const std::uint8_t keyTone = configuration.RestoreDefaults(reread);
  Check(keyTone == (reread.defaultEnableKeyTone != 0 ? tolvane::kCodeKeyToneOn : tolvane::kCodeKeyToneOff));

  tolvane::testing::RecordingDialogList list;
  configuration.FillRingList(list, nullptr, 1011);
  Check(list.events.size() <= static_cast<std::size_t>(tolvane::Configuration::kMaxRings) + 1);
  return 0;
}
