#pragma once
// A ClientTransport that records into an EventLog: "<name> <line>" for a line
// the client accepted, "<name>-refused <line>" for one it refused, "discover"
// and "detach". The name ("send" unless given) tells apart two transports of
// one test. Lines are refused while no client is attached and when the test
// names them. A test may hook each send, e.g. to hold the sender.
#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "core/fakes/event_log.h"
#include "interfaces/client_transport.h"

namespace tolvane::testing {

class FakeClientTransport final : public ClientTransport {
 public:
  explicit FakeClientTransport(EventLog& log, std::string name = "send")
      : log_(log), name_(std::move(name)) {}

  std::function<void(std::string_view)> beforeSend;

  void SetAttached(bool attached) { attached_.store(attached); }
  void RefuseLine(std::string line) {
    std::lock_guard<std::mutex> hold(lock_);
    refused_.insert(std::move(line));
  }

  bool SendLine(std::string_view line) override {
    if (beforeSend) beforeSend(line);
    bool accept = attached_.load();
    {
      std::lock_guard<std::mutex> hold(lock_);
      if (refused_.count(std::string(line)) != 0) accept = false;
    }
    log_.Add(name_ + (accept ? " " : "-refused ") + std::string(line));
    return accept;
  }
  void BroadcastDiscover() override { log_.Add("discover"); }
  void SendDetach() override {
    log_.Add("detach");
    attached_.store(false);
  }
  bool IsAttached() const override { return attached_.load(); }

 private:
  EventLog& log_;
  const std::string name_;
  std::atomic<bool> attached_{true};
  std::mutex lock_;
  std::set<std::string> refused_;
};

}  // namespace tolvane::testing
