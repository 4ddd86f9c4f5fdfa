// The control commands of the simulated handset (the list is in README.md).
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "sim_handset.h"

namespace simhandset {

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// Decimal, 0x-hex or negative numbers; false for anything else.
bool Number(const std::string& word, long long& value) {
  if (word.empty()) return false;
  char* end = nullptr;
  value = std::strtoll(word.c_str(), &end, 0);
  return end != nullptr && *end == '\0';
}

bool Byte(const std::string& word, std::uint32_t& value) {
  long long number = 0;
  if (!Number(word, number) || number < 0 || number > 255) return false;
  value = static_cast<std::uint32_t>(number);
  return true;
}

// A key code or a key's name ("KEY_PAD_HOOK_UP").
bool KeyByte(const std::string& word, std::uint32_t& value) {
  const std::optional<std::uint8_t> code = KeyCode(word);
  if (!code) return false;
  value = *code;
  return true;
}

}  // namespace

std::string SimHandset::Execute(const std::string& command) {
  const std::vector<std::string> w = Words(command);
  if (w.empty()) return "error empty command";
  const std::string& verb = w[0];
  std::uint32_t key = 0;
  std::uint32_t sequence = 0;

  if (verb == "plug" || verb == "unplug") {
    if (w.size() > 2 || (w.size() == 2 && w[1] != "quiet")) return "error usage: " + verb + " [quiet]";
    return SetPlugged(verb == "plug", w.size() == 1);
  }
  if (verb == "startfail" && w.size() == 2 && (w[1] == "on" || w[1] == "off")) {
    std::lock_guard<std::mutex> hold(lock_);
    startFails_ = w[1] == "on";
    return "ok";
  }
  if (verb == "key" && w.size() == 2 && KeyByte(w[1], key)) return KeyReport(key, 0, true);
  if (verb == "again" && w.size() == 1) return Again();
  if (verb == "ident" && w.size() == 2 && (w[1] == "128" || w[1] == "129")) return KeyReport(std::stoul(w[1]), 0, true);
  if (verb == "volup" && w.size() == 1) return KeyReport(0, 1, false);
  if (verb == "voldown" && w.size() == 1) return KeyReport(0, 2, false);
  if (verb == "keyseq" && w.size() == 3 && KeyByte(w[1], key) && Byte(w[2], sequence)) {
    return Post((key << 8) | sequence, 0);
  }
  if (verb == "display" && w.size() <= 2) {
    key = 90;
    if (w.size() == 2 && !KeyByte(w[1], key)) return "error usage: display [key]";
    return DisplayRequest(key);
  }
  if (verb == "screen" && w.size() == 1) {
    std::lock_guard<std::mutex> hold(lock_);
    return "ok " + display_.Screen().Describe();
  }
  if (verb == "lamps" && w.size() == 1) {
    std::lock_guard<std::mutex> hold(lock_);
    return "ok " + indicators_.Describe();
  }
  if (verb == "autodisplay" && w.size() == 2 && (w[1] == "on" || w[1] == "off")) {
    std::lock_guard<std::mutex> hold(lock_);
    autoDisplay_ = w[1] == "on";
    return "ok";
  }
  if (verb == "window" && w.size() == 2 && (w[1] == "show" || w[1] == "hide")) {
    return SetWindowShown(w[1] == "show");
  }
  long long wParam = 0;
  long long lParam = 0;
  if (verb == "raw" && w.size() == 3 && Number(w[1], wParam) && Number(w[2], lParam)) {
    return Post(static_cast<std::uint32_t>(wParam), static_cast<LPARAM>(lParam));
  }
  if (verb == "reset" && w.size() == 1) {
    std::lock_guard<std::mutex> hold(lock_);
    keys_.Reset();
    displaySequence_ = 0;
    return "ok";
  }
  if (verb == "mark") {
    transcript_.Write(command);
    return "ok";
  }
  if (verb == "status" && w.size() == 1) {
    std::lock_guard<std::mutex> hold(lock_);
    return "ok plugged=" + std::to_string(plugged_ ? 1 : 0) + " opened=" + std::to_string(opened_ ? 1 : 0) +
           " started=" + std::to_string(window_ != nullptr ? 1 : 0) + " next=" + std::to_string(keys_.Next());
  }
  return "error unknown or malformed command: " + command;
}

}  // namespace simhandset
