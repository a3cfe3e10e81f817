#include "search/engine.h"

#include <cstring>

#include "search/result_line.h"

namespace orvetta {

namespace {

// The search text, measured once per search.
struct Needle {
    const char* text;
    size_t length;
};

// The containment test on one field. The field's text ends at its NUL or its
// width. For two bytes and more the second byte is compared first: in
// Japanese text it is the trail byte, far rarer than a lead byte such as 0x82,
// which begins every hiragana.
inline bool contains(const char* field, size_t width, const Needle& needle) {
    const size_t n = needle.length;
    if (n == 0) return true;
    const size_t length = strnlen(field, width);
    if (length < n) return false;
    const char* t = needle.text;
    if (n == 1) return std::memchr(field, t[0], length) != nullptr;
    for (size_t i = 0; i + n <= length; ++i) {
        if (field[i + 1] != t[1] || field[i] != t[0]) continue;
        if (std::memcmp(field + i + 2, t + 2, n - 2) == 0) return true;
    }
    return false;
}

// Walks the range and appends the line of every record of the kinds
// kindLow..kindHigh whose compared field contains the text.
template <bool kReading>
int walkNames(const PlaceList& places, Scope scope, char kindLow, char kindHigh, const char* text, ResultList& results) {
    const Needle needle{text, std::strlen(text)};
    int count = 0;
    for (int i = scope.first; i <= scope.last; ++i) {
        const PlaceRecord& r = places.records[i];
        if (r.kind < kindLow || r.kind > kindHigh) continue;
        bool hit = kReading ? contains(r.reading, sizeof r.reading, needle)
                            : contains(r.kanji, sizeof r.kanji, needle);
        if (!hit) continue;
        results.append(resultLine(places, i));
        ++count;
    }
    return count;
}

}  // namespace

void copyCut(char* field, size_t size, const char* text) {
    const size_t n = text ? strnlen(text, size - 1) : 0;
    if (n) std::memcpy(field, text, n);
    std::memset(field + n, 0, size - n);
}

void SearchRequest::setNumberText(const char* text) { copyCut(numberText, sizeof numberText, text); }
void SearchRequest::setCityText(const char* text) { copyCut(cityText, sizeof cityText, text); }
void SearchRequest::setWardText(const char* text) { copyCut(wardText, sizeof wardText, text); }

Scope scopeOf(const PlaceList& places, int prefecturePosition, int areaPosition) {
    const PrefectureRow* prefectures = places.prefectureTable;
    if (prefecturePosition != 0) return {prefectures[prefecturePosition].first, prefectures[prefecturePosition].last};
    if (areaPosition != 0) return {places.areaTable[areaPosition].first, places.areaTable[areaPosition].last};
    return {prefectures[0].first, prefectures[0].last};
}

void ResultList::append(const char* line) {
    offsets_.push_back(static_cast<uint32_t>(text_.size()));
    text_.insert(text_.end(), line, line + std::strlen(line) + 1);
}

void ResultList::clear() {
    text_.clear();
    offsets_.clear();
}

bool fieldContains(const char* field, int width, const char* text) {
    return contains(field, static_cast<size_t>(width), Needle{text, std::strlen(text)});
}

int findNumberEntry(const PlaceList& places, const Scope& scope, const char* text) {
    for (int i = scope.first; i <= scope.last; ++i) {
        if (sameNumberIgnoringCase(places.records[i].number, text)) return i - scope.first;
    }
    return kNoEntry;
}

int runSearch(const PlaceList& places, const SearchRequest& request, ResultList& results) {
    const Scope scope = scopeOf(places, request.prefecturePosition, request.areaPosition);

    if (request.numberGiven) {
        int entry = request.numberEntry;
        if (entry == kNoEntry) {
            char text[kNumberTextSize];
            copyCut(text, sizeof text, request.numberText);
            entry = findNumberEntry(places, scope, text);
        }
        // The whole dictionary's first is 0, so first + entry is right for
        // every scope. An entry past the scope's list finds nothing.
        if (entry < 0 || entry > scope.last - scope.first) return kSearchNothing;
        results.append(resultLine(places, scope.first + entry));
        return 1;
    }

    if (!request.cityGiven && !request.wardGiven) return kSearchNothing;

    // The request's texts are fixed arrays; cut them again in case a caller
    // filled one to the brim without a terminator.
    char text[kNameTextSize];
    const bool reading = request.searchMode == SearchMode::Reading;
    if (request.cityGiven) {
        copyCut(text, sizeof text, request.cityText);
        return reading ? walkNames<true>(places, scope, kKindCity, kKindDistrict, text, results)
                       : walkNames<false>(places, scope, kKindCity, kKindDistrict, text, results);
    }
    copyCut(text, sizeof text, request.wardText);
    return reading ? walkNames<true>(places, scope, kKindWard, kKindVillage, text, results)
                   : walkNames<false>(places, scope, kKindWard, kKindVillage, text, results);
}

}  // namespace orvetta
