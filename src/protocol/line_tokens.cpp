#include "protocol/line_tokens.h"

#include <limits>

#include "common/bounded_text.h"

namespace tolvane {
namespace {

// Fixed token forms take words the way a "%s" scan does: any white space
// separates them.
constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";
// Rest-of-line values and the PROTOCOL reply are split at blanks only, so a
// tab inside a name stays part of it.
constexpr std::string_view kBlank = " ";
constexpr std::string_view kCallListDelimiters = ", ";

// The non-empty fields of the line between delimiters, at most maxFields.
std::vector<std::string_view> Split(std::string_view line, std::string_view delimiters,
                                    std::size_t maxFields = std::numeric_limits<std::size_t>::max()) {
  std::vector<std::string_view> fields;
  std::size_t pos = line.find_first_not_of(delimiters);
  while (pos != std::string_view::npos && fields.size() < maxFields) {
    const std::size_t end = line.find_first_of(delimiters, pos);
    fields.push_back(line.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
    pos = end == std::string_view::npos ? end : line.find_first_not_of(delimiters, end);
  }
  return fields;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The leading decimal number of the text, held within [low, high].
template <typename Int>
Int ParseLeading(std::string_view text) {
  constexpr Int kLow = std::numeric_limits<Int>::min();
  constexpr Int kHigh = std::numeric_limits<Int>::max();
  std::size_t i = 0;
  while (i < text.size() && kWhiteSpace.find(text[i]) != std::string_view::npos) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate towards the sign so that the most negative value is reachable.
  Int value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    const Int digit = static_cast<Int>(text[i] - '0');
    if (negative) {
      if (value < (kLow + digit) / 10) return kLow;
      value = static_cast<Int>(value * 10 - digit);
    } else {
      if (value > (kHigh - digit) / 10) return kHigh;
      value = static_cast<Int>(value * 10 + digit);
    }
  }
  return value;
}

}  // namespace

void LineTokenizer::Clear() {
  for (int number = 1; number <= kMaxTokens; ++number) Store(number, {});
}

void LineTokenizer::ClearThird() { Store(3, {}); }

std::string_view LineTokenizer::ReadFirstWord(std::string_view line) {
  ReadTokens(line, 1);
  return First();
}

int LineTokenizer::ReadTokens(std::string_view line, int count) {
  if (count < 1) return 0;
  if (count > kMaxTokens) count = kMaxTokens;
  const std::vector<std::string_view> words = Split(line, kWhiteSpace, static_cast<std::size_t>(count));
  Store(1, words.empty() ? std::string_view() : words[0]);
  for (std::size_t i = 1; i < words.size(); ++i) Store(static_cast<int>(i) + 1, words[i]);
  return static_cast<int>(words.size());
}

std::string_view LineTokenizer::Token(int number) const {
  switch (number) {
    case 1: return first_.data();
    case 2: return second_.data();
    case 3: return third_.data();
    case 4: return fourth_.data();
    default: return {};
  }
}

void LineTokenizer::Store(int number, std::string_view word) {
  switch (number) {
    case 1: CopyBounded(first_.data(), first_.size(), word); break;
    case 2: CopyBounded(second_.data(), second_.size(), word); break;
    case 3: CopyBounded(third_.data(), third_.size(), word); break;
    case 4: CopyBounded(fourth_.data(), fourth_.size(), word); break;
    default: break;
  }
}

std::string JoinRestOfLine(std::string_view line, int fromWord) {
  const std::vector<std::string_view> words = Split(line, kBlank);
  std::string value;
  for (std::size_t i = fromWord < 1 ? 0 : static_cast<std::size_t>(fromWord - 1); i < words.size(); ++i) {
    value.append(words[i]);
    value.push_back(' ');
    if (value.size() >= kJoinedValueSize - 1) break;
  }
  if (value.size() > kJoinedValueSize - 1) value.resize(kJoinedValueSize - 1);
  return value;
}

std::vector<int> ParseCallList(std::string_view line) {
  const std::vector<std::string_view> fields = Split(line, kCallListDelimiters);
  std::vector<int> ids;
  for (std::size_t i = 1; i < fields.size(); ++i) ids.push_back(ToInt(fields[i]));
  return ids;
}

std::optional<unsigned> ParseProtocolVersion(std::string_view line) {
  const std::vector<std::string_view> words = Split(line, kBlank, 2);
  if (words.size() < 2) return std::nullopt;
  // The version is unsigned; a negative number means nothing and reads as 0.
  const int number = ToInt(words[1]);
  return static_cast<unsigned>(number < 0 ? 0 : number);
}

int ToInt(std::string_view text) { return ParseLeading<int>(text); }

long ToLong(std::string_view text) { return ParseLeading<long>(text); }

}  // namespace tolvane
