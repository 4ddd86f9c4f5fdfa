#pragma once
// What the notification dispatcher reaches on the handset: its one-byte
// codes, the display-mode word it shares with the key handling and the
// screen streaming, and the handset settings. HandsetControlPort is the
// product's adapter; tests record into a fake.
#include <atomic>
#include <cstdint>

#include "interfaces/handset_settings.h"

namespace tolvane {

class DispatchHandset {
 public:
  virtual ~DispatchHandset() = default;

  // Results of the handset's codes are not acted on.
  virtual void SendCode(std::uint8_t code) = 0;
  // HandsetMode: bits in handset/handset_mode.h.
  virtual std::atomic<std::uint32_t>& Mode() = 0;
  virtual const HandsetSettings& Settings() const = 0;
};

}  // namespace tolvane
