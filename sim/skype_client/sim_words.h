#pragma once
// Word-level helpers for the simulated client's line handling: the client's
// commands and the scenario and control directives are all blank-separated
// words, and lists are comma-separated.
#include <string>
#include <string_view>
#include <vector>

namespace simskype {

std::string_view Trim(std::string_view text);
// Splits off the first blank-delimited word; `rest` is what follows it, with
// any run of blanks skipped (the program pads call ids to five places).
std::string_view FirstWord(std::string_view text, std::string_view* rest);
// "a, b ,c" -> {"a", "b", "c"}; another separator may be given.
std::vector<std::string> SplitList(std::string_view text, char separator = ',');
std::string Join(const std::vector<std::string>& items);
// Decimal or 0x hexadecimal, the whole text; false leaves *value alone.
bool ParseNumber(std::string_view text, long* value);

}  // namespace simskype
