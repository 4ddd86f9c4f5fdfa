#include "fontlib/unicode_text.h"

namespace tolvane::fontlib {
namespace {

bool IsScalarValue(char32_t c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the sequence a lead byte opens, with the smallest code point such a
// sequence may carry (anything below it is an overlong form).
struct LeadByte {
  std::size_t length;
  char32_t bits;
  char32_t minimum;
};

LeadByte ClassifyLead(unsigned char b) {
  if (b < 0x80) return {1, b, 0};
  if ((b & 0xE0) == 0xC0) return {2, b & 0x1Fu, 0x80};
  if ((b & 0xF0) == 0xE0) return {3, b & 0x0Fu, 0x800};
  if ((b & 0xF8) == 0xF0) return {4, b & 0x07u, 0x10000};
  return {0, 0, 0};
}

}  // namespace

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const LeadByte lead = ClassifyLead(static_cast<unsigned char>(text[i]));
    if (lead.length == 0) {
      out.push_back(kReplacementCharacter);
      ++i;
      continue;
    }
    char32_t c = lead.bits;
    std::size_t n = 1;
    while (n < lead.length && i + n < text.size() &&
           IsContinuation(static_cast<unsigned char>(text[i + n]))) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + n]) & 0x3Fu);
      ++n;
    }
    // A sequence cut short consumes only the bytes that belonged to it, so the
    // byte that interrupted it is decoded on its own.
    if (n < lead.length || c < lead.minimum || !IsScalarValue(c)) c = kReplacementCharacter;
    out.push_back(c);
    i += n;
  }
  return out;
}

std::u32string DecodeUtf16(std::u16string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      out.push_back(0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                    (static_cast<char32_t>(text[i + 1]) - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      out.push_back(kReplacementCharacter);
    } else {
      out.push_back(unit);
    }
  }
  return out;
}

void AppendUtf8(char32_t codePoint, std::string& out) {
  const char32_t c = IsScalarValue(codePoint) ? codePoint : kReplacementCharacter;
  auto put = [&out](char32_t byte) { out.push_back(static_cast<char>(byte)); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(char32_t codePoint, std::u16string& out) {
  const char32_t c = IsScalarValue(codePoint) ? codePoint : kReplacementCharacter;
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
  } else {
    out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
  }
}

}  // namespace tolvane::fontlib
