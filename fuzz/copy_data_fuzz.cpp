// A WM_COPYDATA block from a client that sends anything: the input is the
// block exactly as large as its stated size (so AddressSanitizer sees any
// read past it), copied out the way the main window copies a line, then cut
// into the dispatcher's tokens. The copy must stop at the first NUL or the
// block's end, and every token must fit its buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/bounded_text.h"
#include "protocol/line_tokens.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* block = reinterpret_cast<const char*>(data);
  const std::string text = tolvane::TextWithin(block, size);

  const void* nul = size != 0 ? std::memchr(block, '\0', size) : nullptr;
  const std::size_t expected = nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - block) : size;
  if (text.size() != expected || text.find('\0') != std::string::npos ||
      (expected != 0 && std::memcmp(text.data(), block, expected) != 0)) {
    std::abort();
  }

  tolvane::LineTokenizer tokens;
  const int count = tokens.ReadTokens(text, tolvane::LineTokenizer::kMaxTokens);
  if (count < 0 || count > tolvane::LineTokenizer::kMaxTokens ||
      tokens.First().size() >= tolvane::LineTokenizer::kFirstSize ||
      tokens.Second().size() >= tolvane::LineTokenizer::kSecondSize ||
      tokens.Third().size() >= tolvane::LineTokenizer::kThirdSize ||
      tokens.Fourth().size() >= tolvane::LineTokenizer::kFourthSize) {
    std::abort();
  }
  return 0;
}
