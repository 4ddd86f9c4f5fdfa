#pragma once
// What the session shows in the notification area: a tooltip text from the
// string table (the IDS_TIP_ entries of interfaces/resource_ids.h) and an
// icon file. The tray icon implements it.
namespace tolvane {

class TrayStatus {
 public:
  virtual ~TrayStatus() = default;
  virtual void SetTooltipTextFromResource(int stringId) = 0;
  // An empty path is passed as "", never as null.
  virtual void SetIconFromFile(const char* path) = 0;
};

}  // namespace tolvane
