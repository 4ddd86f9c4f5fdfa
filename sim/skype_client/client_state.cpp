#include "client_state.h"

#include <algorithm>
#include <chrono>

#include "sim_words.h"

namespace simskype {
namespace {

const char kUnknownCommand[] = "ERROR 2 Unknown command";

long long SystemSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// "<handle> <rest>" with a handle; false when there is none.
bool HandleAndRest(std::string_view text, std::string* handle, std::string_view* rest) {
  *handle = FirstWord(text, rest);
  return !handle->empty();
}

}  // namespace

ClientState::ClientState(CallModel::Clock now) : calls_(names_, now ? std::move(now) : SystemSeconds) {}

bool ClientState::Apply(std::string_view directive) {
  std::string_view rest;
  const std::string_view key = FirstWord(directive, &rest);
  if (key.empty() || key.front() == '#') return true;
  std::string handle;
  std::string_view value;
  long number = 0;
  if (key == "protocol") {
    if (!ParseNumber(rest, &number)) return false;
    protocol_ = static_cast<int>(number);
  } else if (key == "me") {
    me_ = rest;
  } else if (key == "friends") {
    friends_ = SplitList(rest);
  } else if (key == "user") {
    if (!HandleAndRest(rest, &handle, &value)) return false;
    names_[handle] = value;
  } else if (key == "online") {
    if (!HandleAndRest(rest, &handle, &value) || value.empty()) return false;
    online_[handle] = value;
  } else if (key == "userstatus") {
    userStatus_ = rest;
  } else if (key == "connstatus") {
    connStatus_ = rest;
  } else if (key == "skypeout") {
    if (rest != "TRUE" && rest != "FALSE") return false;
    skypeOut_ = rest;
  } else if (key == "balance") {
    if (!ParseNumber(rest, &number)) return false;
    balance_ = number;
  } else if (key == "audio-in") {
    devices_["AUDIO_IN"] = rest;
  } else if (key == "audio-out") {
    devices_["AUDIO_OUT"] = rest;
  } else if (key == "ringer") {
    devices_["RINGER"] = rest;
  } else if (key == "reply") {
    const std::size_t arrow = rest.find("=>");
    if (arrow == std::string_view::npos) return false;
    replies_.emplace(std::string(Trim(rest.substr(0, arrow))), std::string(Trim(rest.substr(arrow + 2))));
  } else if (key == "after-attach") {
    afterAttach_.emplace_back(rest);
  } else if (key == "refuse") {
    if (rest.empty()) return false;
    refusedPrefixes_.emplace_back(rest);
  } else if (key == "attach-status") {
    if (!ParseNumber(rest, &number)) return false;
    attachStatus_ = number;
  } else {
    return calls_.Apply(key, rest);
  }
  return true;
}

std::vector<int> ClientState::Load(std::istream& scenario) {
  std::vector<int> bad;
  std::string line;
  for (int number = 1; std::getline(scenario, line); ++number) {
    if (!Apply(line)) bad.push_back(number);
  }
  return bad;
}

bool ClientState::TakeRefusal(std::string_view line) {
  if (refuseNext_) {
    refuseNext_ = false;
    return true;
  }
  return std::any_of(refusedPrefixes_.begin(), refusedPrefixes_.end(),
                     [&](const std::string& prefix) { return line.starts_with(prefix); });
}

void ClientState::AllowPrefix(std::string_view prefix) { std::erase(refusedPrefixes_, std::string(prefix)); }

// The client announces who is signed in and how it stands as soon as a
// program is attached.
std::vector<std::string> ClientState::AfterAttach() const {
  std::vector<std::string> lines = {"CONNSTATUS " + connStatus_, "CURRENTUSERHANDLE " + me_,
                                    "USERSTATUS " + userStatus_};
  lines.insert(lines.end(), afterAttach_.begin(), afterAttach_.end());
  return lines;
}

std::string ClientState::Users() const { return "USERS " + Join(friends_); }

std::string ClientState::OnlineStatus(const std::string& handle) const {
  const auto status = online_.find(handle);
  if (status != online_.end()) return status->second;
  return std::find(friends_.begin(), friends_.end(), handle) != friends_.end() ? "ONLINE" : "OFFLINE";
}

std::vector<ClientState::Contact> ClientState::Contacts() const {
  std::vector<Contact> contacts;
  for (const std::string& handle : friends_) {
    const auto name = names_.find(handle);
    contacts.push_back({handle, name != names_.end() ? name->second : handle, OnlineStatus(handle)});
  }
  return contacts;
}

std::string ClientState::AnswerGetUser(std::string_view rest) const {
  std::string_view property;
  const std::string handle(FirstWord(rest, &property));
  const bool isFriend = std::find(friends_.begin(), friends_.end(), handle) != friends_.end();
  if (property == "DISPLAYNAME" || property == "FULLNAME") {
    const auto name = names_.find(handle);
    return "USER " + handle + " " + std::string(property) + (name != names_.end() ? " " + name->second : "");
  }
  if (property == "ONLINESTATUS") return "USER " + handle + " ONLINESTATUS " + OnlineStatus(handle);
  if (property == "BUDDYSTATUS") return "USER " + handle + " BUDDYSTATUS " + (isFriend ? "3" : "0");
  return "ERROR 10 Invalid property";
}

std::string ClientState::AnswerGet(std::string_view rest) const {
  std::string_view tail;
  const std::string_view what = FirstWord(rest, &tail);
  if (what == "USERSTATUS") return "USERSTATUS " + userStatus_;
  if (what == "CONNSTATUS") return "CONNSTATUS " + connStatus_;
  if (what == "CURRENTUSERHANDLE") return "CURRENTUSERHANDLE " + me_;
  if (what == "MUTE") return muted_ ? "MUTE ON" : "MUTE OFF";
  if (what == "SKYPEVERSION") return "SKYPEVERSION 3.8.0.188";
  if (what == "AUDIO_IN" || what == "AUDIO_OUT" || what == "RINGER") {
    const auto device = devices_.find(std::string(what));
    return std::string(what) + " " + (device != devices_.end() ? device->second : std::string());
  }
  if (what == "USER") return AnswerGetUser(tail);
  if (what == "PRIVILEGE") {
    if (tail == "SKYPEOUT") return "PRIVILEGE SKYPEOUT " + skypeOut_;
    return "PRIVILEGE " + std::string(tail) + " FALSE";
  }
  if (what == "PROFILE") {
    if (tail == "PSTN_BALANCE") return "PROFILE PSTN_BALANCE " + std::to_string(balance_);
    if (tail == "PSTN_BALANCE_CURRENCY") return "PROFILE PSTN_BALANCE_CURRENCY EUR";
  }
  return kUnknownCommand;
}

// SET AUDIO_IN <device>, SET AUDIO_OUT ..., SET RINGER ..., SET USERSTATUS ...,
// SET MUTE ON|OFF.
std::string ClientState::AnswerSet(std::string_view rest) {
  std::string_view value;
  const std::string what(FirstWord(rest, &value));
  if (what == "AUDIO_IN" || what == "AUDIO_OUT" || what == "RINGER") {
    devices_[what] = value;
    return what + " " + std::string(value);
  }
  if (what == "USERSTATUS" && !value.empty()) {
    userStatus_ = value;
    return "USERSTATUS " + userStatus_;
  }
  if (what == "MUTE" && (value == "ON" || value == "OFF")) {
    muted_ = value == "ON";
    return "MUTE " + std::string(value);
  }
  return kUnknownCommand;
}

Effects ClientState::Answer(std::string_view line) {
  Effects effects;
  const auto canned = replies_.equal_range(std::string(line));
  if (canned.first != canned.second) {
    for (auto it = canned.first; it != canned.second; ++it) effects.lines.push_back(it->second);
    return effects;
  }
  if (calls_.Command(line, &effects)) return effects;

  std::string_view rest;
  const std::string_view command = FirstWord(line, &rest);
  std::string reply = kUnknownCommand;
  if (command == "PROTOCOL") {
    long asked = 0;
    if (!ParseNumber(rest, &asked)) asked = 1;
    reply = "PROTOCOL " + std::to_string(std::min<long>(asked, protocol_));
  } else if (command == "PING") {
    reply = "PONG";
  } else if (command == "FOCUS" || command == "MINIMIZE") {
    reply = std::string(command);
  } else if (command == "NAME") {
    reply = "OK";
  } else if (command == "SET") {
    reply = AnswerSet(rest);
  } else if (command == "GET") {
    reply = AnswerGet(rest);
  } else if (command == "SEARCH" && rest == "FRIENDS") {
    reply = Users();
  }
  effects.lines.push_back(reply);
  return effects;
}

void ClientState::SetBuddy(const std::string& handle, long buddyStatus) {
  std::erase(friends_, handle);
  if (buddyStatus == 2 || buddyStatus == 3) friends_.push_back(handle);
}

bool ClientState::Event(std::string_view event, Effects* effects) {
  std::string_view rest;
  const std::string_view verb = FirstWord(event, &rest);
  std::string handle;
  std::string_view value;
  long number = 0;
  if (verb == "mute" && (rest == "on" || rest == "off")) {
    muted_ = rest == "on";
    effects->lines.emplace_back(muted_ ? "MUTE ON" : "MUTE OFF");
  } else if (verb == "buddy" && HandleAndRest(rest, &handle, &value) && ParseNumber(value, &number) &&
             number >= 0 && number <= 3) {
    SetBuddy(handle, number);
    effects->lines.push_back("USER " + handle + " BUDDYSTATUS " + std::to_string(number));
  } else if (verb == "online" && HandleAndRest(rest, &handle, &value) && !value.empty()) {
    online_[handle] = value;
    effects->lines.push_back("USER " + handle + " ONLINESTATUS " + std::string(value));
  } else if (verb == "focus" && !rest.empty()) {
    effects->lines.push_back("CONTACTS FOCUSED " + std::string(rest));
  } else if (verb == "user-status" && !rest.empty()) {
    userStatus_ = rest;
    effects->lines.push_back("USERSTATUS " + userStatus_);
  } else if (verb == "conn-status" && !rest.empty()) {
    connStatus_ = rest;
    effects->lines.push_back("CONNSTATUS " + connStatus_);
  } else {
    return calls_.Event(event, effects);
  }
  return true;
}

}  // namespace simskype
