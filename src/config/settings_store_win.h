#pragma once
// The configuration file through the Windows private-profile functions.
#include "interfaces/settings_store.h"

namespace tolvane {

class PrivateProfileStore : public SettingsStore {
 public:
  // GetModuleFileNameA of the program's own executable.
  std::string ModuleFileName() override;
  int GetInt(const std::string& file, const char* section, const char* key, int fallback) override;
  std::string GetString(const std::string& file, const char* section, const char* key,
                        std::size_t bufferSize) override;
  void WriteString(const std::string& file, const char* section, const char* key, const char* value) override;
};

}  // namespace tolvane
