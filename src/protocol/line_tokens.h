#pragma once
// How an incoming line from the Skype client is cut into tokens.
//
// The dispatcher keeps one LineTokenizer for its whole run. Its four token
// buffers are cleared only when it is created (and on request): a token that
// a line lacks keeps the value an earlier line left there. ReadTokens says
// how many words the line really had, for a caller that must tell the two
// apart. Every copy into a buffer is bounded by it; an oversized token is cut
// and the rest of that word skipped, so it never spills into the next token.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

class LineTokenizer {
 public:
  static constexpr std::size_t kFirstSize = 255;
  static constexpr std::size_t kSecondSize = 1020;
  static constexpr std::size_t kThirdSize = 510;
  static constexpr std::size_t kFourthSize = 255;
  static constexpr int kMaxTokens = 4;

  LineTokenizer() { Clear(); }

  // Empties all four buffers.
  void Clear();
  // Empties the third buffer alone, before a line whose third token must
  // not be taken from an earlier line.
  void ClearThird();

  // Reads the line's first word into the first buffer. A line without any
  // word leaves the first buffer empty rather than keeping the previous line's
  // word, so a blank line can never be handled as a copy of the line before.
  std::string_view ReadFirstWord(std::string_view line);

  // Reads the first `count` (1-4) blank-separated words of the line into
  // buffers 1..count. The first buffer always takes the line's own first word
  // (empty for a blank line); buffers 2-4 for words the line lacks keep their
  // values. Returns how many words the line had, at most `count`.
  int ReadTokens(std::string_view line, int count);

  std::string_view First() const { return Token(1); }
  std::string_view Second() const { return Token(2); }
  std::string_view Third() const { return Token(3); }
  std::string_view Fourth() const { return Token(4); }
  // Token 1-4; empty for any other number.
  std::string_view Token(int number) const;

 private:
  void Store(int number, std::string_view word);

  std::array<char, kFirstSize> first_;
  std::array<char, kSecondSize> second_;
  std::array<char, kThirdSize> third_;
  std::array<char, kFourthSize> fourth_;
};

// Joined rest-of-line values (display names, full names, device names) are
// held in 255-byte buffers.
inline constexpr std::size_t kJoinedValueSize = 255;

// The words of the line from word number `fromWord` on (words counted from 1,
// split at blanks, runs of blanks counting as one), each followed by one
// blank, cut to kJoinedValueSize - 1 characters. Empty when the line has fewer
// words.
std::string JoinRestOfLine(std::string_view line, int fromWord);

// The call ids of a CALLS reply ("CALLS 12, 34, 56"), in order. Commas and
// blanks both separate; the first field is the word CALLS itself.
std::vector<int> ParseCallList(std::string_view line);

// The number of a PROTOCOL reply ("PROTOCOL 5"); nothing when the line has no
// second word, so the version already known is kept.
std::optional<unsigned> ParseProtocolVersion(std::string_view line);

// Decimal text to integer: leading white space skipped, an optional sign,
// then the leading digits; 0 when there are none. Values beyond the type's
// range are held at its limit.
int ToInt(std::string_view text);
long ToLong(std::string_view text);

}  // namespace tolvane
