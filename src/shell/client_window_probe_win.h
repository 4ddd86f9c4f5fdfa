#pragma once
// ClientWindowProbe over FindWindowA.
#include "interfaces/client_window_probe.h"

namespace tolvane {

class Win32ClientWindowProbe final : public ClientWindowProbe {
 public:
  bool WindowExists(const char* className) const override;
};

}  // namespace tolvane
