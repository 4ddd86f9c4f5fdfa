#include "sim_words.h"

#include <cstdlib>

namespace simskype {
namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view FirstWord(std::string_view text, std::string_view* rest) {
  text = Trim(text);
  const std::size_t blank = text.find_first_of(" \t");
  if (blank == std::string_view::npos) {
    *rest = {};
    return text;
  }
  *rest = Trim(text.substr(blank + 1));
  return text.substr(0, blank);
}

std::vector<std::string> SplitList(std::string_view text, char separator) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(separator, start);
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
  const std::string digits(Trim(text));
  char* end = nullptr;
  const long parsed = std::strtol(digits.c_str(), &end, 0);
  if (digits.empty() || end == nullptr || *end != '\0') return false;
  *value = parsed;
  return true;
}

}  // namespace simskype
