// The simulated handset's side of the wire: the screens it decodes from the
// display characters, its lamps from the codes, and the sequence numbers and
// key names of the reports it sends.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "display_decoder.h"
#include "handset_indicators.h"
#include "handset_keys.h"

namespace simhandset {
namespace {

using Chars = std::vector<std::pair<int, int>>;

// A field's text as the program streams it: parameter 0 for the first
// character, then 5, 0, 5, ...
Chars Stream(const std::string& text) {
  Chars chars;
  int parameter = 0;
  for (char c : text) {
    chars.emplace_back(static_cast<unsigned char>(c), parameter);
    parameter = parameter == 0 ? 5 : 0;
  }
  return chars;
}

Chars operator+(Chars a, const Chars& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Feeds the characters; returns the description of every screen ended, then
// of what is shown at the end.
std::vector<std::string> Decode(DisplayDecoder& display, const Chars& chars) {
  std::vector<std::string> seen;
  for (const auto& [code, parameter] : chars) {
    if (display.Feed(code, parameter)) seen.push_back(display.Screen().Describe());
  }
  seen.push_back(display.Screen().Describe());
  return seen;
}

TEST(DisplayDecoderTest, ScreensAsTheProgramStreamsThem) {
  const Chars begin = {{0, 79}};
  const Chars end = {{26, 10}};
  struct Case {
    const char* what;
    Chars chars;
    std::vector<std::string> expected;  // the ended screens, then what is shown
  };
  const std::vector<Case> cases = {
      {"rendered caller (mark, then the name field)",
       begin + Chars{{106, 10}, {112, 10}} + Stream("Alice") + end,
       {"mark=106 name=\"Alice\"", "mark=106 name=\"Alice\""}},
      // Letters whose codes are also control codes ('j' 106, 'p' 112) are
      // characters when they come with a character's parameter.
      {"handle made of control-code letters",
       begin + Chars{{106, 10}, {112, 10}} + Stream("jpj") + end,
       {"mark=106 name=\"jpj\"", "mark=106 name=\"jpj\""}},
      {"history entry: mark, duration, time, name",
       Chars{{109, 10}, {129, 10}} + Stream("0:12") + Chars{{128, 10}} + Stream("10:30") + Chars{{112, 10}} +
           Stream("bob") + end,
       {"mark=109 duration=\"0:12\" time=\"10:30\" name=\"bob\"",
        "mark=109 duration=\"0:12\" time=\"10:30\" name=\"bob\""}},
      {"finished call's duration", begin + Chars{{131, 10}} + Stream("1:05") + end,
       {"call-duration=\"1:05\"", "call-duration=\"1:05\""}},
      {"stopped while streaming: half a name, still ended", begin + Chars{{112, 10}} + Stream("Ali") + end,
       {"name=\"Ali\"", "name=\"Ali\""}},
      {"begun and ended with nothing drawn", begin + end, {"(blank)", "(blank)"}},
      {"a screen being drawn is shown as far as it goes", begin + Chars{{107, 10}, {112, 10}} + Stream("Bo"),
       {"mark=107 name=\"Bo\""}},
      // Browsing: each entry follows the last one's end without (0, 79).
      {"browse entries replace each other",
       begin + Chars{{106, 10}, {112, 10}} + Stream("ann") + end + Chars{{107, 10}, {112, 10}} + Stream("ben") + end,
       {"mark=106 name=\"ann\"", "mark=107 name=\"ben\"", "mark=107 name=\"ben\""}},
      {"a new begin clears a screen half drawn", begin + Chars{{112, 10}} + Stream("xy") + begin + Chars{{112, 10}},
       {"name=\"\""}},
      {"characters before any field", Stream("hi") + end, {"text=\"hi\"", "text=\"hi\""}},
      {"parameters out of step are counted",
       begin + Chars{{112, 10}, {'a', 0}, {'b', 0}, {'c', 0}, {'d', 5}} + end,
       {"name=\"abcd\" faults=2", "name=\"abcd\" faults=2"}},
  };
  for (const Case& c : cases) {
    DisplayDecoder display;
    EXPECT_EQ(Decode(display, c.chars), c.expected) << c.what;
  }
}

TEST(HandsetIndicatorsTest, LampsFollowTheCodesOfACall) {
  HandsetIndicators lamps;
  const std::vector<std::pair<std::uint8_t, std::string>> steps = {
      {40, "ring=0 call=idle mute=0 tone=1 prompt=0 status=- ack=- refused=-"},
      {115, "ring=0 call=idle mute=0 tone=1 prompt=0 status=ONLINE ack=- refused=-"},
      {158, "ring=1 call=idle mute=0 tone=1 prompt=0 status=ONLINE ack=- refused=-"},
      {0x52, "ring=1 call=idle mute=0 tone=1 prompt=0 status=ONLINE ack=2 refused=-"},
      {31, "ring=0 call=active mute=0 tone=1 prompt=0 status=ONLINE ack=2 refused=-"},
      {47, "ring=0 call=active mute=1 tone=1 prompt=0 status=ONLINE ack=2 refused=-"},
      {35, "ring=0 call=hold mute=1 tone=1 prompt=0 status=ONLINE ack=2 refused=-"},
      {0x25, "ring=0 call=hold mute=1 tone=1 prompt=0 status=ONLINE ack=2 refused=5"},
      {32, "ring=0 call=idle mute=1 tone=1 prompt=0 status=ONLINE ack=2 refused=5"},
      {159, "ring=0 call=idle mute=1 tone=1 prompt=1 status=ONLINE ack=2 refused=5"},
      {152, "ring=0 call=dialling mute=1 tone=1 prompt=0 status=ONLINE ack=2 refused=5"},
      {118, "ring=0 call=dialling mute=1 tone=1 prompt=0 status=AWAY ack=2 refused=5"},
  };
  for (const auto& [code, expected] : steps) {
    lamps.Apply(code);
    EXPECT_EQ(lamps.Describe(), expected) << "after code " << int{code};
  }
}

TEST(HandsetKeysTest, SequenceNumbersCycleAndKeysAreFoundByNameOrNumber) {
  KeySequence sequence;
  std::vector<std::uint32_t> taken;
  for (int i = 0; i < 6; ++i) taken.push_back(sequence.Take());
  EXPECT_EQ(taken, (std::vector<std::uint32_t>{0, 1, 2, 3, 0, 1}));
  EXPECT_EQ(sequence.Last(), 1u);  // a report sent again repeats this number
  EXPECT_EQ(sequence.Next(), 2u);
  sequence.Reset();
  EXPECT_EQ(sequence.Take(), 0u);

  EXPECT_EQ(KeyCode("KEY_PAD_HOOK_UP"), 31);
  EXPECT_EQ(KeyCode("KEY_PAD_POUND"), 187);
  EXPECT_EQ(KeyCode("KEY_PAD_0"), 176);
  EXPECT_EQ(KeyCode("0xB5"), 181);
  EXPECT_EQ(KeyCode("128"), 128);
  EXPECT_EQ(KeyCode("256"), std::nullopt);
  EXPECT_EQ(KeyCode("KEY_PAD_HOOK"), std::nullopt);
  EXPECT_EQ(KeyCode(""), std::nullopt);
  // Every named key is found by its name; no code is listed twice.
  std::vector<int> codes;
  for (const HandsetKey& key : AllKeys()) {
    if (!key.name.empty()) {
      EXPECT_EQ(KeyCode(key.name), key.code) << key.name;
    }
    codes.push_back(key.code);
  }
  std::sort(codes.begin(), codes.end());
  EXPECT_EQ(std::adjacent_find(codes.begin(), codes.end()), codes.end());
}

}  // namespace
}  // namespace simhandset
