#pragma once
// The Latin spelling of one character, as the handset's table holds it:
// ICU's "Any-Latin; Latin-ASCII" transliteration of the character alone,
// with these rules on top, so that a name reads naturally on an ASCII
// display:
//   - a spelling with anything but printable ASCII (0x20-0x7E) means ICU
//     has none: the character shows as "?", unless it only modifies its
//     neighbours (a combining mark, a variation selector, a modifier letter
//     such as the kana prolonged sound mark, a format character such as a
//     joiner or a direction mark), which is dropped;
//   - the half rings with which ICU writes the Arabic and Hebrew ayin and
//     hamza (U+02BF, U+02BE) are written as an apostrophe, as names are
//     ("'Ali");
//   - unassigned, private-use and surrogate code points are "?" without
//     asking ICU, which would hand them back unchanged;
//   - a small kana alone comes back from ICU as "~yo", "~tsu": the mark of
//     its smallness is dropped ("yo", "tsu");
//   - a Chinese character's Mandarin syllable is capitalised ("wang" ->
//     "Wang") and marked as a syllable: the display library puts a space
//     between two syllables in a row, as names are written in Latin letters.
// Shared by the table's generator and the test that checks the table against
// ICU; needs ICU's headers and libraries, so it is never part of the product.
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace icu_spelling {

struct Spelling {
  std::string text;
  bool syllable = false;

  bool operator==(const Spelling&) const = default;
};

inline constexpr const char* kTransliteratorId = "Any-Latin; Latin-ASCII";

class LatinSpeller {
 public:
  LatinSpeller() {
    UErrorCode status = U_ZERO_ERROR;
    transliterator_.reset(icu::Transliterator::createInstance(kTransliteratorId, UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !transliterator_) {
      throw std::runtime_error(std::string("ICU has no transliterator ") + kTransliteratorId + ": " +
                               u_errorName(status));
    }
  }

  // What ICU makes of the character alone, as UTF-8; nothing more.
  std::string Transliterate(UChar32 c) const {
    icu::UnicodeString text(c);
    transliterator_->transliterate(text);
    std::string utf8;
    text.toUTF8String(utf8);
    return utf8;
  }

  Spelling Of(UChar32 c) const {
    if (U_IS_SURROGATE(c) || u_charType(c) == U_UNASSIGNED || u_charType(c) == U_PRIVATE_USE_CHAR) return {"?"};
    std::string text = ApostrophesForHalfRings(Transliterate(c));
    if (!IsPrintableAscii(text)) return {OnlyModifiesNeighbours(c) ? "" : "?"};
    UErrorCode status = U_ZERO_ERROR;
    const UScriptCode script = uscript_getScript(c, &status);
    if ((script == USCRIPT_HIRAGANA || script == USCRIPT_KATAKANA) && text.size() > 1 && text[0] == '~') {
      text.erase(0, 1);
    }
    if (script == USCRIPT_HAN && IsLetters(text)) {
      if (text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
      return {text, true};
    }
    return {text};
  }

 private:
  static std::string ApostrophesForHalfRings(std::string text) {
    for (const char* ring : {"\u02BE", "\u02BF"}) {
      for (std::size_t at = text.find(ring); at != std::string::npos; at = text.find(ring, at + 1)) {
        text.replace(at, std::string(ring).size(), "'");
      }
    }
    return text;
  }

  static bool IsPrintableAscii(const std::string& text) {
    for (const char ch : text) {
      if (ch < 0x20 || ch > 0x7E) return false;
    }
    return true;
  }

  static bool IsLetters(const std::string& text) {
    if (text.empty()) return false;
    for (const char ch : text) {
      if (!((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'))) return false;
    }
    return true;
  }

  static bool OnlyModifiesNeighbours(UChar32 c) {
    switch (u_charType(c)) {
      case U_NON_SPACING_MARK:
      case U_ENCLOSING_MARK:
      case U_COMBINING_SPACING_MARK:
      case U_MODIFIER_LETTER:
      case U_FORMAT_CHAR:
        return true;
      default:
        return u_hasBinaryProperty(c, UCHAR_DEFAULT_IGNORABLE_CODE_POINT) != 0;
    }
  }

  std::unique_ptr<icu::Transliterator> transliterator_;
};

}  // namespace icu_spelling
