#include "search/engine.h"

#include <algorithm>
#include <cstring>

#include "search/fold.h"
#include "search/folded_index.h"
#include "search/result_line.h"
#include "search/romaji.h"

namespace orvetta {

namespace {

// The folded texts of one list state, made on the first folded search after
// the list was loaded, merged into or rewound. A version names one state of
// one list program-wide, so a copy of the list (same version) shares it.
FoldedIndex gFoldedIndex;
uint64_t gFoldedVersion = 0;

const FoldedIndex& foldedIndex(const PlaceList& places) {
    if (gFoldedVersion == 0 || gFoldedVersion != places.version || gFoldedIndex.records != places.records ||
        gFoldedIndex.count != places.count()) {
        gFoldedIndex = buildFoldedIndex(places.records, places.count());
        gFoldedVersion = places.version;
    }
    return gFoldedIndex;
}

// The search text, measured once per search.
struct Needle {
    const char* text;
    size_t length;
};

// The containment test on `length` bytes of text. For two bytes and more the
// second byte is compared first: in Japanese text it is the trail byte, far
// rarer than a lead byte such as 0x82, which begins every hiragana.
inline bool containsBytes(const char* text, size_t length, const Needle& needle) {
    const size_t n = needle.length;
    if (n == 0) return true;
    if (length < n) return false;
    const char* t = needle.text;
    if (n == 1) return std::memchr(text, t[0], length) != nullptr;
    for (size_t i = 0; i + n <= length; ++i) {
        if (text[i + 1] != t[1] || text[i] != t[0]) continue;
        if (std::memcmp(text + i + 2, t + 2, n - 2) == 0) return true;
    }
    return false;
}

// The containment test on one field, whose text ends at its NUL or its width.
inline bool contains(const char* field, size_t width, const Needle& needle) {
    return containsBytes(field, strnlen(field, width), needle);
}

template <bool kReading>
inline bool fieldHolds(const PlaceRecord& r, const Needle& needle) {
    return kReading ? contains(r.reading, sizeof r.reading, needle) : contains(r.kanji, sizeof r.kanji, needle);
}

// Walks the range and appends the line of every record of the kinds
// kindLow..kindHigh for which matches(i, record) holds.
template <class Matches>
int walkNames(const PlaceList& places, Scope scope, char kindLow, char kindHigh, Language language, Matches matches,
              ResultList& results) {
    int count = 0;
    for (int i = scope.first; i <= scope.last; ++i) {
        const PlaceRecord& r = places.records[i];
        if (r.kind < kindLow || r.kind > kindHigh) continue;
        if (!matches(i, r)) continue;
        results.append(resultLine(places, i, language));
        ++count;
    }
    return count;
}

// The stored bytes contain the text as it was typed.
template <bool kReading>
int walkExact(const PlaceList& places, Scope scope, char kindLow, char kindHigh, Language language, const char* text,
              ResultList& results) {
    const Needle needle{text, std::strlen(text)};
    return walkNames(
        places, scope, kindLow, kindHigh, language,
        [&](int, const PlaceRecord& r) { return fieldHolds<kReading>(r, needle); }, results);
}

// Marks hits[i - first] for every record i in first..last whose text in the
// column contains the needle, leaving records with a skip bit set alone. One
// pass over the column: memchr looks for the needle's byte that is rarest in
// the column, and a candidate is compared whole. Texts end in NUL, which no
// needle holds, so no match spans two records.
void markColumn(const FoldedColumn& column, int first, int last, const Needle& needle,
                const std::vector<uint8_t>& changed, uint8_t skip, std::vector<uint8_t>& hits) {
    const size_t n = needle.length;
    if (n == 0) {
        for (int i = first; i <= last; ++i) hits[i - first] |= !(changed[i] & skip);
        return;
    }
    size_t rare = 0;
    for (size_t k = 1; k < n; ++k) {
        if (column.frequency[static_cast<unsigned char>(needle.text[k])] <
            column.frequency[static_cast<unsigned char>(needle.text[rare])])
            rare = k;
    }
    const char* base = column.text.data();
    const char* end = base + column.start[last + 1];
    const char* from = base + column.start[first];
    int record = first;
    while (from + n <= end) {
        const void* found = std::memchr(from + rare, needle.text[rare], static_cast<size_t>(end - from) - rare);
        if (!found) break;
        const char* candidate = static_cast<const char*>(found) - rare;
        if (candidate + n > end) break;
        if (std::memcmp(candidate, needle.text, n) != 0) {
            from = candidate + 1;
            continue;
        }
        const auto offset = static_cast<uint32_t>(candidate - base);
        while (column.start[record + 1] <= offset) ++record;
        if (!(changed[record] & skip)) hits[record - first] = 1;
        from = base + column.start[record + 1];
    }
}

// The folded field contains the folded text, or (reading mode) the romaji of
// the reading contains the romaji of a query in Latin letters, or the stored
// bytes contain the text as typed, so that the hits are always a superset of
// walkExact's. The byte-wise test runs only where it can find more: on every
// record when folding changed the query, else on the records whose field
// folding changed.
template <bool kReading>
int walkFolded(const PlaceList& places, Scope scope, char kindLow, char kindHigh, Language language, const char* text,
               ResultList& results) {
    const FoldedIndex& index = foldedIndex(places);
    const FoldedColumn& column = kReading ? index.reading : index.kanji;
    const uint8_t changedBit = kReading ? kReadingChanged : kKanjiChanged;
    const Needle raw{text, std::strlen(text)};
    const std::string folded = foldQuery(text);
    const std::string romaji = kReading ? romajiOfQuery(folded) : std::string();

    // Records past the folded list (none, unless the list grew unnoticed) are
    // matched byte-wise.
    const int last = std::min(scope.last, index.count - 1);
    std::vector<uint8_t> hits(scope.first <= last ? static_cast<size_t>(last - scope.first + 1) : 0);
    if (!hits.empty()) {
        markColumn(column, scope.first, last, Needle{folded.data(), folded.size()}, index.changed, 0, hits);
        if (folded != text) markColumn(column, scope.first, last, raw, index.changed, changedBit, hits);
        if (!romaji.empty())
            markColumn(index.romaji, scope.first, last, Needle{romaji.data(), romaji.size()}, index.changed, 0, hits);
    }
    return walkNames(
        places, scope, kindLow, kindHigh, language,
        [&](int i, const PlaceRecord& r) {
            if (i > last) return fieldHolds<kReading>(r, raw);
            if (hits[i - scope.first]) return true;
            return (index.changed[i] & changedBit) && fieldHolds<kReading>(r, raw);
        },
        results);
}

// Name path: the text against the compared field of the records of the kinds.
int walkText(const PlaceList& places, const SearchRequest& request, Scope scope, char kindLow, char kindHigh,
             const char* text, ResultList& results) {
    const bool reading = request.searchMode == SearchMode::Reading;
    const Language language = request.language;
    if (request.exact)
        return reading ? walkExact<true>(places, scope, kindLow, kindHigh, language, text, results)
                       : walkExact<false>(places, scope, kindLow, kindHigh, language, text, results);
    return reading ? walkFolded<true>(places, scope, kindLow, kindHigh, language, text, results)
                   : walkFolded<false>(places, scope, kindLow, kindHigh, language, text, results);
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

void forgetFoldedIndex() {
    gFoldedIndex = FoldedIndex{};
    gFoldedVersion = 0;
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
            if (entry == kNoEntry && !request.exact) entry = findNumberEntry(places, scope, foldQuery(text).c_str());
        }
        // The whole dictionary's first is 0, so first + entry is right for
        // every scope. An entry past the scope's list finds nothing.
        if (entry < 0 || entry > scope.last - scope.first) return kSearchNothing;
        results.append(resultLine(places, scope.first + entry, request.language));
        return 1;
    }

    if (!request.cityGiven && !request.wardGiven) return kSearchNothing;

    // The request's texts are fixed arrays; cut them again in case a caller
    // filled one to the brim without a terminator.
    char text[kNameTextSize];
    if (request.cityGiven) {
        copyCut(text, sizeof text, request.cityText);
        return walkText(places, request, scope, kKindCity, kKindDistrict, text, results);
    }
    copyCut(text, sizeof text, request.wardText);
    return walkText(places, request, scope, kKindWard, kKindVillage, text, results);
}

}  // namespace orvetta
