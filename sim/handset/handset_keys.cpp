#include "handset_keys.h"

#include <array>
#include <cstdlib>
#include <string>

namespace simhandset {
namespace {

constexpr std::array<HandsetKey, 46> kKeys = {{
    {31, "KEY_PAD_HOOK_UP", "Off hook"},
    {32, "KEY_PAD_HOOK_DOWN", "On hook"},
    {49, "KEY_PAD_SEND", "Send"},
    {64, "KEY_PAD_CLEAR", "Clear"},
    {35, "KEY_PAD_ONHOLD", "Hold"},
    {65, "", "Back"},
    {177, "KEY_PAD_1", "1"},
    {178, "KEY_PAD_2", "2"},
    {179, "KEY_PAD_3", "3"},
    {180, "KEY_PAD_4", "4"},
    {181, "KEY_PAD_5", "5"},
    {182, "KEY_PAD_6", "6"},
    {183, "KEY_PAD_7", "7"},
    {184, "KEY_PAD_8", "8"},
    {185, "KEY_PAD_9", "9"},
    {186, "KEY_PAD_STAR", "*"},
    {176, "KEY_PAD_0", "0"},
    {187, "KEY_PAD_POUND", "#"},
    {188, "KEY_PAD_UP", "Up"},
    {189, "KEY_PAD_DOWN", "Down"},
    {190, "KEY_PAD_PLUS(+)", "+"},
    {191, "KEY_PAD_RIGHT", "Skype"},
    {96, "", "Contacts"},
    {110, "", "History"},
    {97, "", "Prev"},
    {98, "", "Next"},
    {108, "", "Show"},
    {111, "", "Leave"},
    {106, "", "Online/In"},
    {107, "", "All/Out"},
    {109, "", "Missed"},
    {43, "", "Balance"},
    {33, "", "My status"},
    {83, "FOCUS", "Focus"},
    {114, "KEY_PAD_DO_NOT_DISTURB", "DND"},
    {115, "KEY_PAD_ONLINE", "Online"},
    {116, "KEY_PAD_OFFLINE", "Offline"},
    {117, "KEY_PAD_SKYPEME", "SkypeMe"},
    {118, "KEY_PAD_AWAY", "Away"},
    {119, "KEY_PAD_NA", "N/A"},
    {120, "KEY_PAD_INVISIBLE", "Invisible"},
    {121, "KEY_PAD_SKYPEOUT", "SkypeOut"},
    {46, "", "Mute off"},
    {47, "", "Mute on"},
    {84, "KEY_PAD_CLOSE_SKYPE", "Close Skype"},
    {26, "", "Stop"},
}};

}  // namespace

std::span<const HandsetKey> AllKeys() { return kKeys; }

std::optional<std::uint8_t> KeyCode(std::string_view word) {
  if (word.empty()) return std::nullopt;
  for (const HandsetKey& key : kKeys) {
    if (!key.name.empty() && key.name == word) return key.code;
  }
  const std::string text(word);
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 0);
  if (end == text.c_str() || *end != '\0' || value < 0 || value > 255) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

std::uint32_t KeySequence::Take() {
  last_ = next_;
  next_ = (next_ + 1) % 4;
  return last_;
}

}  // namespace simhandset
