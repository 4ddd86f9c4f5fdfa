#include "audio/sound_mapper_key_win.h"

namespace tolvane {
namespace {

constexpr const char* kPreferredCountValue = "SetupPreferredAudioDevicesCount";
// The names are device names: 80 bytes hold any of them.
constexpr DWORD kNameBufferSize = 80;

}  // namespace

bool RegistrySoundMapperKey::Open() {
  Close();
  return RegOpenKeyExA(location_.userRoot, location_.userKey.c_str(), 0, KEY_ALL_ACCESS, &key_) == ERROR_SUCCESS;
}

bool RegistrySoundMapperKey::Create() {
  Close();
  return RegCreateKeyExA(location_.userRoot, location_.userKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_WRITE | KEY_READ, nullptr, &key_, nullptr) == ERROR_SUCCESS;
}

bool RegistrySoundMapperKey::Write(const char* value, const std::string& text) {
  if (key_ == nullptr) return false;
  return RegSetValueExA(key_, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

std::optional<std::string> RegistrySoundMapperKey::Read(const char* value) {
  if (key_ == nullptr) return std::nullopt;
  char buffer[kNameBufferSize] = {};
  DWORD size = sizeof(buffer) - 1;
  DWORD type = 0;
  if (RegQueryValueExA(key_, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(buffer);
}

void RegistrySoundMapperKey::Close() {
  if (key_ == nullptr) return;
  RegFlushKey(key_);
  RegCloseKey(key_);
  key_ = nullptr;
}

bool RegistrySoundMapperKey::CopySetupPreferredCount() {
  HKEY machine = nullptr;
  if (RegOpenKeyExA(location_.machineRoot, location_.machineKey.c_str(), 0, KEY_READ, &machine) != ERROR_SUCCESS) {
    return false;
  }
  BYTE count[4] = {};
  DWORD size = sizeof(count);
  DWORD type = 0;
  const bool read = RegQueryValueExA(machine, kPreferredCountValue, nullptr, &type, count, &size) == ERROR_SUCCESS;
  RegCloseKey(machine);
  if (!read || !Create()) return false;
  const bool written = RegSetValueExA(key_, kPreferredCountValue, 0, type, count, size) == ERROR_SUCCESS;
  Close();
  return written;
}

}  // namespace tolvane
