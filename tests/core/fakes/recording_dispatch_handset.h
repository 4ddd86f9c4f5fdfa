#pragma once
// A DispatchHandset that logs "code <n>" for every handset code and holds
// the display-mode word and the settings for the test to set and read.
#include <atomic>
#include <cstdint>
#include <string>

#include "core/fakes/event_log.h"
#include "dispatcher/dispatch_handset.h"

namespace tolvane::testing {

class RecordingDispatchHandset final : public DispatchHandset {
 public:
  explicit RecordingDispatchHandset(EventLog& log) : log_(log) {}

  HandsetSettings settings;
  std::atomic<std::uint32_t> mode{0};

  void SendCode(std::uint8_t code) override { log_.Add("code " + std::to_string(code)); }
  std::atomic<std::uint32_t>& Mode() override { return mode; }
  const HandsetSettings& Settings() const override { return settings; }

 private:
  EventLog& log_;
};

}  // namespace tolvane::testing
