// Fixed label lists of the region tables. These never change with the place
// list, so they live here rather than in the generated tables.
#include <cstring>

#include "dict/place.h"

namespace orvetta {

const char* const kAreaChoiceLabels[kAreaRows] = {
    "\x82\xb7\x82\xd7\x82\xc4",  // すべて
    "\x82\x50",                  // １
    "\x82\x51",                  // ２
    "\x82\x52",                  // ３
    "\x82\x53",                  // ４
    "\x82\x54",                  // ５
    "\x82\x55",                  // ６
    "\x82\x56",                  // ７
    "\x82\x57",                  // ８
    "\x82\x58",                  // ９
    "\x82\x4f",                  // ０
};

const AreaCaption kAreaCaptions[kAreaCaptionCount] = {
    {"1", "\x82\x50\x83\x47\x83\x8a\x83\x41(\x8a\xd6\x93\x8c)", "Area 1 (Kanto)"},    // １エリア(関東)
    {"2", "\x82\x51\x83\x47\x83\x8a\x83\x41(\x93\x8c\x8a\x43)", "Area 2 (Tokai)"},    // ２エリア(東海)
    {"3", "\x82\x52\x83\x47\x83\x8a\x83\x41(\x8b\xdf\x8b\x45)", "Area 3 (Kinki)"},    // ３エリア(近畿)
    {"4", "\x82\x53\x83\x47\x83\x8a\x83\x41(\x92\x86\x8d\x91)", "Area 4 (Chugoku)"},  // ４エリア(中国)
    {"5", "\x82\x54\x83\x47\x83\x8a\x83\x41(\x8e\x6c\x8d\x91)", "Area 5 (Shikoku)"},  // ５エリア(四国)
    {"6", "\x82\x55\x83\x47\x83\x8a\x83\x41(\x8b\xe3\x8f\x42\x81\x45\x89\xab\x93\xea)",
     "Area 6 (Kyushu, Okinawa)"},                                                    // ６エリア(九州・沖縄)
    {"7", "\x82\x56\x83\x47\x83\x8a\x83\x41(\x93\x8c\x96\x6b)", "Area 7 (Tohoku)"},  // ７エリア(東北)
    {"8", "\x82\x57\x83\x47\x83\x8a\x83\x41(\x96\x6b\x8a\x43\x93\xb9)", "Area 8 (Hokkaido)"},  // ８エリア(北海道)
    {"9", "\x82\x58\x83\x47\x83\x8a\x83\x41(\x96\x6b\x97\xa4)", "Area 9 (Hokuriku)"},          // ９エリア(北陸)
    {"0", "\x82\x4f\x83\x47\x83\x8a\x83\x41(\x90\x4d\x89\x7a)", "Area 0 (Shin'etsu)"},         // ０エリア(信越)
};

// Area table row -> the consecutive prefecture rows it spans.
const AreaComposition kAreaComposition[kAreaRows] = {
    {1, 47},   // 0: all
    {10, 17},  // 1: call area 1
    {18, 21},  // 2
    {22, 27},  // 3
    {31, 35},  // 4
    {36, 39},  // 5
    {40, 47},  // 6
    {2, 7},    // 7
    {1, 1},    // 8
    {28, 30},  // 9
    {8, 9},    // 10: call area 0
};

void spanAreaRows(const PrefectureRow* prefectureTable, AreaRow* areaTable) {
    for (int a = 1; a < kAreaRows; ++a)
        areaTable[a] = {prefectureTable[kAreaComposition[a].firstPrefectureRow].first,
                        prefectureTable[kAreaComposition[a].lastPrefectureRow].last};
}

bool rebuildRegionRanges(const PlaceRecord* records, int count, AreaRow* areaTable, PrefectureRow* prefectureTable) {
    // Each prefecture is the run of records whose numbers begin with its code.
    int i = 0;
    for (int k = 1; k <= kLastPrefectureRow; ++k) {
        PrefectureRow& row = prefectureTable[k];
        row.first = i;
        while (i < count && std::strncmp(records[i].number, row.code, 2) == 0) ++i;
        row.last = i - 1;
    }
    prefectureTable[0].first = 0;
    prefectureTable[0].last = count - 1;
    prefectureTable[kClosingPrefectureRow].first = count;  // closes the table; covers nothing
    prefectureTable[kClosingPrefectureRow].last = count;
    areaTable[0] = {0, count - 1};
    spanAreaRows(prefectureTable, areaTable);
    return i == count;
}

}  // namespace orvetta
