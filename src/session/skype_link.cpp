// The session's two line queues and their workers, and the session's
// lifetime: construction starts the workers, Shutdown() stops and joins every
// thread of the session.
#include "session/skype_link.h"

#include <cassert>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <utility>

#include "common/log.h"
#include "interfaces/i_contact_list.h"
#include "interfaces/i_phone_state.h"
#include "interfaces/client_transport.h"
#include "interfaces/notification_handler.h"

namespace tolvane {
namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// A full queue drops lines; the log hears of the first and of every
// thousandth after it, so that a flood cannot flood the log too.
void LogDroppedLine(const char* queue, std::uint64_t dropped) {
  if (dropped == 1 || dropped % 1000 == 0) LogEvent(queue, " queue full: ", dropped, " lines dropped so far");
}

std::string_view FirstWord(std::string_view line) {
  std::size_t begin = 0;
  while (begin < line.size() && IsBlank(line[begin])) ++begin;
  std::size_t end = begin;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  return line.substr(begin, end - begin);
}

template <typename T>
T& Required(T* port) {
  assert(port != nullptr);
  return *port;
}

}  // namespace

SkypeLink::SkypeLink(const Ports& ports)
    : transport_(Required(ports.transport)),
      handset_(Required(ports.handset)),
      tray_(ports.tray),
      dialogs_(ports.dialogs),
      soundMapper_(ports.soundMapper),
      ownDelay_(ports.delay != nullptr ? nullptr : std::make_unique<SteadyActionDelay>()),
      delay_(ports.delay != nullptr ? *ports.delay : *ownDelay_),
      threads_(ports.threads != nullptr ? *ports.threads : DefaultThreadStarter()),
      watchTick_(ports.watchTick) {
  std::lock_guard<std::mutex> hold(workerLock_);
  StartIncomingWorkerLocked();
  StartOutgoingWorkerLocked();
}

SkypeLink::~SkypeLink() { Shutdown(); }

void SkypeLink::Shutdown() {
  // Actions first: one may still queue commands, and its pauses end now.
  delay_.Cancel();
  JoinActions();

  std::thread incoming;
  std::thread outgoing;
  {
    std::lock_guard<std::mutex> hold(workerLock_);
    stopping_ = true;
    incomingRunning_.store(false);
    outgoingRunning_.store(false);
    incoming = std::move(incomingThread_);
    outgoing = std::move(outgoingThread_);
  }
  incomingQueue_.Stop();
  outgoingQueue_.Stop();
  if (incoming.joinable()) incoming.join();
  if (outgoing.joinable()) outgoing.join();
}

void SkypeLink::SetPhoneState(IPhoneState* phoneState) { phoneState_.store(phoneState); }
void SkypeLink::SetContactList(IContactList* contactList) { contactList_.store(contactList); }
void SkypeLink::SetNotificationHandler(NotificationHandler* handler) { handler_.store(handler); }

Status SkypeLink::QueueNotification(const char* line) {
  if (line == nullptr) return kOk;
  LogDetail("from client: ", line);
  if (incomingRunning_.load()) {
    std::string text(line);
    // Counted before the line can be taken, so the dispatcher never sees a
    // CONTACTS line that is not yet counted.
    const bool contacts = FirstWord(text) == "CONTACTS";
    if (contacts) pendingContactsCount_.fetch_add(1);
    if (!incomingQueue_.Push(std::move(text))) {
      // A dropped CONTACTS line will never be taken.
      if (contacts) pendingContactsCount_.fetch_sub(1);
      LogDroppedLine("incoming", incomingQueue_.DroppedLines());
    }
    return kOk;
  }
  // No worker runs (none could be started): what was queued is stale, and
  // so may be the calls that were followed. Start afresh and look for the
  // client again; the line that arrived is dropped with the rest.
  if (RestartIncomingWorker()) {
    ResetCallsAfterRestart();
    RunSessionAction(kActionDiscover);
  }
  return kOk;
}

bool SkypeLink::RestartIncomingWorker() {
  std::lock_guard<std::mutex> hold(workerLock_);
  if (stopping_ || incomingRunning_.load()) return false;
  // A worker runs until shutdown, so the one to replace never started.
  assert(!incomingThread_.joinable());
  incomingQueue_.Clear();
  return StartIncomingWorkerLocked();
}

void SkypeLink::ResetCallsAfterRestart() {
  IPhoneState* phone = phoneState_.load();
  IContactList* contacts = contactList_.load();
  if (phone != nullptr) {
    phone->ResetCurrentCall();
    phone->ResetSecondCall();
  }
  if (contacts != nullptr) contacts->ResetContactBrowse();
  if (phone != nullptr) phone->ResetBrowse();
}

Status SkypeLink::QueueCommand(const char* line) {
  // An empty line has nothing to send.
  if (line == nullptr || line[0] == '\0') return kOk;
  if (!outgoingQueue_.Push(line)) LogDroppedLine("outgoing", outgoingQueue_.DroppedLines());
  if (!outgoingRunning_.load()) RestartOutgoingWorker();
  return kOk;
}

void SkypeLink::RestartOutgoingWorker() {
  std::lock_guard<std::mutex> hold(workerLock_);
  if (stopping_ || outgoingRunning_.load()) return;
  assert(!outgoingThread_.joinable());
  StartOutgoingWorkerLocked();
}

void SkypeLink::ClientWindowsChanged() { incomingQueue_.Wake(); }

Status SkypeLink::ClearQueues() {
  incomingQueue_.Clear();
  outgoingQueue_.Clear();
  // Gives a worker that had just taken a line the time to finish with it.
  delay_.Wait(std::chrono::milliseconds(10));
  return kOk;
}

bool SkypeLink::StartIncomingWorkerLocked() {
  incomingRunning_.store(true);
  if (threads_.Start(incomingThread_, "incoming", [this] { IncomingWorker(); })) return true;
  incomingRunning_.store(false);
  return false;
}

bool SkypeLink::StartOutgoingWorkerLocked() {
  outgoingRunning_.store(true);
  if (threads_.Start(outgoingThread_, "outgoing", [this] { OutgoingWorker(); })) return true;
  outgoingRunning_.store(false);
  return false;
}

void SkypeLink::IncomingWorker() {
  while (incomingRunning_.load()) {
    NotificationHandler* handler = handler_.load();
    // While nothing is under way the worker sleeps until a line arrives or
    // the client's windows change; only while a call is under way can the
    // confirmation window appear unannounced and is looked for every tick.
    const bool watching = handler != nullptr && handler->WatchesClientWindows();
    std::optional<std::string> line = watching ? incomingQueue_.WaitPopFor(watchTick_) : incomingQueue_.WaitPop();
    if (!incomingRunning_.load()) break;
    handler = handler_.load();
    if (handler == nullptr) continue;  // no dispatcher yet: the line is dropped
    if (line) handler->HandleLine(*line);
    handler->CheckConfirmationWindow();
  }
}

void SkypeLink::OutgoingWorker() {
  while (outgoingRunning_.load()) {
    std::optional<std::string> line = outgoingQueue_.WaitPop();
    if (!line) continue;  // stopped: the loop test ends it
    // A line the client refuses, or does not answer in time, is lost; the
    // lines behind it must not wait for an unrelated later command.
    transport_.SendLine(*line);
  }
}

}  // namespace tolvane
