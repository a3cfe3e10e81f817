// The folded texts of a place list, made once per state of the list so that
// a search folds only its query.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dict/place.h"

namespace orvetta {

// One text per record, back to back, each followed by a NUL.
struct FoldedColumn {
    std::vector<char> text;
    std::vector<uint32_t> start;   // count + 1 offsets into text
    uint32_t frequency[256] = {};  // how often each byte value occurs in text

    const char* at(int i) const { return text.data() + start[i]; }
    size_t length(int i) const { return start[i + 1] - start[i] - 1; }
};

// Bits of FoldedIndex::changed: the folded text differs from the stored one.
constexpr uint8_t kKanjiChanged = 1;
constexpr uint8_t kReadingChanged = 2;

struct FoldedIndex {
    const PlaceRecord* records = nullptr;  // the list it was built from
    int count = 0;
    FoldedColumn kanji;    // folded names
    FoldedColumn reading;  // folded readings
    FoldedColumn romaji;   // canonical romaji of the readings
    std::vector<uint8_t> changed;

    // Heap bytes the index holds.
    size_t bytes() const;
};

// Folds the names and readings of `count` records.
FoldedIndex buildFoldedIndex(const PlaceRecord* records, int count);

}  // namespace orvetta
