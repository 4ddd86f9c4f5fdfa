#pragma once
// What the handset's display can show. It draws the printable ASCII
// characters 0x20-0x7E, the same characters the program streams for Skype
// handles, so every other character of a screen text is written in its Latin
// spelling ("Zoë" -> "Zoe", Cyrillic, Greek, kana, Hangul and the other
// alphabets by their usual romanisation, Chinese characters by their Mandarin
// syllables "Wang Xiao Ming"); one with no Latin spelling (an emoji, a symbol)
// becomes one '?', and one that only modifies its neighbours (a combining
// mark, a variation selector) is dropped.
#include <string>
#include <string_view>

namespace tolvane::fontlib {

inline constexpr char kFirstShownCharacter = 0x20;
inline constexpr char kLastShownCharacter = 0x7E;
inline constexpr char kUnshownCharacter = '?';

// A UTF-8 text as the handset shows it: at most kMaxTextLength characters,
// counted after the conversion, and never part of one character's spelling.
std::string ToHandsetText(std::string_view utf8);

// The SkypeOut balance, which the client reports in hundredths of the
// account's currency, as an amount with two decimals: 1234 -> "12.34",
// -5 -> "-0.05", 0 -> "0.00". The currency itself is not shown.
std::string FormatBalance(int hundredths);

}  // namespace tolvane::fontlib
