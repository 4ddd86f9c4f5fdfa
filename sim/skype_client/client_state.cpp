#include "client_state.h"

#include <algorithm>
#include <cstdlib>

namespace simskype {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// Splits off the first blank-delimited word; `rest` is what follows it.
std::string_view FirstWord(std::string_view text, std::string_view* rest) {
  text = Trim(text);
  const std::size_t blank = text.find(' ');
  if (blank == std::string_view::npos) {
    *rest = {};
    return text;
  }
  *rest = Trim(text.substr(blank + 1));
  return text.substr(0, blank);
}

// "a, b ,c" -> {"a", "b", "c"}
std::vector<std::string> SplitList(std::string_view text) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    const std::string_view item = Trim(text.substr(start, comma - start));
    if (!item.empty()) items.emplace_back(item);
    start = comma + 1;
  }
  return items;
}

std::string Join(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) {
    if (!text.empty()) text += ", ";
    text += item;
  }
  return text;
}

bool ParseNumber(std::string_view text, long* value) {
  const std::string digits(text);
  char* end = nullptr;
  const long parsed = std::strtol(digits.c_str(), &end, 0);
  if (digits.empty() || end == nullptr || *end != '\0') return false;
  *value = parsed;
  return true;
}

}  // namespace

bool ClientState::Apply(std::string_view directive) {
  std::string_view rest;
  const std::string_view key = FirstWord(directive, &rest);
  if (key.empty() || key.front() == '#') return true;
  if (key == "protocol") {
    long n = 0;
    if (!ParseNumber(rest, &n)) return false;
    protocol_ = static_cast<int>(n);
  } else if (key == "me") {
    me_ = rest;
  } else if (key == "friends") {
    friends_ = SplitList(rest);
  } else if (key == "user") {
    std::string_view name;
    const std::string_view handle = FirstWord(rest, &name);
    if (handle.empty()) return false;
    names_[std::string(handle)] = name;
  } else if (key == "calls") {
    calls_ = SplitList(rest);
  } else if (key == "userstatus") {
    userStatus_ = rest;
  } else if (key == "connstatus") {
    connStatus_ = rest;
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
    long status = 0;
    if (!ParseNumber(rest, &status)) return false;
    attachStatus_ = status;
  } else {
    return false;
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

void ClientState::AllowPrefix(std::string_view prefix) {
  std::erase(refusedPrefixes_, std::string(prefix));
}

std::string ClientState::Users() const { return "USERS " + Join(friends_); }
std::string ClientState::Calls() const { return "CALLS " + Join(calls_); }

std::string ClientState::AnswerGetUser(std::string_view rest) const {
  std::string_view property;
  const std::string handle(FirstWord(rest, &property));
  const auto name = names_.find(handle);
  const std::string shown = name != names_.end() ? name->second : std::string();
  if (property == "DISPLAYNAME" || property == "FULLNAME") {
    return "USER " + handle + " " + std::string(property) + " " + shown;
  }
  if (property == "ONLINESTATUS") return "USER " + handle + " ONLINESTATUS ONLINE";
  return "ERROR 10 Invalid property";
}

// SET AUDIO_IN <device>, SET AUDIO_OUT ..., SET RINGER ..., SET USERSTATUS ...
std::string ClientState::AnswerSet(std::string_view rest) {
  std::string_view value;
  const std::string what(FirstWord(rest, &value));
  if (what == "AUDIO_IN" || what == "AUDIO_OUT" || what == "RINGER") {
    devices_[what] = value;
    return what + " " + std::string(value);
  }
  if (what == "USERSTATUS") {
    userStatus_ = value;
    return "USERSTATUS " + userStatus_;
  }
  return "ERROR 2 Unknown command";
}

std::vector<std::string> ClientState::Answer(std::string_view line) {
  const std::string exact(line);
  const auto canned = replies_.equal_range(exact);
  if (canned.first != canned.second) {
    std::vector<std::string> lines;
    for (auto it = canned.first; it != canned.second; ++it) lines.push_back(it->second);
    return lines;
  }

  std::string_view rest;
  const std::string_view command = FirstWord(line, &rest);
  if (command == "PROTOCOL") {
    long asked = 0;
    if (!ParseNumber(rest, &asked)) asked = 1;
    return {"PROTOCOL " + std::to_string(std::min<long>(asked, protocol_))};
  }
  if (command == "PING") return {"PONG"};
  if (command == "FOCUS") return {"FOCUS"};
  if (command == "NAME") return {"OK"};
  if (command == "SET") return {AnswerSet(rest)};
  if (command == "SEARCH") {
    if (rest == "FRIENDS") return {Users()};
    if (rest == "CALLS") return {Calls()};
    return {"ERROR 2 Unknown command"};
  }
  if (command == "GET") {
    std::string_view what_rest;
    const std::string_view what = FirstWord(rest, &what_rest);
    if (what == "USERSTATUS") return {"USERSTATUS " + userStatus_};
    if (what == "CONNSTATUS") return {"CONNSTATUS " + connStatus_};
    if (what == "CURRENTUSERHANDLE") return {"CURRENTUSERHANDLE " + me_};
    if (what == "AUDIO_IN" || what == "AUDIO_OUT" || what == "RINGER") {
      return {std::string(what) + " " + devices_[std::string(what)]};
    }
    if (what == "USER") return {AnswerGetUser(what_rest)};
  }
  return {"ERROR 2 Unknown command"};
}

}  // namespace simskype
