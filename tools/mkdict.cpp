// mkdict: turns the place list into the built-in dictionary.
//
//   mkdict PLACES.tsv PREFECTURES.tsv OUTPUT.cpp
//
// Reads the UTF-8 place list (header line, then `number kanji reading kind
// current` per line, in record order) and the prefecture list (`code name
// area`), converts all text to Shift-JIS (code page 932), checks every record
// against the hard limits of the record layout and the record order, packs the
// 55-byte records, encodes them with the dictionary encoder, checks that the
// image decodes back to the packed records, and writes a C++ source with the
// image, the record count and both region tables. Any broken rule stops the
// build with a message naming the file and line.
#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "dict/codec.h"
#include "dict/place.h"

namespace {

using orvetta::AreaRow;
using orvetta::kAreaComposition;
using orvetta::kAreaRows;
using orvetta::kPrefectureRows;
using orvetta::PlaceRecord;
using orvetta::PrefectureRow;

[[noreturn]] void fail(const std::string& where, const std::string& why) {
    std::fprintf(stderr, "mkdict: %s: %s\n", where.c_str(), why.c_str());
    std::exit(1);
}

std::string toShiftJis(const std::string& utf8, const std::string& where) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) fail(where, "no UTF-8 to CP932 converter on this system");
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) fail(where, "text not representable in Shift-JIS: " + utf8);
    out.resize(out.size() - outLeft);
    return out;
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t')) fields.push_back(field);
    if (!line.empty() && line.back() == '\t') fields.emplace_back();
    return fields;
}

std::vector<std::string> readLines(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(path, "cannot open");
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool isDigits(const std::string& s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return !s.empty();
}

// Checks the number's form against its kind.
const char* numberFormError(const std::string& number, char kind) {
    switch (kind) {
    case orvetta::kKindCity:
        return number.size() == 4 && isDigits(number) ? nullptr : "a city number is 4 digits";
    case orvetta::kKindWard:
        return number.size() == 6 && isDigits(number) ? nullptr : "a ward number is 6 digits";
    case orvetta::kKindDistrict:
        return number.size() == 5 && isDigits(number) ? nullptr : "a district number is 5 digits";
    default:
        return number.size() == 6 && isDigits(number.substr(0, 5)) && number[5] >= 'A' && number[5] <= 'Z'
                   ? nullptr
                   : "a town or village number is 5 digits and an uppercase letter";
    }
}

void copyField(char* field, size_t width, const std::string& text) {
    std::memset(field, 0, width);
    std::memcpy(field, text.data(), text.size());
}

struct Prefecture {
    std::string code, name, area;
};

std::vector<Prefecture> readPrefectures(const char* path) {
    std::vector<std::string> lines = readLines(path);
    std::vector<Prefecture> rows;
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        std::string where = std::string(path) + ":" + std::to_string(i + 1);
        std::vector<std::string> f = splitTabs(lines[i]);
        if (f.size() != 3) fail(where, "expected 3 tab-separated fields: code name area");
        Prefecture p{f[0], toShiftJis(f[1], where), f[2]};
        char expected[3];
        std::snprintf(expected, sizeof expected, "%02zu", rows.size());
        if (p.code != expected) fail(where, "prefecture codes must run 00 to 48 in order");
        if (p.name.size() > 8) fail(where, "a prefecture name has at most 8 bytes");
        if (p.area.size() != 1) fail(where, "the area is one character");
        rows.push_back(p);
    }
    if (rows.size() != static_cast<size_t>(kPrefectureRows)) fail(path, "expected 49 prefecture rows (00 to 48)");
    return rows;
}

// Where a record sits inside its prefecture: cities with their wards first,
// then districts with their towns and villages.
int groupOf(char kind) { return kind == orvetta::kKindCity || kind == orvetta::kKindWard ? 0 : 1; }

