#include "config/configuration.h"

#include <algorithm>
#include <string_view>

#include "interfaces/handset_codes.h"
#include "interfaces/handset_settings.h"
#include "interfaces/dialog_list.h"
#include "interfaces/settings_store.h"

namespace tolvane {
namespace {

constexpr char kFont[] = "FONT";
constexpr char kSystem[] = "SYSTEM";
constexpr char kSettings[] = "SETTINGS";
constexpr char kDefault[] = "DEFAULT";
constexpr char kName[] = "NAME";
constexpr char kIcon[] = "ICON";
constexpr char kRings[] = "RINGS";

constexpr char kAutoRun[] = "SupportAutoRunSkype";
constexpr char kAutoSwitchAudio[] = "SupportAutoSwitchAudioDevice";
constexpr char kKeyTone[] = "SupportEnableKeyTone";
constexpr char kLogLevel[] = "LogLevel";
constexpr int kDefaultLogLevel = 1;
constexpr int kMostLogLevel = 2;

// A SETTINGS key that is absent reads as this, which is neither choice.
constexpr int kNoUserChoice = 9;

// Paths live in 260-byte buffers on the platform side.
std::string BoundedPath(std::string path) {
  if (path.size() > kProfileTextSize - 1) path.resize(kProfileTextSize - 1);
  return path;
}

// The user's choice when it is 0 or 1, the product default otherwise.
int EffectiveOption(int userChoice, int productDefault) {
  return userChoice == 0 || userChoice == 1 ? userChoice : productDefault;
}

const char* OptionText(int value) { return value != 0 ? "1" : "0"; }

}  // namespace

Configuration::Configuration(SettingsStore& settingsStore) : store(settingsStore) {}

void Configuration::RebuildPath() {
  const std::string module = store.ModuleFileName();
  const std::size_t slash = module.rfind('\\');
  directory = slash == std::string::npos ? std::string() : module.substr(0, slash + 1);
  iniPath = BoundedPath(directory + "\\Tolvane.ini");
}

int Configuration::LogLevel() {
  RebuildPath();
  const int level = store.GetInt(iniPath, kSettings, kLogLevel, kDefaultLogLevel);
  return level >= 0 && level <= kMostLogLevel ? level : kDefaultLogLevel;
}

std::string Configuration::IniPath() {
  RebuildPath();
  return iniPath;
}

// Only the value 1 sets a flag.
bool Configuration::Flag(const char* section, const char* key, int fallback) {
  return store.GetInt(iniPath, section, key, fallback) == 1;
}

std::string Configuration::Text(const char* section, const char* key) {
  return store.GetString(iniPath, section, key, kProfileTextSize);
}

// An icon named in the file lies in the executable's directory. An icon the
// file does not name stays empty rather than becoming the directory itself.
std::string Configuration::IconPath(const char* key) {
  const std::string file = Text(kIcon, key);
  return file.empty() ? std::string() : BoundedPath(directory + "\\" + file);
}

ConfigurationTexts Configuration::Read(HandsetSettings& settings) {
  RebuildPath();
  settings.NotSupportedFont = store.GetInt(iniPath, kFont, "NotSupportedFont", 0) == 0 ? 1 : 0;
  settings.SupportFontFile = Flag(kFont, "SupportFontFile", 0);
  settings.SupportSky = Flag(kSystem, "SupportSky", 1);
  settings.SupportHideWindows = Flag(kSystem, "SupportHideWindows", 1);
  settings.SupportAGC = Flag(kSystem, "SupportAGC", 0);
  settings.defaultAutoRunSkype = Flag(kSystem, kAutoRun, 0);
  settings.SupportAutoRunSkype =
      EffectiveOption(store.GetInt(iniPath, kSettings, kAutoRun, kNoUserChoice), settings.defaultAutoRunSkype);
  settings.defaultAutoSwitchAudioDevice = Flag(kSystem, kAutoSwitchAudio, 0);
  settings.SupportAutoSwitchAudioDevice = EffectiveOption(
      store.GetInt(iniPath, kSettings, kAutoSwitchAudio, kNoUserChoice), settings.defaultAutoSwitchAudioDevice);
  settings.SupportAutoSwitchSystemAudioDevice = Flag(kSystem, "SupportAutoSwitchSystemAudioDevice", 0);
  settings.SupportFocusAddressBook = Flag(kSystem, "SupportFocusAddressBook", 0);
  settings.SupportInterruptRingON = Flag(kSystem, "SupportInterruptRingON", 0);
  settings.defaultEnableKeyTone = Flag(kSystem, kKeyTone, 0);
  settings.SupportEnableKeyTone =
      EffectiveOption(store.GetInt(iniPath, kSettings, kKeyTone, kNoUserChoice), settings.defaultEnableKeyTone);
  settings.SupportContactFocus = Flag(kSystem, "SupportContactFocus", 0);
  settings.SupprtAPIControlSpeakerVolune = Flag(kSystem, "SupprtAPIControlSpeakerVolune", 0);
  settings.Reg04Value = store.GetInt(iniPath, kDefault, "Reg04Value", 16);
  settings.Reg1CValue = store.GetInt(iniPath, kDefault, "Reg1CValue", 8);

  ConfigurationTexts texts;
  texts.appName = Text(kName, "Name");
  texts.windowTitle = Text(kName, "APINAME");
  texts.customerInfo = Text(kName, "CustomerINFO");
  texts.iconNoHandset = IconPath("FileNoHW");
  texts.iconNoAny = IconPath("FileNoANY");
  texts.iconNoSkype = IconPath("FileNoSkype");
  texts.iconActive = IconPath("FileActive");
  return texts;
}

void Configuration::Save(const HandsetSettings& settings) {
  RebuildPath();
  store.WriteString(iniPath, kSettings, kAutoRun, OptionText(settings.SupportAutoRunSkype));
  store.WriteString(iniPath, kSettings, kAutoSwitchAudio, OptionText(settings.SupportAutoSwitchAudioDevice));
  store.WriteString(iniPath, kSettings, kKeyTone, OptionText(settings.SupportEnableKeyTone));
}

std::uint8_t Configuration::RestoreDefaults(HandsetSettings& settings) {
  settings.SupportAutoRunSkype = settings.defaultAutoRunSkype.load();
  settings.SupportAutoSwitchAudioDevice = settings.defaultAutoSwitchAudioDevice.load();
  settings.SupportEnableKeyTone = settings.defaultEnableKeyTone.load();
  Save(settings);
  return settings.SupportEnableKeyTone != 0 ? kCodeKeyToneOn : kCodeKeyToneOff;
}

void Configuration::FillRingList(DialogList& list, WindowHandle dialog, int controlId) {
  RebuildPath();
  // A negative count lists nothing; a huge one would read the file that
  // many times on the UI thread, so the list is bounded.
  const int count = std::min(store.GetInt(iniPath, kRings, "NUMOFRINGS", 0), kMaxRings);
  for (int i = 1; i <= count; ++i) {
    const std::string key = "RING_" + std::to_string(i);
    list.InsertString(dialog, controlId, i - 1, Text(kRings, key.c_str()));
  }
  list.SetCurrentSelection(dialog, controlId, 0);
}

}  // namespace tolvane
