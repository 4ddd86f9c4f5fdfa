#pragma once
// An in-memory configuration file with the private-profile reading rules:
// sections and keys match without regard to ASCII case, an integer value is
// its leading optionally signed decimal digits, texts are cut to the caller's
// buffer. Every read and write is recorded with the file path it named.
#include <cctype>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "interfaces/settings_store.h"

namespace tolvane::testing {

class MemorySettingsStore final : public SettingsStore {
 public:
  struct Access {
    std::string file;
    std::string section;
    std::string key;
    std::string value;  // fallback of a read (integer reads), value of a write
    bool operator==(const Access&) const = default;
  };

  std::string modulePath = "C:\\Program Files\\Tolvane\\Tolvane.exe";
  std::vector<Access> reads;
  std::vector<Access> writes;

  void Set(const std::string& section, const std::string& key, const std::string& value) {
    values[Key(section, key)] = value;
  }
  bool Has(const std::string& section, const std::string& key) const {
    return values.count(Key(section, key)) != 0;
  }
  std::string Get(const std::string& section, const std::string& key) const {
    const auto it = values.find(Key(section, key));
    return it != values.end() ? it->second : "<absent>";
  }

  std::string ModuleFileName() override { return modulePath; }

  int GetInt(const std::string& file, const char* section, const char* key, int fallback) override {
    reads.push_back({file, section, key, std::to_string(fallback)});
    const auto it = values.find(Key(section, key));
    if (it == values.end() || it->second.empty()) return fallback;
    return static_cast<int>(std::strtol(it->second.c_str(), nullptr, 10));
  }

  std::string GetString(const std::string& file, const char* section, const char* key,
                        std::size_t bufferSize) override {
    reads.push_back({file, section, key, ""});
    const auto it = values.find(Key(section, key));
    if (it == values.end() || bufferSize == 0) return "";
    return it->second.substr(0, bufferSize - 1);
  }

  void WriteString(const std::string& file, const char* section, const char* key, const char* value) override {
    writes.push_back({file, section, key, value});
    values[Key(section, key)] = value;
  }

 private:
  static std::string Key(const std::string& section, const std::string& key) {
    std::string k = section + "\n" + key;
    for (char& c : k) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return k;
  }

  std::map<std::string, std::string> values;
};

}  // namespace tolvane::testing