std::vector<PlaceRecord> readPlaces(const char* path) {
    std::vector<std::string> lines = readLines(path);
    if (lines.empty() || lines[0] != "number\tkanji\treading\tkind\tcurrent")
        fail(std::string(path) + ":1", "expected the header line: number kanji reading kind current");
    std::vector<PlaceRecord> records;
    std::set<std::string> numbers;
    std::string previousNumber, parentCity, parentDistrict;
    int previousPrefecture = 0, previousGroup = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string where = std::string(path) + ":" + std::to_string(i + 1);
        std::vector<std::string> f = splitTabs(lines[i]);
        if (f.size() != 5) fail(where, "expected 5 tab-separated fields");
        const std::string& number = f[0];
        std::string kanji = toShiftJis(f[1], where);
        std::string reading = toShiftJis(f[2], where);
        if (f[3].size() != 1 || f[3][0] < '4' || f[3][0] > '8') fail(where, "kind must be 4 to 8");
        if (f[4] != "0" && f[4] != "1") fail(where, "current must be 0 or 1");
        char kind = f[3][0];
        if (number.size() < 4 || number.size() > 6) fail(where, "number must have 4 to 6 characters");
        if (const char* why = numberFormError(number, kind)) fail(where, why);
        if (kanji.empty() || kanji.size() > 16) fail(where, "kanji must have 1 to 16 Shift-JIS bytes");
        if (reading.size() > 28) fail(where, "reading must have at most 28 Shift-JIS bytes");
        if (!numbers.insert(number).second) fail(where, "number " + number + " occurs twice");

        int prefecture = std::atoi(number.substr(0, 2).c_str());
        if (prefecture < 1 || prefecture > orvetta::kLastPrefectureRow)
            fail(where, "prefecture code must be 01 to 47");
        int group = groupOf(kind);
        if (prefecture < previousPrefecture) fail(where, "prefectures must come in code order");
        if (prefecture == previousPrefecture) {
            if (group < previousGroup) fail(where, "cities and wards must come before the districts");
            if (group == previousGroup && number <= previousNumber)
                fail(where, "numbers must ascend within a group");
        }
        // Each ward follows its city, each town or village its district.
        if (prefecture != previousPrefecture) parentCity.clear(), parentDistrict.clear();
        if (kind == orvetta::kKindCity) parentCity = number;
        if (kind == orvetta::kKindDistrict) parentDistrict = number;
        if (kind == orvetta::kKindWard && (parentCity.empty() || number.compare(0, 4, parentCity) != 0))
            fail(where, "a ward must follow its city");
        if ((kind == orvetta::kKindTown || kind == orvetta::kKindVillage) &&
            (parentDistrict.empty() || number.compare(0, 5, parentDistrict) != 0))
            fail(where, "a town or village must follow its district");

        PlaceRecord r;
        copyField(r.number, sizeof r.number, number);
        copyField(r.kanji, sizeof r.kanji, kanji);
        copyField(r.reading, sizeof r.reading, reading);
        r.kind = kind;
        r.current = f[4][0];
        records.push_back(r);
        previousPrefecture = prefecture;
        previousGroup = group;
        previousNumber = number;
    }
    return records;
}

void buildTables(const std::vector<PlaceRecord>& records, const std::vector<Prefecture>& prefectures,
                 AreaRow areas[kAreaRows], PrefectureRow rows[kPrefectureRows]) {
    const int count = static_cast<int>(records.size());
    for (int k = 0; k < kPrefectureRows; ++k) {
        PrefectureRow& row = rows[k];
        std::memset(&row, 0, sizeof row);
        std::memcpy(row.code, prefectures[k].code.data(), 2);
        std::memcpy(row.name, prefectures[k].name.data(), prefectures[k].name.size());
        std::memcpy(row.area, prefectures[k].area.data(), prefectures[k].area.size());
        row.first = -1;
        row.last = -1;
    }
    for (int i = 0; i < count; ++i) {
        int k = std::atoi(std::string(records[i].number, 2).c_str());
        if (rows[k].first < 0) rows[k].first = i;
        rows[k].last = i;
    }
    for (int k = 1; k <= orvetta::kLastPrefectureRow; ++k)
        if (rows[k].first < 0) fail("place list", "prefecture " + prefectures[k].code + " has no records");
    rows[0].first = 0;
    rows[0].last = count - 1;
    rows[orvetta::kClosingPrefectureRow].first = count;  // closes the table; covers nothing
    rows[orvetta::kClosingPrefectureRow].last = count;

    for (int a = 0; a < kAreaRows; ++a) {
        const orvetta::AreaComposition& c = kAreaComposition[a];
        areas[a] = {rows[c.firstPrefectureRow].first, rows[c.lastPrefectureRow].last};
        if (a == 0) continue;
        // The composition must agree with each prefecture's call-area digit.
        for (int k = c.firstPrefectureRow; k <= c.lastPrefectureRow; ++k)
            if (prefectures[k].area != std::string(1, a == 10 ? '0' : static_cast<char>('0' + a)))
                fail("prefecture list", "prefecture " + prefectures[k].code + " is not in call area of row " +
                                            std::to_string(a));
    }
    areas[0] = {0, count - 1};
}

