#include "session/client_transport_win.h"

#include <limits>

#include "common/bounded_text.h"
#include "common/log.h"

namespace tolvane {
namespace {

UINT Milliseconds(std::chrono::milliseconds duration) {
  const auto count = duration.count();
  if (count <= 0) return 0;
  if (count > std::numeric_limits<UINT>::max()) return std::numeric_limits<UINT>::max();
  return static_cast<UINT>(count);
}

}  // namespace

std::optional<SkypeApiMessages> RegisterSkypeApiMessages() {
  SkypeApiMessages messages;
  messages.attach = RegisterWindowMessageA("SkypeControlAPIAttach");
  messages.discover = RegisterWindowMessageA("SkypeControlAPIDiscover");
  if (messages.attach == 0 || messages.discover == 0) return std::nullopt;
  return messages;
}

std::optional<std::string> TextFromCopyData(const COPYDATASTRUCT* block) {
  if (block == nullptr || block->lpData == nullptr || block->cbData == 0) return std::nullopt;
  return TextWithin(static_cast<const char*>(block->lpData), block->cbData);
}

Win32ClientTransport::Win32ClientTransport(SkypeApiMessages messages,
                                           std::chrono::milliseconds sendTimeout,
                                           std::chrono::milliseconds broadcastTimeout)
    : messages_(messages),
      sendTimeoutMs_(Milliseconds(sendTimeout)),
      broadcastTimeoutMs_(Milliseconds(broadcastTimeout)) {}

bool Win32ClientTransport::SendLine(std::string_view line) {
  LogDetail("to client: ", line);
  const HWND client = clientWindow_.load();
  if (client == nullptr) return false;
  // The block carries the terminating NUL, as the client expects.
  std::string text(line);
  if (text.size() >= std::numeric_limits<DWORD>::max()) return false;
  COPYDATASTRUCT block{};
  block.dwData = 0;
  block.cbData = static_cast<DWORD>(text.size() + 1);
  block.lpData = text.data();
  DWORD_PTR accepted = 0;
  const LRESULT delivered =
      SendMessageTimeoutA(client, WM_COPYDATA, reinterpret_cast<WPARAM>(mainWindow_.load()),
                          reinterpret_cast<LPARAM>(&block), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                          sendTimeoutMs_, &accepted);
  if (delivered == 0 || accepted == 0) {
    LogEvent("the client ", delivered == 0 ? "did not answer in time: " : "refused: ", LogSafeHead(line));
  }
  return delivered != 0 && accepted != 0;
}

void Win32ClientTransport::BroadcastDiscover() {
  const HWND main = mainWindow_.load();
  // Without a main window the client would have nowhere to answer.
  if (main == nullptr) return;
  SendMessageTimeoutA(HWND_BROADCAST, messages_.discover, reinterpret_cast<WPARAM>(main), 0,
                      SMTO_ABORTIFHUNG, broadcastTimeoutMs_, nullptr);
}

void Win32ClientTransport::SendDetach() {
  // Forgotten before the send: lines sent meanwhile count as refused, and an
  // attach that arrives during the send is not wiped out afterwards.
  const HWND client = clientWindow_.exchange(nullptr);
  if (client != nullptr) {
    SendMessageTimeoutA(client, messages_.discover, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                        sendTimeoutMs_, nullptr);
  }
  const HWND main = mainWindow_.load();
  if (main != nullptr) PostMessageA(main, kClientDetachedMessage, 0, 0);
}

}  // namespace tolvane
