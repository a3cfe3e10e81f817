// Rules on the fields of a place record that several readers share.
#include <atomic>
#include <cstring>

#include "dict/place.h"

namespace orvetta {

namespace {

constexpr size_t kNumberWidth = sizeof(PlaceRecord::number);

// Name suffix -> kind, as Shift-JIS bytes; first match wins.
struct KindSuffix {
    char bytes[3];
    char kind;
};
constexpr KindSuffix kKindSuffixes[] = {
    {"\x8es", kKindCity},        // 市
    {"\x8cS", kKindDistrict},    // 郡
    {"\x8b\xe6", kKindWard},     // 区
    {"\x92\xac", kKindTown},     // 町
    {"\x91\xba", kKindVillage},  // 村
};

char upperCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool sameNumber(const char* a, const char* b) { return std::strncmp(a, b, kNumberWidth) == 0; }

bool sameNumberIgnoringCase(const char* a, const char* b) {
    for (size_t i = 0; i < kNumberWidth; ++i) {
        if (upperCase(a[i]) != upperCase(b[i])) return false;
        if (a[i] == '\0') return true;
    }
    return true;
}

char kindOfNameSuffix(const char* name, size_t cb) {
    if (cb < 2) return 0;
    for (const KindSuffix& suffix : kKindSuffixes)
        if (name[cb - 2] == suffix.bytes[0] && name[cb - 1] == suffix.bytes[1]) return suffix.kind;
    return 0;
}

int prefectureCodeOf(std::string_view text) {
    if (text.size() < 2 || text[0] < '0' || text[0] > '4' || text[1] < '0' || text[1] > '9') return 0;
    const int code = (text[0] - '0') * 10 + (text[1] - '0');
    return code <= kLastPrefectureRow ? code : 0;
}

void markChanged(PlaceList& places) {
    static std::atomic<uint64_t> generation{0};
    places.version = ++generation;
}

}  // namespace orvetta
