// dictinfo: loads the built-in dictionary and prints what it holds, by kind
// and by prefecture, as UTF-8 text.
#include <cstdio>
#include <cstring>
#include <string>

#include "dict/edition.h"
#include "dict/load.h"
#include "dict/place.h"
#include "text/sjis.h"

namespace {

std::string toUtf8(const char* sjisText) { return orvetta::utf8FromSjis(sjisText, std::strlen(sjisText)); }

}  // namespace

int main() {
    using namespace orvetta;
    PlaceList places;
    int result = loadDictionary(places);
    if (result != decodedDictionarySize()) {
        std::fprintf(stderr, "%s\n", toUtf8(result < 0 ? kMemoryErrorText : kInitErrorText).c_str());
        return 1;
    }
    std::printf("%d records, %zu-byte image, %d bytes decoded\n\n", places.count(), gEdition->imageSize, result);
    std::printf("code  prefecture    area  first  last  records  cities  wards  districts  towns  villages  old\n");
    int total[7] = {};
    for (int k = 1; k <= kLastPrefectureRow; ++k) {
        const PrefectureRow& row = places.prefectureTable[k];
        int count[9] = {}, old = 0;
        for (int i = row.first; i <= row.last; ++i) {
            ++count[places.records[i].kind - '0'];
            old += !isCurrentForLine(places.records[i].current);
        }
        const int columns[7] = {row.last - row.first + 1, count[4], count[6], count[5], count[7], count[8], old};
        std::string name = toUtf8(row.name);
        // Pad by display columns: every kanji is two columns wide.
        int width = 0;
        for (unsigned char c : name) width += (c & 0xC0) != 0x80 ? (c < 0x80 ? 1 : 2) : 0;
        std::printf("%-4s  %s%*s  %-4s  %5d  %4d", row.code, name.c_str(), 12 - width, "", row.area, row.first,
                    row.last);
        const int widths[7] = {9, 8, 7, 11, 7, 10, 5};
        for (int c = 0; c < 7; ++c) {
            std::printf("%*d", widths[c], columns[c]);
            total[c] += columns[c];
        }
        std::printf("\n");
    }
    std::printf("%-44s", "all");
    const int widths[7] = {9, 8, 7, 11, 7, 10, 5};
    for (int c = 0; c < 7; ++c) std::printf("%*d", widths[c], total[c]);
    std::printf("\n");
    releaseDictionary(places);
    return 0;
}
