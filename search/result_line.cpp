#include "search/result_line.h"

#include <cstring>
#include <string>

#include "dict/place.h"
#include "search/romaji_name.h"

namespace orvetta {

char gResultBuffer[kResultBufferSize];

namespace {

constexpr int kTokyoRow = 10;
// Number characters a ward (city number) and a town or village (district
// number) share with their parent.
constexpr int kWardParentLength = 4;
constexpr int kTownParentLength = 5;

// Appends fields to gResultBuffer. Every text is read only up to its NUL or
// its field width, so the longest line (113 bytes; in English about 150) is
// far inside the buffer; the bound check keeps even a malformed record from
// overrunning it.
class LineWriter {
public:
    void text(const char* s, size_t width) {
        size_t n = strnlen(s, width);
        if (n > kResultBufferSize - 1 - size_) n = kResultBufferSize - 1 - size_;
        std::memcpy(gResultBuffer + size_, s, n);
        size_ += n;
    }
    void byte(char c) {
        if (size_ < kResultBufferSize - 1) gResultBuffer[size_++] = c;
    }
    void text(const std::string& s) { text(s.data(), s.size()); }
    void name(const PlaceRecord& r) {  // kanji(reading)
        text(r.kanji, sizeof r.kanji);
        byte('(');
        text(r.reading, sizeof r.reading);
        byte(')');
    }
    const char* finish() {
        gResultBuffer[size_] = '\0';
        return gResultBuffer;
    }

private:
    size_t size_ = 0;
};

// Backward walk from `index` (itself first) to the nearest record whose whole
// number equals the first `length` characters of its own number.
const PlaceRecord* findParent(const PlaceRecord* records, int index, int length) {
    const char* number = records[index].number;
    size_t keyLength = strnlen(number, sizeof records[index].number);
    if (keyLength > static_cast<size_t>(length)) keyLength = length;
    for (int i = index; i >= 0; --i) {
        const char* candidate = records[i].number;
        if (std::memcmp(candidate, number, keyLength) == 0 && candidate[keyLength] == '\0') return &records[i];
    }
    return nullptr;
}

}  // namespace

int prefectureRowOf(const PlaceList& places, const char* number) {
    // String equality of the number's first two characters with each code,
    // byte by byte: a shorter number ends its string early.
    const char c0 = number[0];
    const char c1 = c0 ? number[1] : '\0';
    for (int row = 0; row < kLastPrefectureRow; ++row) {
        const char* code = places.prefectureTable[row].code;
        if (code[0] != c0) continue;
        if (c0 == '\0') return row;
        if (code[1] != c1) continue;
        if (c1 == '\0' || code[2] == '\0') return row;
    }
    return kLastPrefectureRow;
}

const char* resultLine(const PlaceList& places, int index, Language language) {
    const PlaceRecord& r = places.records[index];
    int row = prefectureRowOf(places, r.number);
    const PrefectureRow& prefecture = places.prefectureTable[row];

    const PlaceRecord* parent = nullptr;
    switch (r.kind) {
    case kKindWard:
        if (row != kTokyoRow) parent = findParent(places.records, index, kWardParentLength);
        break;
    case kKindTown:
    case kKindVillage: parent = findParent(places.records, index, kTownParentLength); break;
    default: break;  // cities, districts, and anything else: one name
    }
    bool child = (r.kind == kKindWard && row != kTokyoRow) || r.kind == kKindTown || r.kind == kKindVillage;

    LineWriter line;
    const bool english = language == Language::English;
    if (child && !parent) {
        line.text(noMatchText(language), kResultBufferSize);
        return line.finish();
    }
    line.text(r.number, sizeof r.number);
    line.byte('\t');
    if (english) {
        std::string names = romajiName(r);
        if (parent) names += ", " + romajiName(*parent);
        names += ", ";
        line.text(names);
        line.text(prefecture.english, sizeof prefecture.english);
        line.text(" (", 2);
        if (parent) line.text(parent->kanji, sizeof parent->kanji);
        line.text(r.kanji, sizeof r.kanji);
        line.byte(')');
        if (!isCurrentForLine(r.current)) line.text(kDeletedMarkEnglish, sizeof kDeletedMarkEnglish);
        return line.finish();
    }
    line.text(prefecture.name, sizeof prefecture.name);
    if (parent) line.name(*parent);
    line.name(r);
    if (!isCurrentForLine(r.current)) line.text(kOldMarker, sizeof kOldMarker);
    return line.finish();
}

std::string_view resultLineNumber(const char* line) {
    const char* tab = std::strchr(line, '\t');
    return tab ? std::string_view(line, static_cast<size_t>(tab - line)) : std::string_view();
}

}  // namespace orvetta
