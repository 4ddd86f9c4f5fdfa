#include "call_model.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "sim_words.h"

namespace simskype {
namespace {

constexpr std::array kLiveStatuses = {"ROUTING",     "RINGING",    "EARLYMEDIA",          "INPROGRESS",
                                      "LOCALHOLD",   "REMOTEHOLD", "VM_PLAYING_GREETING", "VM_RECORDING"};
constexpr std::array kTypes = {"INCOMING_P2P", "OUTGOING_P2P", "INCOMING_PSTN", "OUTGOING_PSTN"};

bool IsPhoneNumber(std::string_view partner) {
  return !partner.empty() && (partner.front() == '+' || std::isdigit(static_cast<unsigned char>(partner.front())));
}

bool Ringing(const SimCall& call) { return call.status == "RINGING" || call.status == "EARLYMEDIA"; }
bool Talking(const SimCall& call) { return call.status == "INPROGRESS"; }
bool OnHold(const SimCall& call) { return call.status == "LOCALHOLD" || call.status == "REMOTEHOLD"; }

}  // namespace

bool IsLiveStatus(std::string_view status) {
  return std::find(kLiveStatuses.begin(), kLiveStatuses.end(), status) != kLiveStatuses.end();
}

bool IsRingingHere(const SimCall& call) { return call.incoming && Ringing(call) && call.answeredAt < 0; }

CallModel::CallModel(const std::map<std::string, std::string>& names, Clock now)
    : names_(names), now_(std::move(now)) {}

bool CallModel::Apply(std::string_view key, std::string_view rest) {
  long number = 0;
  if (key == "history") {
    std::string_view tail;
    const std::string_view id = FirstWord(rest, &tail);
    const std::string_view type = FirstWord(tail, &tail);
    const std::string_view status = FirstWord(tail, &tail);
    const std::string_view partner = FirstWord(tail, &tail);
    long duration = 0;
    const auto typeIndex = std::find(kTypes.begin(), kTypes.end(), type) - kTypes.begin();
    if (!ParseNumber(id, &number) || Find(static_cast<int>(number)) != nullptr ||
        typeIndex == static_cast<long>(kTypes.size()) || status.empty() || IsLiveStatus(status) ||
        partner.empty() || (!tail.empty() && !ParseNumber(tail, &duration))) {
      return false;
    }
    SimCall call;
    call.id = static_cast<int>(number);
    call.incoming = typeIndex % 2 == 0;
    call.pstn = typeIndex >= 2;
    call.partner = partner;
    call.status = status;
    call.seen = status != "MISSED";
    call.duration = static_cast<int>(duration);
    call.timestamp = now_() - 3600 * static_cast<long long>(calls_.size() + 1);
    calls_.push_back(call);
    nextId_ = std::max(nextId_, call.id + 1);
    return true;
  }
  if (key == "calls") {
    for (const std::string& id : SplitList(rest)) {
      if (!ParseNumber(id, &number)) return false;
      if (Find(static_cast<int>(number)) == nullptr &&
          !Apply("history", id + " INCOMING_P2P FINISHED echo123 60")) {
        return false;
      }
    }
    return true;
  }
  if (key == "callee") {
    std::string_view tail;
    const std::string handle(FirstWord(rest, &tail));
    const std::string_view what = FirstWord(tail, &tail);
    static const std::map<std::string_view, Outcome> kOutcomes = {
        {"ring", Outcome::kRing},     {"answer", Outcome::kAnswer}, {"busy", Outcome::kBusy},
        {"refuse", Outcome::kRefuse}, {"fail", Outcome::kFail},     {"voicemail", Outcome::kVoicemail}};
    const auto outcome = kOutcomes.find(what);
    if (handle.empty() || outcome == kOutcomes.end() || (!tail.empty() && !ParseNumber(tail, &number))) {
      return false;
    }
    callees_[handle] = Callee{outcome->second, tail.empty() ? 1000 : static_cast<int>(number)};
    return true;
  }
  if (key == "ring-delay" && ParseNumber(rest, &number) && number >= 0) {
    ringDelayMs_ = static_cast<int>(number);
    return true;
  }
  if (key == "history-delay") {
    if (rest == "off") {
      historyDelayMs_ = -1;
      return true;
    }
    if (!ParseNumber(rest, &number) || number < 0) return false;
    historyDelayMs_ = static_cast<int>(number);
    return true;
  }
  return false;
}

const SimCall* CallModel::Find(int id) const {
  const auto it = std::find_if(calls_.begin(), calls_.end(), [id](const SimCall& c) { return c.id == id; });
  return it != calls_.end() ? &*it : nullptr;
}

SimCall* CallModel::Pick(int id, const std::function<bool(const SimCall&)>& fits) {
  for (SimCall& call : calls_) {
    if ((id == 0 || call.id == id) && IsLiveStatus(call.status) && fits(call)) return &call;
  }
  return nullptr;
}

SimCall& CallModel::NewCall(bool incoming, std::string partner) {
  SimCall call;
  call.id = nextId_++;
  call.incoming = incoming;
  call.pstn = IsPhoneNumber(partner);
  call.partner = std::move(partner);
  call.timestamp = now_();
  calls_.insert(calls_.begin(), std::move(call));
  return calls_.front();
}

void CallModel::Move(SimCall& call, std::string_view status, Effects* effects) {
  call.status = status;
  if (status == "INPROGRESS" && call.answeredAt < 0) call.answeredAt = now_();
  effects->lines.push_back("CALL " + std::to_string(call.id) + " STATUS " + call.status);
  if (IsLiveStatus(status)) return;
  if (call.answeredAt >= 0) call.duration = static_cast<int>(now_() - call.answeredAt);
  call.seen = status != "MISSED";
  if (historyDelayMs_ >= 0) effects->later.push_back({historyDelayMs_, "history-changed"});
}

void CallModel::HoldOthers(const SimCall& except, Effects* effects) {
  for (SimCall& other : calls_) {
    if (other.id != except.id && Talking(other)) Move(other, "LOCALHOLD", effects);
  }
}

bool CallModel::AnswerLocally(SimCall& call, Effects* effects) {
  if (!IsRingingHere(call)) return false;
  HoldOthers(call, effects);
  Move(call, "INPROGRESS", effects);
  return true;
}

bool CallModel::ResumeLocally(SimCall& call, Effects* effects) {
  if (call.status != "LOCALHOLD") return false;
  HoldOthers(call, effects);
  Move(call, "INPROGRESS", effects);
  return true;
}

bool CallModel::HoldLocally(SimCall& call, Effects* effects) {
  if (!Talking(call)) return false;
  Move(call, "LOCALHOLD", effects);
  return true;
}

bool CallModel::EndLocally(SimCall& call, Effects* effects) {
  if (IsRingingHere(call)) {
    Move(call, "REFUSED", effects);
  } else if (call.status == "VM_RECORDING") {
    Move(call, "VM_SENT", effects);
  } else if (call.status == "VM_PLAYING_GREETING") {
    Move(call, "VM_CANCELLED", effects);
  } else if (Talking(call) || OnHold(call)) {
    Move(call, "FINISHED", effects);
  } else if (IsLiveStatus(call.status)) {
    Move(call, "CANCELLED", effects);  // an outgoing call not yet answered
  } else {
    return false;
  }
  return true;
}

bool CallModel::PlaceCall(std::string_view targets, Effects* effects) {
  const std::vector<std::string> partners = SplitList(targets);
  if (partners.empty()) return false;
  // A conference is not simulated: the first target is called.
  SimCall& call = NewCall(false, partners.front());
  HoldOthers(call, effects);
  Move(call, "ROUTING", effects);
  effects->later.push_back({ringDelayMs_, "ring " + std::to_string(call.id)});
  return true;
}

void CallModel::StartRinging(SimCall& call, Effects* effects) {
  Move(call, "RINGING", effects);
  const auto callee = callees_.find(call.partner);
  if (callee == callees_.end()) return;
  static const std::map<Outcome, std::string> kEvents = {{Outcome::kAnswer, "far-answer"},
                                                         {Outcome::kBusy, "far-busy"},
                                                         {Outcome::kRefuse, "far-refuse"},
                                                         {Outcome::kFail, "fail"},
                                                         {Outcome::kVoicemail, "voicemail"}};
  const auto event = kEvents.find(callee->second.outcome);
  if (event != kEvents.end()) {
    effects->later.push_back({callee->second.delayMs, event->second + " " + std::to_string(call.id)});
  }
}

bool CallModel::Event(std::string_view event, Effects* effects) {
  std::string_view rest;
  const std::string_view verb = FirstWord(event, &rest);
  if (verb == "incoming") {
    std::string_view mode;
    const std::string_view partner = FirstWord(rest, &mode);
    if (partner.empty() || !(mode.empty() || mode == "earlymedia")) return false;
    Move(NewCall(true, std::string(partner)), mode.empty() ? "RINGING" : "EARLYMEDIA", effects);
    return true;
  }
  if (verb == "call") return PlaceCall(rest, effects);  // the user dials in the client
  if (verb == "history-changed" && rest.empty()) {
    effects->lines.push_back("CALLHISTORYCHANGED");
    return true;
  }
  if (verb == "backspace" && rest.empty()) {  // typed into the dial field; nothing is announced
    if (!dialField_.empty()) dialField_.pop_back();
    return true;
  }

  // The rest name a call, or pick the newest one they fit.
  std::string_view tail;
  const std::string_view idText = FirstWord(rest, &tail);
  long id = 0;
  if ((!idText.empty() && !ParseNumber(idText, &id)) || !tail.empty()) return false;
  const int callId = static_cast<int>(id);
  const auto pick = [&](const std::function<bool(const SimCall&)>& fits) { return Pick(callId, fits); };
  const auto any = [](const SimCall&) { return true; };
  const auto outgoingUnanswered = [](const SimCall& c) { return !c.incoming && c.answeredAt < 0; };

  SimCall* call = nullptr;
  if (verb == "ring") {
    call = pick([](const SimCall& c) { return !c.incoming && c.status == "ROUTING"; });
    if (call != nullptr) StartRinging(*call, effects);
  } else if (verb == "answer") {
    call = pick(IsRingingHere);
    if (call != nullptr) AnswerLocally(*call, effects);
  } else if (verb == "hangup") {
    call = pick(any);
    if (call != nullptr) EndLocally(*call, effects);
  } else if (verb == "hold") {
    call = pick(Talking);
    if (call != nullptr) HoldLocally(*call, effects);
  } else if (verb == "resume") {
    call = pick([](const SimCall& c) { return c.status == "LOCALHOLD"; });
    if (call != nullptr) ResumeLocally(*call, effects);
  } else if (verb == "far-answer") {
    call = pick([&](const SimCall& c) { return outgoingUnanswered(c) && (Ringing(c) || c.status == "ROUTING"); });
    if (call != nullptr) Move(*call, "INPROGRESS", effects);
  } else if (verb == "far-hangup") {
    call = pick(any);
    if (call != nullptr) {
      if (IsRingingHere(*call)) {
        Move(*call, "MISSED", effects);  // the caller gave up
      } else if (call->status == "VM_RECORDING") {
        Move(*call, "VM_SENT", effects);
      } else if (outgoingUnanswered(*call)) {
        Move(*call, "REFUSED", effects);
      } else {
        Move(*call, "FINISHED", effects);
      }
    }
  } else if (verb == "far-busy" || verb == "far-refuse") {
    call = pick([&](const SimCall& c) { return outgoingUnanswered(c) && !c.status.starts_with("VM_"); });
    if (call != nullptr) Move(*call, verb == "far-busy" ? "BUSY" : "REFUSED", effects);
  } else if (verb == "far-hold") {
    call = pick(Talking);
    if (call != nullptr) Move(*call, "REMOTEHOLD", effects);
  } else if (verb == "far-resume") {
    call = pick([](const SimCall& c) { return c.status == "REMOTEHOLD"; });
    if (call != nullptr) Move(*call, "INPROGRESS", effects);
  } else if (verb == "fail") {
    call = pick(any);
    if (call != nullptr) {
      call->failureReason = 1;  // miscellaneous
      Move(*call, "FAILED", effects);
    }
  } else if (verb == "earlymedia") {
    call = pick([](const SimCall& c) { return c.answeredAt < 0 && (c.status == "RINGING" || c.status == "ROUTING"); });
    if (call != nullptr) Move(*call, "EARLYMEDIA", effects);
  } else if (verb == "voicemail") {
    call = pick([&](const SimCall& c) { return outgoingUnanswered(c) && Ringing(c); });
    if (call != nullptr) {
      Move(*call, "VM_PLAYING_GREETING", effects);
      Move(*call, "VM_RECORDING", effects);
    }
  } else {
    return false;
  }
  return call != nullptr;
}

std::string CallModel::ListIds(const std::function<bool(const SimCall&)>& keep) const {
  std::vector<std::string> ids;
  for (const SimCall& call : calls_) {
    if (keep(call)) ids.push_back(std::to_string(call.id));
  }
  return "CALLS " + Join(ids);
}

std::string CallModel::CallsReply() const {
  return ListIds([](const SimCall&) { return true; });
}
std::string CallModel::ActiveCallsReply() const {
  return ListIds([](const SimCall& c) { return IsLiveStatus(c.status); });
}
std::string CallModel::MissedCallsReply() const {
  return ListIds([](const SimCall& c) { return c.status == "MISSED" && !c.seen; });
}

}  // namespace simskype
