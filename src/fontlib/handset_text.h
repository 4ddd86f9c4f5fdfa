#pragma once
// What the handset's display can show. It draws the printable ASCII
// characters 0x20-0x7E, the same characters the program streams for Skype
// handles; every other character of a screen text becomes one '?', so that a
// name in another script still shows where its letters are missing.
#include <string>
#include <string_view>

namespace tolvane::fontlib {

inline constexpr char kFirstShownCharacter = 0x20;
inline constexpr char kLastShownCharacter = 0x7E;
inline constexpr char kUnshownCharacter = '?';

// A UTF-8 text as the handset shows it: one byte per character, at most
// kMaxTextLength characters.
std::string ToHandsetText(std::string_view utf8);

// The SkypeOut balance, which the client reports in hundredths of the
// account's currency, as an amount with two decimals: 1234 -> "12.34",
// -5 -> "-0.05", 0 -> "0.00". The currency itself is not shown.
std::string FormatBalance(int hundredths);

}  // namespace tolvane::fontlib
