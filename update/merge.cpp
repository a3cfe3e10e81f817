// Merging update records.
//
// Inside a prefecture the shipped order is: cities, each followed by its
// wards, then districts, each followed by its towns and villages. A new record
// is placed by the first four bytes of its number only:
//   city (kind 4)   key = code + "00": before the first record that begins
//                   with it, which is the prefecture's first district, so the
//                   city ends the prefecture's cities;
//   any other kind  before the first record whose first four bytes are
//                   greater than the key (byte-wise, unsigned), or after the
//                   last record when there is none.
// Every search is a linear scan of the records in use; each staged record
// costs at most two scans and one move of the tail.
#include "update/merge.h"

#include <cstring>

namespace orvetta {

namespace {

PlacementKey placementKey(const PlaceRecord& record) {
    PlacementKey key;
    std::memcpy(key.bytes, record.number, sizeof key.bytes);
    if (record.kind == kKindCity) key.bytes[2] = key.bytes[3] = '0';
    return key;
}

// Compares the key with the start of a number over four bytes, or up to and
// including the key's NUL when the key is shorter.
int compareKey(const PlacementKey& key, const char* number) {
    for (size_t i = 0; i < sizeof key.bytes; ++i) {
        const unsigned char a = static_cast<unsigned char>(key.bytes[i]);
        const unsigned char b = static_cast<unsigned char>(number[i]);
        if (a != b) return a < b ? -1 : 1;
        if (a == 0) break;
    }
    return 0;
}

// Index of the first record in use that matches, or -1.
template <typename Match>
int findRecord(const PlaceRecord* records, int count, Match match) {
    for (int i = 0; i < count; ++i)
        if (match(records[i])) return i;
    return -1;
}

void insertRecord(PlaceRecord* records, AreaRow* areaTable, PrefectureRow* prefectureTable, const PlaceRecord& record,
                  const PlacementKey& key, int index) {
    shiftRecordsUp(areaTable, records, index);
    growRegionRanges(areaTable, prefectureTable, key);
    records[index] = record;
}

}  // namespace

void shiftRecordsUp(const AreaRow* areaTable, PlaceRecord* records, int index) {
    const int last = areaTable[0].last;
    if (index > last) return;
    std::memmove(&records[index + 1], &records[index], static_cast<size_t>(last - index + 1) * sizeof(PlaceRecord));
}

void growRegionRanges(AreaRow* areaTable, PrefectureRow* prefectureTable, const PlacementKey& key) {
    ++areaTable[0].last;
    ++prefectureTable[0].last;

    int row = 1;
    while (row <= kLastPrefectureRow &&
           !(prefectureTable[row].code[0] == key.bytes[0] && prefectureTable[row].code[1] == key.bytes[1] &&
             key.bytes[1] != '\0' && prefectureTable[row].code[2] == '\0'))
        ++row;
    if (row > kLastPrefectureRow) return;

    ++prefectureTable[row].last;
    for (int later = row + 1; later <= kLastPrefectureRow; ++later) {
        ++prefectureTable[later].first;
        ++prefectureTable[later].last;
    }
    spanAreaRows(prefectureTable, areaTable);
}

int mergeUpdates(PlaceRecord* records, AreaRow* areaTable, PrefectureRow* prefectureTable, const PlaceRecord* staging,
                 int stagedCount) {
    for (int s = 0; s < stagedCount; ++s) {
        const PlaceRecord& record = staging[s];
        const int count = areaTable[0].last + 1;

        const int same =
            findRecord(records, count, [&](const PlaceRecord& r) { return sameNumber(r.number, record.number); });
        if (same >= 0) {
            records[same] = record;
            continue;
        }

        const PlacementKey key = placementKey(record);
        if (record.kind == kKindCity) {
            // No record begins with code + "00": the city has no place and is
            // not added. Only a prefecture without districts gets here.
            const int at =
                findRecord(records, count, [&](const PlaceRecord& r) { return compareKey(key, r.number) == 0; });
            if (at >= 0) insertRecord(records, areaTable, prefectureTable, record, key, at);
        } else {
            const int at =
                findRecord(records, count, [&](const PlaceRecord& r) { return compareKey(key, r.number) < 0; });
            insertRecord(records, areaTable, prefectureTable, record, key, at >= 0 ? at : count);
        }
    }
    return 1;
}

}  // namespace orvetta
