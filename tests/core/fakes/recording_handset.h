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
  std::atomic<bool> connected{true};
  // What the device operations answer (1 success, 0 failure).
  int openResult = 1;
  int startResult = 1;

  int OpenDevice() override { return Logged("open", openResult); }
  int StartDevice(WindowHandle) override { return Logged("start", startResult); }
  int CloseDevice() override { return Logged("close", 1); }
  int AbortStart() override { return Logged("abort start", 1); }
  int ClearReports() override { return Logged("clear reports", 1); }
  int SendCode(std::uint8_t code) override {
    log_.Add("code " + std::to_string(code));
    return 1;
  }
  std::uint32_t Mode() const override { return mode.load(); }
  void SetMode(std::uint32_t value) override { mode.store(value); }
  void AddModeBits(std::uint32_t bits) override { mode.fetch_or(bits); }
  HandsetSettings& Settings() override { return settings; }
  bool IsConnected() const override { return connected.load(); }
  void SetConnected(bool value) override {
    connected.store(value);
    log_.Add(value ? "connected 1" : "connected 0");
  }
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
  int Logged(const char* event, int result) {
    log_.Add(event);
    return result;
  }

  EventLog& log_;
};

}  // namespace tolvane::testing
