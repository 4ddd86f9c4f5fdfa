// The session's two line queues and their workers, and the session's
// lifetime: construction starts the workers, Shutdown() stops and joins every
// thread of the session.
#include "session/skype_link.h"

#include <cassert>
#include <cctype>
#include <chrono>
#include <utility>

#include "interfaces/i_contact_list.h"
#include "interfaces/i_phone_state.h"
#include "interfaces/client_transport.h"
#include "interfaces/notification_handler.h"

namespace tolvane {
namespace {

// While no line arrives the incoming worker still wakes this often, so that
// the dispatcher notices the client's confirmation window in good time.
constexpr std::chrono::milliseconds kIdleTick{50};

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

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
      delay_(ports.delay != nullptr ? *ports.delay : *ownDelay_) {
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
  if (incomingRunning_.load()) {
    std::string text(line);
    // Counted before the line can be taken, so the dispatcher never sees a
    // CONTACTS line that is not yet counted.
    if (FirstWord(text) == "CONTACTS") pendingContactsCount_.fetch_add(1);
    incomingQueue_.Push(std::move(text));
    return kOk;
  }
  // The worker has ended: what it left behind is stale, and so may be the
  // calls it was following. Start afresh and look for the client again; the
  // line that arrived is dropped with the rest.
  if (RestartIncomingWorker()) {
    ResetCallsAfterRestart();
    RunSessionAction(kActionDiscover);
  }
  return kOk;
}

bool SkypeLink::RestartIncomingWorker() {
  std::thread ended;
  {
    std::lock_guard<std::mutex> hold(workerLock_);
    if (stopping_ || incomingRunning_.load()) return false;
    // A dispatcher that queues a notification itself cannot wait for its
    // own end.
    if (incomingThread_.get_id() == std::this_thread::get_id()) return false;
    ended = std::move(incomingThread_);
  }
  // The ended worker finishes the line it was handling before it returns;
  // only then may a new one start, so lines stay one at a time.
  if (ended.joinable()) ended.join();
  std::lock_guard<std::mutex> hold(workerLock_);
  if (stopping_ || incomingThread_.joinable()) return false;
  incomingQueue_.Clear();
  StartIncomingWorkerLocked();
  return true;
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

void SkypeLink::StopIncomingWorker() { incomingRunning_.store(false); }

Status SkypeLink::QueueCommand(const char* line) {
  if (line == nullptr) return kOk;
  if (!outgoingRunning_.load()) {
    std::thread ended;
    {
      std::lock_guard<std::mutex> hold(workerLock_);
      if (stopping_) return kOk;
      if (!outgoingRunning_.load()) {
        // The previous worker ended on a refused or empty line and is
        // returning; it holds nothing that this thread needs.
        ended = std::move(outgoingThread_);
        if (ended.joinable()) ended.join();
        StartOutgoingWorkerLocked();
      }
    }
  }
  outgoingQueue_.Push(line);
  return kOk;
}

Status SkypeLink::ClearQueues() {
  incomingQueue_.Clear();
  outgoingQueue_.Clear();
  // Gives a worker that had just taken a line the time to finish with it.
  delay_.Wait(std::chrono::milliseconds(10));
  return kOk;
}

void SkypeLink::StartIncomingWorkerLocked() {
  incomingRunning_.store(true);
  incomingThread_ = std::thread(&SkypeLink::IncomingWorker, this);
}

void SkypeLink::StartOutgoingWorkerLocked() {
  outgoingRunning_.store(true);
  outgoingThread_ = std::thread(&SkypeLink::OutgoingWorker, this);
}

void SkypeLink::IncomingWorker() {
  while (incomingRunning_.load()) {
    std::optional<std::string> line = incomingQueue_.WaitPopFor(kIdleTick);
    NotificationHandler* handler = handler_.load();
    if (handler == nullptr) continue;  // no dispatcher yet: the line is dropped
    if (line) handler->HandleLine(*line);
    handler->CheckConfirmationWindow();
  }
}

void SkypeLink::OutgoingWorker() {
  while (outgoingRunning_.load()) {
    std::optional<std::string> line = outgoingQueue_.WaitPop();
    if (!line || !outgoingRunning_.load()) break;
    // An empty line or one the client refuses ends this worker and is lost;
    // the next command starts a new worker.
    if (line->empty() || !transport_.SendLine(*line)) {
      outgoingRunning_.store(false);
      break;
    }
  }
}

}  // namespace tolvane