void writeSource(const char* path, const std::vector<uint8_t>& image, int count, const AreaRow areas[kAreaRows],
                 const PrefectureRow rows[kPrefectureRows]) {
    FILE* out = std::fopen(path, "wb");
    if (!out) fail(path, "cannot write");
    std::fprintf(out, "// Generated by tools/mkdict from dict/places.tsv and dict/prefectures.tsv; do not edit.\n");
    std::fprintf(out, "#include \"dict/place.h\"\n\nnamespace orvetta {\n\n");
    std::fprintf(out, "const int kShippedRecordCount = %d;\n", count);
    std::fprintf(out, "const int kDecodedDictionarySize = %d;\n", count * orvetta::kRecordSize);
    std::fprintf(out, "const int kRecordArraySlots = %d;\n\n", count + orvetta::kSpareSlots);
    std::fprintf(out, "const AreaRow kShippedAreaTable[kAreaRows] = {\n");
    for (int a = 0; a < kAreaRows; ++a) std::fprintf(out, "    {%d, %d},\n", areas[a].first, areas[a].last);
    std::fprintf(out, "};\n\nconst PrefectureRow kShippedPrefectureTable[kPrefectureRows] = {\n");
    for (int k = 0; k < kPrefectureRows; ++k) {
        std::fprintf(out, "    {\"%s\", \"", rows[k].code);
        for (const char* p = rows[k].name; *p; ++p) std::fprintf(out, "\\x%02x", static_cast<unsigned char>(*p));
        std::fprintf(out, "\", \"%s\", %d, %d},\n", rows[k].area, rows[k].first, rows[k].last);
    }
    std::fprintf(out, "};\n\nconst size_t kDictionaryImageSize = %zu;\n", image.size());
    std::fprintf(out, "const uint8_t kDictionaryImage[] = {");
    for (size_t i = 0; i < image.size(); ++i)
        std::fprintf(out, "%s%u,", i % 20 == 0 ? "\n    " : "", static_cast<unsigned>(image[i]));
    std::fprintf(out, "\n};\n\n}  // namespace orvetta\n");
    if (std::fclose(out) != 0) fail(path, "write failed");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: mkdict PLACES.tsv PREFECTURES.tsv OUTPUT.cpp\n");
        return 2;
    }
    std::vector<Prefecture> prefectures = readPrefectures(argv[2]);
    std::vector<PlaceRecord> records = readPlaces(argv[1]);
    const int count = static_cast<int>(records.size());
    if (count == 0) fail(argv[1], "no records");

    AreaRow areas[kAreaRows];
    PrefectureRow rows[kPrefectureRows];
    buildTables(records, prefectures, areas, rows);

    const auto* packed = reinterpret_cast<const uint8_t*>(records.data());
    const size_t packedSize = records.size() * sizeof(PlaceRecord);
    std::vector<uint8_t> image = orvetta::encodeDictionary(packed, packedSize);
    std::vector<uint8_t> check(packedSize);
    if (orvetta::decodeDictionary(image.data(), image.size(), check.data(), static_cast<int>(packedSize)) !=
            static_cast<int>(packedSize) ||
        std::memcmp(check.data(), packed, packedSize) != 0)
        fail(argv[3], "the encoded image does not decode back to the place list");

    writeSource(argv[3], image, count, areas, rows);
    std::printf("mkdict: %d records, %zu bytes packed, %zu bytes encoded\n", count, packedSize, image.size());
    return 0;
}
