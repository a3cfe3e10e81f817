// The folding tables, generated at build time from search/variants.txt and
// search/romaji.tsv by scripts/make-fold-tables.py. Both are sorted by code.
#pragma once

#include <cstdint>

namespace orvetta {

// One Shift-JIS character and the bytes it compares as. The code is the
// byte, the two bytes of a double-byte character, or a half-width kana with
// its voiced or semi-voiced mark as base << 8 | mark.
struct FoldRow {
    uint16_t code;
    char folded[3];  // one or two bytes, NUL-terminated
};
extern const FoldRow kFoldRows[];
extern const int kFoldRowCount;

// One folded kana, or two (first << 16 | second), and its canonical romaji.
struct RomajiRow {
    uint32_t kana;
    char romaji[4];
};
extern const RomajiRow kRomajiRows[];
extern const int kRomajiRowCount;

}  // namespace orvetta
