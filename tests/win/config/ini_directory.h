#pragma once
// A fresh directory per test that stands for the program's directory: the
// store answers a module path inside it, so the configuration file is formed
// and read there exactly as beside the real executable.
#include <windows.h>

#include <fstream>
#include <string>

#include "config/settings_store_win.h"

namespace tolvane::testing {

class IniDirectory {
 public:
  IniDirectory() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    char unique[MAX_PATH] = {};
    GetTempFileNameA(temp, "tvc", 0, unique);
    DeleteFileA(unique);
    CreateDirectoryA(unique, nullptr);
    path = unique;
  }
  ~IniDirectory() {
    DeleteFileA(IniFile().c_str());
    RemoveDirectoryA(path.c_str());
  }
  IniDirectory(const IniDirectory&) = delete;
  IniDirectory& operator=(const IniDirectory&) = delete;

  // The file the program forms: directory, a backslash, "\Tolvane.ini".
  std::string IniFile() const { return path + "\\\\Tolvane.ini"; }
  void Write(const std::string& text) const {
    std::ofstream file(path + "\\Tolvane.ini", std::ios::binary | std::ios::trunc);
    file << text;
  }
  std::string Read() const {
    std::ifstream file(path + "\\Tolvane.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  std::string path;
};

// The real profile functions, with the executable placed in the directory.
class DirectoryProfileStore final : public PrivateProfileStore {
 public:
  explicit DirectoryProfileStore(const IniDirectory& directory) : directory_(directory) {}
  std::string ModuleFileName() override { return directory_.path + "\\Tolvane.exe"; }
  // The file the last read named.
  int GetInt(const std::string& file, const char* section, const char* key, int fallback) override {
    lastFile = file;
    return PrivateProfileStore::GetInt(file, section, key, fallback);
  }
  std::string lastFile;

 private:
  const IniDirectory& directory_;
};

}  // namespace tolvane::testing
