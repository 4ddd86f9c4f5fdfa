#include "config/settings_store_win.h"

#include <windows.h>

#include <vector>

namespace tolvane {

std::string PrivateProfileStore::ModuleFileName() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  // A path cut at MAX_PATH is not terminated on older systems.
  return std::string(path, length < MAX_PATH ? length : MAX_PATH - 1);
}

int PrivateProfileStore::GetInt(const std::string& file, const char* section, const char* key, int fallback) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, file.c_str()));
}

std::string PrivateProfileStore::GetString(const std::string& file, const char* section, const char* key,
                                           std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::vector<char> buffer(bufferSize, '\0');
  const DWORD length =
      GetPrivateProfileStringA(section, key, "", buffer.data(), static_cast<DWORD>(bufferSize), file.c_str());
  return std::string(buffer.data(), length < bufferSize ? length : bufferSize - 1);
}

void PrivateProfileStore::WriteString(const std::string& file, const char* section, const char* key,
                                      const char* value) {
  WritePrivateProfileStringA(section, key, value, file.c_str());
}

}  // namespace tolvane
