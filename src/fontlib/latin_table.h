#pragma once
// The layout of the table of Latin spellings that tools/latin_table generates
// from ICU at build time (latin_table.cpp in the build folder). Every code
// point has a spelling id; the ids of the code points are kept in blocks of
// kBlockSize, identical blocks stored once, so the long runs of unassigned
// and private-use code points cost one block between them:
//
//   block  = kBlockOfCodePoints[c >> kBlockBits]
//   id     = kSpellingIds[block * kBlockSize + (c & (kBlockSize - 1))]
//   text   = kSpellingPool[kSpellingStarts[id] .. kSpellingStarts[id + 1])
//
// The ids from kFirstSyllableId on are the spellings of Chinese characters,
// which are written one capitalised syllable each, apart from each other.
// Plain declarations: the generator includes this header too.
#include <cstdint>

namespace tolvane::fontlib::latin_table {

inline constexpr unsigned kBlockBits = 6;
inline constexpr std::uint32_t kBlockSize = 1u << kBlockBits;
inline constexpr std::uint32_t kCodePointLimit = 0x110000;
inline constexpr std::uint32_t kBlockCount = kCodePointLimit >> kBlockBits;

extern const std::uint16_t kBlockOfCodePoints[kBlockCount];
extern const std::uint16_t kSpellingIds[];
extern const std::uint32_t kSpellingStarts[];
extern const char kSpellingPool[];
extern const std::uint16_t kFirstSyllableId;

}  // namespace tolvane::fontlib::latin_table
