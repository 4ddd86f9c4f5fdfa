#pragma once
// The user's Sound Mapper registry key
// (HKEY_CURRENT_USER\Software\Microsoft\Multimedia\Sound Mapper), which names
// the Windows default playback and recording devices. One key is open at a
// time; the Win32 adapter uses the registry functions.
#include <optional>
#include <string>

namespace tolvane {

inline constexpr const char* kSoundMapperPlayback = "Playback";
inline constexpr const char* kSoundMapperUserPlayback = "UserPlayback";
inline constexpr const char* kSoundMapperRecord = "Record";
inline constexpr const char* kSoundMapperUserRecord = "UserRecord";

class SoundMapperKey {
 public:
  virtual ~SoundMapperKey() = default;
  // Opens the existing key for reading and writing; false when it is not there.
  virtual bool Open() = 0;
  // Creates the key (or opens it) for writing; false on failure.
  virtual bool Create() = 0;
  // A string value (with its terminating zero); false when it was not written.
  virtual bool Write(const char* value, const std::string& text) = 0;
  virtual std::optional<std::string> Read(const char* value) = 0;
  // Flushes and closes the open key, if any.
  virtual void Close() = 0;
  // Copies the machine's SetupPreferredAudioDevicesCount into the user's key,
  // with its type: false when it could not be read or written.
  virtual bool CopySetupPreferredCount() = 0;
};

}  // namespace tolvane
