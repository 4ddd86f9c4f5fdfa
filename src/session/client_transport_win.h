#pragma once
// The wire to the Skype client over its public desktop API: the two
// registered handshake messages, the discover broadcast, one WM_COPYDATA per
// command line, and the detach. The main window hands over the client's API
// window when the client grants the attach; the session's threads send.
//
// Every send is bounded in time: a client that stops answering makes a line
// count as refused instead of hanging the sending thread.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "interfaces/client_transport.h"

namespace tolvane {

struct SkypeApiMessages {
  UINT attach = 0;    // "SkypeControlAPIAttach"
  UINT discover = 0;  // "SkypeControlAPIDiscover"
};

// Registers both messages; nullopt when either registration fails.
std::optional<SkypeApiMessages> RegisterSkypeApiMessages();

// Posted to the main window once the detach has been sent, so that the exit
// can go on as soon as the client has been told (no fixed wait).
inline constexpr UINT kClientDetachedMessage = WM_APP + 0x40;

// The text of one WM_COPYDATA block, read only within its size: the text ends
// at the first NUL or at the end of the block, whichever comes first. Nullopt
// for a missing block, no data or a size of 0.
std::optional<std::string> TextFromCopyData(const COPYDATASTRUCT* block);

class Win32ClientTransport final : public ClientTransport {
 public:
  static constexpr std::chrono::milliseconds kDefaultSendTimeout{5000};
  // Per window reached by the discover broadcast.
  static constexpr std::chrono::milliseconds kDefaultBroadcastTimeout{1000};

  explicit Win32ClientTransport(SkypeApiMessages messages,
                                std::chrono::milliseconds sendTimeout = kDefaultSendTimeout,
                                std::chrono::milliseconds broadcastTimeout = kDefaultBroadcastTimeout);

  const SkypeApiMessages& Messages() const { return messages_; }

  // The program's main window: the sender of every line and of the discover.
  void SetMainWindow(HWND window) { mainWindow_.store(window); }
  HWND MainWindow() const { return mainWindow_.load(); }

  // The client's API window, from the attach message with status 0.
  void SetClientWindow(HWND window) { clientWindow_.store(window); }
  HWND ClientWindow() const { return clientWindow_.load(); }

  // ClientTransport.
  bool SendLine(std::string_view line) override;
  void BroadcastDiscover() override;
  void SendDetach() override;
  bool IsAttached() const override { return clientWindow_.load() != nullptr; }

 private:
  const SkypeApiMessages messages_;
  const UINT sendTimeoutMs_;
  const UINT broadcastTimeoutMs_;
  std::atomic<HWND> mainWindow_{nullptr};
  std::atomic<HWND> clientWindow_{nullptr};
};

}  // namespace tolvane
