#pragma once
// Code-point level helpers for the library's two text forms: UTF-8 (the form
// of Skype commands) and UTF-16 (the form the Windows code-page functions
// speak). Malformed input never stops a conversion: each offending unit
// becomes U+FFFD, so the text stays visibly damaged rather than cut short.
#include <string>
#include <string_view>

namespace tolvane::fontlib {

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

std::u32string DecodeUtf8(std::string_view text);
std::u32string DecodeUtf16(std::u16string_view text);

// Appends one code point; surrogates and values above U+10FFFF are written as
// U+FFFD.
void AppendUtf8(char32_t codePoint, std::string& out);
void AppendUtf16(char32_t codePoint, std::u16string& out);

}  // namespace tolvane::fontlib
