// Building and queuing the commands for the client.
#include <string>

#include "common/bounded_text.h"
#include "interfaces/display_renderer.h"
#include "protocol/command_text.h"
#include "session/skype_link.h"

namespace tolvane {
namespace {

bool NamesHandsetDevice(int kind) {
  return kind == kCmdSetAudioIn || kind == kCmdSetAudioOut || kind == kCmdSetRinger;
}

}  // namespace

Status SkypeLink::SendCommand(int kind, const char* user, int callId) {
  const std::string appName = AppName();
  const std::string device = NamesHandsetDevice(kind) ? HandsetDeviceForClient() : std::string();
  const std::string line = BuildCommandText(kind, user, callId, CommandInputs{appName, device});
  // Kinds without a command, and the device kinds while the handset's device
  // is unknown, send nothing; the caller sees success either way.
  if (!line.empty()) QueueCommand(line.c_str());
  return kOk;
}

// The handset's device name in the client's own text form, as the renderer
// converts it; unchanged while there is no renderer.
std::string SkypeLink::HandsetDeviceForClient() const {
  char name[kTextBufferSize];
  {
    std::lock_guard<std::mutex> hold(textLock_);
    CopyText(name, handsetAudioDeviceName_);
  }
  if (name[0] == '\0') return {};
  DisplayRenderer* renderer = renderer_.load();
  if (renderer == nullptr) return name;
  char converted[kTextBufferSize] = {};
  renderer->ToSkypeText(name, converted);
  converted[kMaxTextLength] = '\0';
  return converted;
}

void SkypeLink::AnnounceProtocol() { SendCommand(kCmdProtocol, nullptr, 0); }

int SkypeLink::RequestSkypeStatus() {
  SendCommand(kCmdGetUserStatus, nullptr, 0);
  SendCommand(kCmdGetConnStatus, nullptr, 0);
  return 1;
}

}  // namespace tolvane
