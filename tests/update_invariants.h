// Checks of the record array and the region tables after an update, shared by
// the update tests and the update fuzz target.
#pragma once

#include <cstring>
#include <string>

#include "dict/edition.h"
#include "dict/place.h"

namespace orvetta::test {

inline bool fieldEnds(const char* field, size_t width) { return std::memchr(field, '\0', width) != nullptr; }

// Returns "" when every region invariant holds for `slots` record slots, else
// the first one broken: prefectures 1..47 adjoin from 0 to the last record in
// use and cover exactly the numbers with their code; row 0 of both tables
// covers everything; each call area is the union of its prefectures; codes,
// names, areas and row 48 are as shipped; every record in use is well formed
// and every slot behind them is still zero.
inline std::string checkRegionInvariants(const PlaceRecord* records, int slots, const AreaRow* areaTable,
                                         const PrefectureRow* prefectureTable) {
    const int last = areaTable[0].last;
    if (areaTable[0].first != 0 || last < 0 || last >= slots) return "area row 0 out of the array";
    if (prefectureTable[0].first != 0 || prefectureTable[0].last != last)
        return "prefecture row 0 differs from area row 0";
    for (int k = 0; k < kPrefectureRows; ++k) {
        const PrefectureRow& row = prefectureTable[k];
        const PrefectureRow& shipped = shippedPrefectureTable()[k];
        if (std::memcmp(row.code, shipped.code, sizeof row.code) ||
            std::memcmp(row.name, shipped.name, sizeof row.name) ||
            std::memcmp(row.area, shipped.area, sizeof row.area))
            return "prefecture row " + std::to_string(k) + " label changed";
    }
    const PrefectureRow& closing = prefectureTable[kClosingPrefectureRow];
    const PrefectureRow& closingShipped = shippedPrefectureTable()[kClosingPrefectureRow];
    if (closing.first != closingShipped.first || closing.last != closingShipped.last) return "prefecture row 48 moved";
    for (int k = 1; k <= kLastPrefectureRow; ++k) {
        const PrefectureRow& row = prefectureTable[k];
        const int expectedFirst = k == 1 ? 0 : prefectureTable[k - 1].last + 1;
        if (row.first != expectedFirst || row.last < row.first)
            return "prefecture row " + std::to_string(k) + " does not adjoin";
        for (int i = row.first; i <= row.last; ++i)
            if (std::strncmp(records[i].number, row.code, 2) != 0)
                return "record " + std::to_string(i) + " outside its prefecture " + std::to_string(k);
    }
    if (prefectureTable[kLastPrefectureRow].last != last) return "prefecture 47 does not end the records";
    for (int a = 1; a < kAreaRows; ++a) {
        if (areaTable[a].first != prefectureTable[kAreaComposition[a].firstPrefectureRow].first ||
            areaTable[a].last != prefectureTable[kAreaComposition[a].lastPrefectureRow].last)
            return "area row " + std::to_string(a) + " is not its prefectures";
    }
    for (int i = 0; i <= last; ++i) {
        const PlaceRecord& r = records[i];
        if (r.number[0] == '\0' || !fieldEnds(r.number, sizeof r.number) || !fieldEnds(r.kanji, sizeof r.kanji) ||
            !fieldEnds(r.reading, sizeof r.reading) || r.kind < kKindCity || r.kind > kKindVillage)
            return "record " + std::to_string(i) + " malformed";
    }
    static const PlaceRecord kEmpty{};
    for (int i = last + 1; i < slots; ++i)
        if (std::memcmp(&records[i], &kEmpty, sizeof kEmpty) != 0)
            return "spare slot " + std::to_string(i) + " written";
    return "";
}

}  // namespace orvetta::test
