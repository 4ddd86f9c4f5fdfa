#pragma once
// The configuration file "Tolvane.ini" beside the executable: which keys are
// read, with which defaults, into which settings, and the three user options
// that the Advanced Settings dialog writes back. The file itself is reached
// through a SettingsStore, so the rules here run and are tested anywhere.
//
// Every operation forms the file's path afresh from the executable's path,
// as "<directory with its trailing backslash>\Tolvane.ini" (the doubled
// backslash is accepted by the file functions).
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/abi.h"

namespace tolvane {

class DialogList;
class SettingsStore;
struct HandsetSettings;

// Texts of the file are read into buffers of this size (259 characters).
inline constexpr std::size_t kProfileTextSize = 260;

// The texts that the session object keeps.
struct ConfigurationTexts {
  std::string appName;        // NAME/Name
  std::string windowTitle;    // NAME/APINAME
  std::string customerInfo;   // NAME/CustomerINFO, "\n" pairs still unreplaced
  std::string iconNoHandset;  // directory + ICON/FileNoHW
  std::string iconNoAny;      // directory + ICON/FileNoANY
  std::string iconNoSkype;    // directory + ICON/FileNoSkype
  std::string iconActive;     // directory + ICON/FileActive
};

class Configuration {
 public:
  // The most ring names a list shows.
  static constexpr int kMaxRings = 64;

  explicit Configuration(SettingsStore& store);

  // Reads every key into settings and returns the texts.
  ConfigurationTexts Read(HandsetSettings& settings);
  // Writes the three effective user options to the SETTINGS section.
  void Save(const HandsetSettings& settings);
  // Resets the three user options to the product defaults and writes them.
  // Returns the handset code that tells the handset the key tone state.
  std::uint8_t RestoreDefaults(HandsetSettings& settings);
  // The diagnostic log's level, SETTINGS/LogLevel: 0 off, 1 events, 2 every
  // line. A missing key, or a value out of range, means 1.
  int LogLevel();
  // The file's full path, as the operations above form it.
  std::string IniPath();
  // Inserts the RINGS section's ring names (at most kMaxRings) into a
  // dialog's list and selects the first.
  void FillRingList(DialogList& list, WindowHandle dialog, int controlId);

 private:
  void RebuildPath();
  bool Flag(const char* section, const char* key, int fallback);
  std::string Text(const char* section, const char* key);
  std::string IconPath(const char* key);

  SettingsStore& store;
  std::string directory;  // the executable's directory, trailing backslash kept
  std::string iniPath;
};

}  // namespace tolvane
