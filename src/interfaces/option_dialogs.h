#pragma once
// The tray menu's option dialogs (Volume Control, Advanced Settings, Windows
// Audio Device Settings) as the session sees them: it closes them before it
// rediscovers or leaves the client, whose devices they show.
namespace tolvane {

class OptionDialogs {
 public:
  virtual ~OptionDialogs() = default;
  // Ends every open option dialog (stopping the worker of those that have
  // one), in the order Volume Control, Advanced Settings, Audio Devices.
  virtual void CloseOpenDialogs() = 0;
  // Lets the Volume Control and Audio Devices dialogs start new workers.
  virtual void ForgetWorkerThreads() = 0;
};

}  // namespace tolvane
