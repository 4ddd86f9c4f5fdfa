#pragma once
// The configuration file as the portable core reaches it: an INI file read
// and written key by key with the platform's private-profile rules. The
// Win32 adapter (settings_store_win.h) uses the real profile functions; tests
// use an in-memory store.
#include <cstddef>
#include <string>

namespace tolvane {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The full path of the running program's executable (at most 259
  // characters), from which the file's path is formed.
  virtual std::string ModuleFileName() = 0;

  // The key's value as an integer; `fallback` when the file, the section or
  // the key is missing or the value is empty.
  virtual int GetInt(const std::string& file, const char* section, const char* key, int fallback) = 0;

  // The key's text, cut to bufferSize - 1 characters; empty when the file,
  // the section or the key is missing.
  virtual std::string GetString(const std::string& file, const char* section, const char* key,
                                std::size_t bufferSize) = 0;

  // Writes the key, creating the file and section when needed. A failed
  // write is not reported.
  virtual void WriteString(const std::string& file, const char* section, const char* key,
                           const char* value) = 0;
};

}  // namespace tolvane
