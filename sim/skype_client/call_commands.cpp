// The program's call commands as the client takes them, and its answers to
// "GET CALL <id> <property>".
#include <algorithm>
#include <cstring>

#include "call_model.h"
#include "sim_words.h"

namespace simskype {
namespace {

const char kNoSuchCall[] = "ERROR 11 Invalid call id";
const char kBadProperty[] = "ERROR 7 Invalid property";
const char kCannotChange[] = "ERROR 21 Cannot change the status of this call";

bool ParseId(std::string_view text, int* id) {
  long value = 0;
  if (!ParseNumber(text, &value) || value <= 0) return false;
  *id = static_cast<int>(value);
  return true;
}

bool IsKeypadButton(std::string_view key) {
  return key.size() == 1 && (std::strchr("0123456789*#", key.front()) != nullptr);
}

}  // namespace

SimCall* CallModel::CallNamed(std::string_view text, std::string_view* rest) {
  int id = 0;
  if (!ParseId(FirstWord(text, rest), &id)) return nullptr;
  const auto it = std::find_if(calls_.begin(), calls_.end(), [id](const SimCall& c) { return c.id == id; });
  return it != calls_.end() ? &*it : nullptr;
}

bool CallModel::Command(std::string_view line, Effects* effects) {
  std::string_view rest;
  const std::string_view command = FirstWord(line, &rest);
  if (command == "CALL") {
    if (!PlaceCall(rest, effects)) effects->lines.emplace_back("ERROR 34 Invalid user handle");
    return true;
  }
  if (command == "HOOK") return Hook(rest, effects);
  if (command == "BTN_PRESSED") {
    effects->lines.push_back(std::string(line));
    return true;
  }
  if (command == "BTN_RELEASED") return Button(rest, effects);
  if (command == "ALTER") return AlterCall(rest, effects);
  if (command == "SET") return SetCall(rest, effects);
  if (command == "GET") {
    std::string_view what;
    if (FirstWord(rest, &what) != "CALL") return false;
    effects->lines.push_back(GetCall(what));
    return true;
  }
  if (command == "SEARCH") {
    std::string_view filter;
    const std::string_view what = FirstWord(rest, &filter);
    if (what == "CALLS") {
      effects->lines.push_back(CallsReply());
    } else if (what == "ACTIVECALLS") {
      effects->lines.push_back(ActiveCallsReply());
    } else if (what == "MISSEDCALLS") {
      effects->lines.push_back(MissedCallsReply());
    } else {
      return false;
    }
    return true;
  }
  return false;
}

// SET CALL <id> STATUS INPROGRESS|ONHOLD|FINISHED, SET CALL <id> SEEN,
// SET CALL <id> DTMF <key>. Other SET commands are not the call model's.
bool CallModel::SetCall(std::string_view rest, Effects* effects) {
  std::string_view tail;
  if (FirstWord(rest, &tail) != "CALL") return false;
  SimCall* named = CallNamed(tail, &tail);
  if (named == nullptr) {
    effects->lines.emplace_back(kNoSuchCall);
    return true;
  }
  SimCall& call = *named;
  const int id = call.id;
  const std::string_view property = FirstWord(tail, &tail);
  bool done = false;
  if (property == "STATUS") {
    if (tail == "INPROGRESS") {
      done = AnswerLocally(call, effects) || ResumeLocally(call, effects);
    } else if (tail == "ONHOLD") {
      done = HoldLocally(call, effects);
    } else if (tail == "FINISHED") {
      done = EndLocally(call, effects);
    }
  } else if (property == "SEEN" && tail.empty()) {
    call.seen = true;
    effects->lines.push_back("CALL " + std::to_string(id) + " SEEN TRUE");
    done = true;
  } else if (property == "DTMF" && IsKeypadButton(tail) && call.status == "INPROGRESS") {
    call.dtmf += tail;
    effects->lines.push_back("CALL " + std::to_string(id) + " DTMF " + std::string(tail));
    done = true;
  }
  if (!done) effects->lines.emplace_back(kCannotChange);
  return true;
}

// ALTER CALL <id> ANSWER|HANGUP|HOLD|RESUME: the newer spelling of the same.
bool CallModel::AlterCall(std::string_view rest, Effects* effects) {
  std::string_view tail;
  if (FirstWord(rest, &tail) != "CALL") return false;
  SimCall* call = CallNamed(tail, &tail);
  if (call == nullptr || !IsLiveStatus(call->status)) {
    effects->lines.emplace_back(kNoSuchCall);
    return true;
  }
  Effects changes;
  bool done = false;
  if (tail == "ANSWER") done = AnswerLocally(*call, &changes);
  if (tail == "HANGUP") done = EndLocally(*call, &changes);
  if (tail == "HOLD") done = HoldLocally(*call, &changes);
  if (tail == "RESUME") done = ResumeLocally(*call, &changes);
  if (!done) {
    effects->lines.emplace_back(kCannotChange);
    return true;
  }
  effects->lines.push_back("ALTER CALL " + std::to_string(call->id) + " " + std::string(tail));
  effects->lines.insert(effects->lines.end(), changes.lines.begin(), changes.lines.end());
  effects->later.insert(effects->later.end(), changes.later.begin(), changes.later.end());
  return true;
}

// HOOK OFF answers the call ringing here; HOOK ON ends the call being made
// or talked on, or else turns down the one ringing here.
bool CallModel::Hook(std::string_view rest, Effects* effects) {
  if (rest != "ON" && rest != "OFF") return false;
  effects->lines.push_back("HOOK " + std::string(rest));
  if (rest == "OFF") {
    if (SimCall* call = Pick(0, IsRingingHere)) AnswerLocally(*call, effects);
  } else if (SimCall* active = Pick(0, [&](const SimCall& c) { return !IsRingingHere(c); })) {
    EndLocally(*active, effects);
  } else if (SimCall* ringing = Pick(0, IsRingingHere)) {
    EndLocally(*ringing, effects);
  }
  return true;
}

// The client's own buttons: the keypad types into its dial field, YES calls
// the typed number or answers, NO turns down, hangs up or clears the field.
bool CallModel::Button(std::string_view key, Effects* effects) {
  effects->lines.push_back("BTN_RELEASED " + std::string(key));
  if (IsKeypadButton(key)) {
    dialField_ += key;
  } else if (key == "C") {
    if (!dialField_.empty()) dialField_.pop_back();
  } else if (key == "YES") {
    if (SimCall* ringing = Pick(0, IsRingingHere)) {
      AnswerLocally(*ringing, effects);
    } else if (!dialField_.empty()) {
      PlaceCall(dialField_, effects);
    }
    dialField_.clear();
  } else if (key == "NO") {
    if (SimCall* call = Pick(0, [](const SimCall&) { return true; })) EndLocally(*call, effects);
    dialField_.clear();
  }
  return true;
}

std::string CallModel::GetCall(std::string_view rest) const {
  std::string_view property;
  int id = 0;
  const SimCall* call = ParseId(FirstWord(rest, &property), &id) ? Find(id) : nullptr;
  if (call == nullptr) return kNoSuchCall;
  const std::string value = Property(*call, property);
  if (value == kBadProperty) return value;
  return "CALL " + std::to_string(id) + " " + std::string(property) + (value.empty() ? "" : " " + value);
}

std::string CallModel::Property(const SimCall& call, std::string_view property) const {
  if (property == "STATUS") return call.status;
  if (property == "TYPE") {
    return std::string(call.incoming ? "INCOMING_" : "OUTGOING_") + (call.pstn ? "PSTN" : "P2P");
  }
  if (property == "PARTNER_HANDLE") return call.partner;
  if (property == "PARTNER_DISPNAME") {
    const auto name = names_.find(call.partner);
    return name != names_.end() && !name->second.empty() ? name->second : call.partner;
  }
  if (property == "SEEN") return call.seen ? "TRUE" : "FALSE";
  if (property == "TIMESTAMP") return std::to_string(call.timestamp);
  if (property == "DURATION") {
    const bool running = IsLiveStatus(call.status) && call.answeredAt >= 0;
    return std::to_string(running ? now_() - call.answeredAt : call.duration);
  }
  if (property == "FAILUREREASON") return std::to_string(call.failureReason);
  if (property == "PSTN_NUMBER") return call.pstn ? call.partner : std::string();
  if (property == "SUBJECT" || property == "PSTN_STATUS") return {};
  if (property == "CONF_ID") return "0";
  if (property == "DTMF") return call.dtmf;
  return kBadProperty;
}

}  // namespace simskype
