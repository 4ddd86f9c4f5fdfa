#pragma once
// An IHandsetControl that logs "code <n>" for every handset code and "wait
// idle" for every display hand-over, and holds the display-mode word and the
// settings for the test to set and read.
#include <atomic>
#include <cstdint>
#include <string>

#include "core/fakes/event_log.h"
#include "interfaces/i_handset_control.h"

namespace tolvane::testing {

class RecordingHandset final : public IHandsetControl {
 public:
  explicit RecordingHandset(EventLog& log) : log_(log) {}

  HandsetSettings settings;
  std::atomic<std::uint32_t> mode{0};

  int SendCode(std::uint8_t code) override {
    log_.Add("code " + std::to_string(code));
    return 1;
  }
  std::uint32_t Mode() const override { return mode.load(); }
  void SetMode(std::uint32_t value) override { mode.store(value); }
  void AddModeBits(std::uint32_t bits) override { mode.fetch_or(bits); }
  HandsetSettings& Settings() override { return settings; }
  bool IsConnected() const override { return true; }
  void SetConnected(bool) override {}
  void EnableKeys(bool) override {}
  void AcceptAnySequence() override {}
  int ExecuteKeyCommand(int code) override {
    log_.Add("key command " + std::to_string(code));
    return 1;
  }
  bool WaitDisplayIdle() override {
    log_.Add("wait idle");
    return true;
  }

 private:
  EventLog& log_;
};

}  // namespace tolvane::testing
