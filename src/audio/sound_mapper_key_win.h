#pragma once
// The user's Sound Mapper key in the registry. The key names are parameters
// so that tests can point them at a scratch key of their own.
#include <windows.h>

#include <string>

#include "audio/sound_mapper_key.h"

namespace tolvane {

struct SoundMapperLocation {
  HKEY userRoot = HKEY_CURRENT_USER;
  std::string userKey = "Software\\Microsoft\\Multimedia\\Sound Mapper";
  HKEY machineRoot = HKEY_LOCAL_MACHINE;
  std::string machineKey = "SYSTEM\\CurrentControlSet\\Control\\MediaResources\\SetupPreferredAudioDevices";
};

class RegistrySoundMapperKey final : public SoundMapperKey {
 public:
  explicit RegistrySoundMapperKey(SoundMapperLocation location = {}) : location_(std::move(location)) {}
  RegistrySoundMapperKey(const RegistrySoundMapperKey&) = delete;
  RegistrySoundMapperKey& operator=(const RegistrySoundMapperKey&) = delete;
  ~RegistrySoundMapperKey() override { Close(); }

  bool Open() override;
  bool Create() override;
  bool Write(const char* value, const std::string& text) override;
  std::optional<std::string> Read(const char* value) override;
  void Close() override;
  bool CopySetupPreferredCount() override;

 private:
  SoundMapperLocation location_;
  HKEY key_ = nullptr;
};

}  // namespace tolvane
