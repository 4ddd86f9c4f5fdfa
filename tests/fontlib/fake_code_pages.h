#pragma once
// Local code pages with known contents for the conversion tests.
#include <string>

#include "fontlib/local_code_page.h"
#include "fontlib/unicode_text.h"

namespace tolvane::testing {

// Every byte is the code point of the same value (ISO 8859-1, which agrees
// with Windows-1252 on the letters used here); other characters become '?'.
class Latin1CodePage final : public fontlib::LocalCodePage {
 public:
  std::u16string Decode(std::string_view local) const override {
    std::u16string wide;
    for (const char c : local) wide.push_back(static_cast<unsigned char>(c));
    return wide;
  }
  std::string EncodeCharacter(std::u16string_view character) const override {
    const std::u32string c = fontlib::DecodeUtf16(character);
    if (c.size() != 1 || c[0] > 0xFF) return "?";
    return std::string(1, static_cast<char>(c[0]));
  }
};

// A double-byte code page in the manner of the East Asian ANSI code pages:
// ASCII is one byte; U+0080-U+7FFF are two bytes, a lead byte with the high
// bit set carrying the upper bits and a trail byte with the lower eight.
// Other characters become '?'.
class DoubleByteCodePage final : public fontlib::LocalCodePage {
 public:
  std::u16string Decode(std::string_view local) const override {
    std::u16string wide;
    for (std::size_t i = 0; i < local.size(); ++i) {
      const auto lead = static_cast<unsigned char>(local[i]);
      if (lead < 0x80 || i + 1 == local.size()) {
        wide.push_back(lead < 0x80 ? lead : u'?');
        continue;
      }
      const auto trail = static_cast<unsigned char>(local[++i]);
      wide.push_back(static_cast<char16_t>(((lead & 0x7F) << 8) | trail));
    }
    return wide;
  }
  std::string EncodeCharacter(std::u16string_view character) const override {
    const std::u32string c = fontlib::DecodeUtf16(character);
    if (c.size() != 1 || c[0] > 0x7FFF) return "?";
    if (c[0] < 0x80) return std::string(1, static_cast<char>(c[0]));
    return {static_cast<char>(0x80 | (c[0] >> 8)), static_cast<char>(c[0] & 0xFF)};
  }
};

}  // namespace tolvane::testing
