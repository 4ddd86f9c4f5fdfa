#include "protocol/line_tokens.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace tolvane {
namespace {

// ---- fixed token forms -----------------------------------------------------

TEST(LineTokenizerTest, StartsEmpty) {
  const LineTokenizer tokens;
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(tokens.Token(n), "") << n;
}

TEST(LineTokenizerTest, ReadsFourWords) {
  LineTokenizer tokens;
  EXPECT_EQ(tokens.ReadTokens("CALL 12 STATUS RINGING", 4), 4);
  EXPECT_EQ(tokens.First(), "CALL");
  EXPECT_EQ(tokens.Second(), "12");
  EXPECT_EQ(tokens.Third(), "STATUS");
  EXPECT_EQ(tokens.Fourth(), "RINGING");
}

TEST(LineTokenizerTest, AnyWhiteSpaceSeparatesWords) {
  LineTokenizer tokens;
  EXPECT_EQ(tokens.ReadTokens("  USER\tbob   ONLINESTATUS \r\nAWAY  ", 4), 4);
  EXPECT_EQ(tokens.First(), "USER");
  EXPECT_EQ(tokens.Second(), "bob");
  EXPECT_EQ(tokens.Third(), "ONLINESTATUS");
  EXPECT_EQ(tokens.Fourth(), "AWAY");
}

TEST(LineTokenizerTest, WordsBeyondTheFormAreNotRead) {
  LineTokenizer tokens;
  EXPECT_EQ(tokens.ReadTokens("CALL 12 PARTNER_DISPNAME John Smith", 4), 4);
  EXPECT_EQ(tokens.Fourth(), "John");
  EXPECT_EQ(tokens.ReadTokens("PRIVILEGE SKYPEOUT TRUE EXTRA", 3), 3);
  EXPECT_EQ(tokens.Third(), "TRUE");
  EXPECT_EQ(tokens.Fourth(), "John");  // a three-token form leaves the fourth alone
}

TEST(LineTokenizerTest, TokensALineLacksKeepTheirEarlierValues) {
  LineTokenizer tokens;
  tokens.ReadTokens("CALL 12 STATUS RINGING", 4);
  EXPECT_EQ(tokens.ReadTokens("CONNSTATUS ONLINE", 2), 2);
  EXPECT_EQ(tokens.First(), "CONNSTATUS");
  EXPECT_EQ(tokens.Second(), "ONLINE");
  EXPECT_EQ(tokens.Third(), "STATUS");
  EXPECT_EQ(tokens.Fourth(), "RINGING");

  EXPECT_EQ(tokens.ReadTokens("MUTE ON", 4), 2);
  EXPECT_EQ(tokens.Second(), "ON");
  EXPECT_EQ(tokens.Third(), "STATUS");
  EXPECT_EQ(tokens.Fourth(), "RINGING");
}

TEST(LineTokenizerTest, FirstWordIsAlwaysTheLinesOwn) {
  LineTokenizer tokens;
  tokens.ReadTokens("CALL 12 STATUS RINGING", 4);
  EXPECT_EQ(tokens.ReadFirstWord("USERSTATUS ONLINE"), "USERSTATUS");
  EXPECT_EQ(tokens.Second(), "12");  // reading the first word touches nothing else

  // A blank line must not look like another CALL line.
  tokens.ReadTokens("CALL 12 STATUS RINGING", 4);
  EXPECT_EQ(tokens.ReadFirstWord("   "), "");
  EXPECT_EQ(tokens.ReadTokens("", 4), 0);
  EXPECT_EQ(tokens.First(), "");
  EXPECT_EQ(tokens.Second(), "12");
}

TEST(LineTokenizerTest, ClearThirdAndClear) {
  LineTokenizer tokens;
  tokens.ReadTokens("CALL 12 STATUS RINGING", 4);
  tokens.ClearThird();
  EXPECT_EQ(tokens.ReadTokens("CONTACTS FOCUSED", 3), 2);
  EXPECT_EQ(tokens.Third(), "");
  EXPECT_EQ(tokens.Fourth(), "RINGING");
  tokens.Clear();
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(tokens.Token(n), "") << n;
}

TEST(LineTokenizerTest, OutOfRangeCountsAndNumbers) {
  LineTokenizer tokens;
  tokens.ReadTokens("A B C D", 4);
  EXPECT_EQ(tokens.ReadTokens("E F G H", 0), 0);
  EXPECT_EQ(tokens.First(), "A");
  EXPECT_EQ(tokens.ReadTokens("E F G H I J", 9), 4);
  EXPECT_EQ(tokens.Fourth(), "H");
  EXPECT_EQ(tokens.Token(0), "");
  EXPECT_EQ(tokens.Token(5), "");
}

// ---- oversized tokens ------------------------------------------------------

struct BufferCase {
  int number;
  std::size_t size;
};

// The sizes the dispatcher's token buffers have always had.
constexpr BufferCase kBuffers[] = {{1, 255}, {2, 1020}, {3, 510}, {4, 255}};

// A line of four words where word `number` has `length` characters.
std::string LineWithWord(int number, std::size_t length) {
  std::string line;
  for (int n = 1; n <= 4; ++n) {
    if (n > 1) line += ' ';
    line += n == number ? std::string(length, 'x') : "w" + std::to_string(n);
  }
  return line;
}

TEST(LineTokenizerTest, OversizedTokensAreCutAtTheirBufferAndSpillNowhere) {
  for (const BufferCase& b : kBuffers) {
    for (std::size_t length : {b.size - 1, b.size, b.size + 1, b.size * 4}) {
      LineTokenizer tokens;
      EXPECT_EQ(tokens.ReadTokens(LineWithWord(b.number, length), 4), 4);
      const std::size_t kept = length < b.size ? length : b.size - 1;
      EXPECT_EQ(tokens.Token(b.number), std::string(kept, 'x')) << "token " << b.number << " length " << length;
      // The rest of the cut word is skipped, not taken as the next token.
      for (int n = 1; n <= 4; ++n) {
        if (n == b.number) continue;
        EXPECT_EQ(tokens.Token(n), "w" + std::to_string(n)) << "token " << n;
      }
    }
  }
}

// ---- rest-of-line values ---------------------------------------------------

struct JoinCase {
  const char* line;
  int fromWord;
  const char* value;
};

TEST(JoinRestOfLineTest, WordsJoinedByOneBlankWithOneTrailingBlank) {
  constexpr JoinCase kCases[] = {
      {"USER bob FULLNAME John  Smith", 4, "John Smith "},
      {"USER bob FULLNAME John", 4, "John "},
      {"USER bob FULLNAME", 4, ""},
      {"USER bob FULLNAME   ", 4, ""},
      {"CALL 12 PARTNER_DISPNAME   Anna   Maria  Berg   ", 4, "Anna Maria Berg "},
      {"  USER bob DISPLAYNAME Bobby", 4, "Bobby "},
      {"AUDIO_IN USB Audio Device", 2, "USB Audio Device "},
      {"AUDIO_OUT", 2, ""},
      {"USER bob FULLNAME a\tb", 4, "a\tb "},  // only blanks separate here
      {"A B", 1, "A B "},
  };
  for (const JoinCase& c : kCases) {
    EXPECT_EQ(JoinRestOfLine(c.line, c.fromWord), c.value) << '"' << c.line << "\" from " << c.fromWord;
  }
}

TEST(JoinRestOfLineTest, ValueIsCutAtItsBuffer) {
  const std::size_t max = 254;
  // Word and trailing blank fill the buffer exactly.
  const std::string fits(max - 1, 'n');
  EXPECT_EQ(JoinRestOfLine("AUDIO_IN " + fits, 2), fits + " ");
  // One more character and the trailing blank is what is cut.
  const std::string full(max, 'n');
  EXPECT_EQ(JoinRestOfLine("AUDIO_IN " + full, 2), full);
  const std::string huge(3000, 'n');
  EXPECT_EQ(JoinRestOfLine("USER bob FULLNAME " + huge + " more words", 4), std::string(max, 'n'));
  // Many short words.
  std::string many = "USER bob FULLNAME";
  for (int i = 0; i < 200; ++i) many += " ab";
  const std::string joined = JoinRestOfLine(many, 4);
  EXPECT_EQ(joined.size(), max);
  EXPECT_EQ(joined.substr(0, 6), "ab ab ");
}

// ---- CALLS list ------------------------------------------------------------

struct CallListCase {
  const char* line;
  std::vector<int> ids;
};

TEST(ParseCallListTest, IdsInOrder) {
  const CallListCase kCases[] = {
      {"CALLS", {}},
      {"CALLS ", {}},
      {"CALLS 7", {7}},
      {"CALLS 12, 34, 56", {12, 34, 56}},
      {"CALLS 12,34,56", {12, 34, 56}},
      {"CALLS 12 ,  34,,56 ,", {12, 34, 56}},
      {"CALLS 12, 34x", {12, 34}},
      {"CALLS 12, 34, ", {12, 34}},
      {"CALLS 12, abc", {12, 0}},
  };
  for (const CallListCase& c : kCases) EXPECT_EQ(ParseCallList(c.line), c.ids) << '"' << c.line << '"';
}

TEST(ParseCallListTest, ManyIds) {
  std::string line = "CALLS";
  std::vector<int> expected;
  for (int id = 1000; id < 1300; ++id) {
    line += (id == 1000 ? " " : ", ") + std::to_string(id);
    expected.push_back(id);
  }
  EXPECT_EQ(ParseCallList(line), expected);
}

// ---- PROTOCOL --------------------------------------------------------------

TEST(ParseProtocolVersionTest, SecondWordOrNothing) {
  EXPECT_EQ(ParseProtocolVersion("PROTOCOL 5"), 5u);
  EXPECT_EQ(ParseProtocolVersion("PROTOCOL   2"), 2u);
  EXPECT_EQ(ParseProtocolVersion("PROTOCOL 8 extra"), 8u);
  EXPECT_EQ(ParseProtocolVersion("PROTOCOL x"), 0u);
  EXPECT_EQ(ParseProtocolVersion("PROTOCOL -3"), 0u);
  EXPECT_EQ(ParseProtocolVersion("PROTOCOL"), std::nullopt);
  EXPECT_EQ(ParseProtocolVersion("PROTOCOL   "), std::nullopt);
}

// ---- integers --------------------------------------------------------------

struct IntCase {
  const char* text;
  long long value;
};

TEST(ToIntTest, LeadingDigitsOrZero) {
  const IntCase kCases[] = {
      {"42", 42},           {"  42", 42},          {"-7", -7},
      {"+7", 7},            {"12abc", 12},         {"abc", 0},
      {"", 0},              {"-", 0},              {"0042", 42},
      {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"99999999999999999999", INT_MAX},
      {"-2147483648", INT_MIN}, {"-2147483649", INT_MIN},
  };
  for (const IntCase& c : kCases) EXPECT_EQ(ToInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(ToLongTest, TimestampsAndLimits) {
  EXPECT_EQ(ToLong("1234567890"), 1234567890L);
  EXPECT_EQ(ToLong("-15"), -15L);
  EXPECT_EQ(ToLong("x"), 0L);
  EXPECT_EQ(ToLong("999999999999999999999999"), LONG_MAX);
  EXPECT_EQ(ToLong("-999999999999999999999999"), LONG_MIN);
}

}  // namespace
}  // namespace tolvane
