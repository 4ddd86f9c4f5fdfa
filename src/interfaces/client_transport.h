#pragma once
// The wire to the Skype client's desktop API, as the portable core sees it.
// The Win32 adapter carries lines as WM_COPYDATA from the hidden main window
// to the client's API window and owns the client's API window handle; tests
// use a recording fake.
#include <string_view>

namespace tolvane {

class ClientTransport {
 public:
  virtual ~ClientTransport() = default;

  // Sends one command line to the client's API window and returns once the
  // client has handled it. False when the client refused the line, when no
  // client is attached, or when the client stopped answering.
  virtual bool SendLine(std::string_view line) = 0;

  // The discover broadcast (every top-level window, the main window as sender).
  virtual void BroadcastDiscover() = 0;

  // Tells the attached client that the program detaches, then forgets the
  // client's API window.
  virtual void SendDetach() = 0;

  // Whether an attached client's API window is known.
  virtual bool IsAttached() const = 0;
};

}  // namespace tolvane
