// mkdict: turns a place list into one edition of the built-in dictionary.
//
//   mkdict EDITION.tsv PLACES.tsv PREFECTURES.tsv OUTPUT.cpp [HISTORY.tsv [JARL.tsv]]
//
// Reads the edition's description (`key value` lines: name, snapshot, about,
// status, their English forms about_en and status_en, and since when there is
// a history), the UTF-8 place list (header
// line, then `number kanji reading kind current` per line, in record order),
// the prefecture list (`code name area english`) and, for an edition with one, the
// change history (`date number change detail detail_ja`, the detail in
// English and in Japanese) and JARL's number list (`number jarl_kanji romaji
// status last_day list award`). It converts all text to
// Shift-JIS (code page 932), checks every record against the hard limits of
// the record layout and the record order, checks the history against the
// list, packs the 55-byte records, encodes them with the dictionary encoder,
// checks that the image decodes back to the packed records, and writes a C++
// source defining the edition: image, record count, both region tables, the
// history, JARL's numbers and the texts. Any broken rule stops the build with
// a message naming the file and line.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "dict/codec.h"
#include "dict/edition.h"
#include "dict/history.h"
#include "dict/place.h"
#include "text/sjis.h"

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
    std::string sjis;
    if (!orvetta::sjisFromUtf8(utf8, sjis)) fail(where, "text not representable in Shift-JIS: " + utf8);
    return sjis;
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
    case orvetta::kKindCity: return number.size() == 4 && isDigits(number) ? nullptr : "a city number is 4 digits";
    case orvetta::kKindWard: return number.size() == 6 && isDigits(number) ? nullptr : "a ward number is 6 digits";
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
    std::string code, name, area, english;
};

// An English prefecture name: 1 to 9 letters, the first a capital.
bool isEnglishName(const std::string& s) {
    if (s.empty() || s.size() >= sizeof(PrefectureRow::english) || s[0] < 'A' || s[0] > 'Z') return false;
    for (char c : s)
        if (!std::isalpha(static_cast<unsigned char>(c))) return false;
    return true;
}

std::vector<Prefecture> readPrefectures(const char* path) {
    std::vector<std::string> lines = readLines(path);
    std::vector<Prefecture> rows;
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        std::string where = std::string(path) + ":" + std::to_string(i + 1);
        std::vector<std::string> f = splitTabs(lines[i]);
        if (f.size() != 4) fail(where, "expected 4 tab-separated fields: code name area english");
        Prefecture p{f[0], toShiftJis(f[1], where), f[2], f[3]};
        char expected[3];
        std::snprintf(expected, sizeof expected, "%02zu", rows.size());
        if (p.code != expected) fail(where, "prefecture codes must run 00 to 48 in order");
        if (p.name.size() > 8) fail(where, "a prefecture name has at most 8 bytes");
        if (p.area.size() != 1) fail(where, "the area is one character");
        if (!isEnglishName(p.english)) fail(where, "an English name is 1 to 9 ASCII letters, the first a capital");
        rows.push_back(p);
    }
    if (rows.size() != static_cast<size_t>(kPrefectureRows)) fail(path, "expected 49 prefecture rows (00 to 48)");
    return rows;
}

// Where a record sits inside its prefecture: cities with their wards first,
// then districts with their towns and villages.
int groupOf(char kind) { return kind == orvetta::kKindCity || kind == orvetta::kKindWard ? 0 : 1; }

// A place as the list spells it (UTF-8), for the checks of the history.
struct ListedPlace {
    std::string kanji, reading;
    char kind, current;
};
using PlaceIndex = std::map<std::string, ListedPlace>;

std::vector<PlaceRecord> readPlaces(const char* path, PlaceIndex& index) {
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

        int prefecture = orvetta::prefectureCodeOf(number);
        if (prefecture < 1 || prefecture > orvetta::kLastPrefectureRow) fail(where, "prefecture code must be 01 to 47");
        int group = groupOf(kind);
        if (prefecture < previousPrefecture) fail(where, "prefectures must come in code order");
        if (prefecture == previousPrefecture) {
            if (group < previousGroup) fail(where, "cities and wards must come before the districts");
            if (group == previousGroup && number <= previousNumber) fail(where, "numbers must ascend within a group");
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

        index[number] = {f[1], f[2], kind, f[4][0]};
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
    for (int k = 0; k < kPrefectureRows; ++k) {
        PrefectureRow& row = rows[k];
        std::memset(&row, 0, sizeof row);
        std::memcpy(row.code, prefectures[k].code.data(), 2);
        std::memcpy(row.name, prefectures[k].name.data(), prefectures[k].name.size());
        std::memcpy(row.english, prefectures[k].english.data(), prefectures[k].english.size());
        std::memcpy(row.area, prefectures[k].area.data(), prefectures[k].area.size());
    }
    if (!orvetta::rebuildRegionRanges(records.data(), static_cast<int>(records.size()), areas, rows))
        fail("place list", "a record stands outside its prefecture's run");
    for (int k = 1; k <= orvetta::kLastPrefectureRow; ++k)
        if (rows[k].first > rows[k].last) fail("place list", "prefecture " + prefectures[k].code + " has no records");
    // The area rows span fixed prefecture rows; each must carry that area.
    for (int a = 1; a < kAreaRows; ++a) {
        const orvetta::AreaComposition& c = kAreaComposition[a];
        for (int k = c.firstPrefectureRow; k <= c.lastPrefectureRow; ++k)
            if (prefectures[k].area != std::string(1, a == 10 ? '0' : static_cast<char>('0' + a)))
                fail("prefecture list",
                     "prefecture " + prefectures[k].code + " is not in call area of row " + std::to_string(a));
    }
}

// ---- The edition's description ----

struct EditionText {
    std::string name, snapshot, since, about, status;  // about and status in Shift-JIS
    std::string aboutEn, statusEn;                     // their English forms (ASCII)
};

EditionText readEdition(const char* path) {
    EditionText e;
    std::vector<std::string> lines = readLines(path);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty() || lines[i][0] == '#') continue;
        std::string where = std::string(path) + ":" + std::to_string(i + 1);
        std::vector<std::string> f = splitTabs(lines[i]);
        if (f.size() != 2) fail(where, "expected a key and a value separated by a tab");
        if (f[0] == "name")
            e.name = f[1];
        else if (f[0] == "snapshot")
            e.snapshot = f[1];
        else if (f[0] == "since")
            e.since = f[1];
        else if (f[0] == "about")
            e.about = toShiftJis(f[1], where);
        else if (f[0] == "status")
            e.status = toShiftJis(f[1], where);
        else if (f[0] == "about_en")
            e.aboutEn = toShiftJis(f[1], where);
        else if (f[0] == "status_en")
            e.statusEn = toShiftJis(f[1], where);
        else
            fail(where, "unknown key " + f[0]);
    }
    if (e.name.empty() || e.about.empty() || e.status.empty() || e.aboutEn.empty() || e.statusEn.empty())
        fail(path, "name, about, status, about_en and status_en are required");
    for (char c : e.name)
        if (!std::isalnum(static_cast<unsigned char>(c))) fail(path, "the name is letters and digits");
    if (!orvetta::isCalendarDate(e.snapshot.c_str())) fail(path, "snapshot must be a date YYYY-MM-DD");
    if (!e.since.empty() && (!orvetta::isCalendarDate(e.since.c_str()) || e.since >= e.snapshot))
        fail(path, "since must be a date YYYY-MM-DD before the snapshot");
    return e;
}

// ---- The change history ----

struct Change {
    std::string date, number, detail, detailJa, successors, oldKanji, oldReading;  // texts in Shift-JIS
    orvetta::ChangeKind kind;
    char oldKind;
};

// "created, renamed or ended": the change words, for messages.
std::string changeWords() {
    std::string words;
    const auto kinds = orvetta::changeKinds();
    for (size_t k = 0; k < kinds.size(); ++k)
        words += std::string(k == 0 ? "" : k + 1 == kinds.size() ? " or " : ", ") + kinds[k].word;
    return words;
}

bool isNumberChar(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The place numbers a detail names: runs of 4, 5 or 6 digits, or 5 digits
// and a capital letter, standing alone. A year of a date (YYYY-MM-DD) is none.
// A range "A-B" of two numbers of one length names the list's numbers between.
std::vector<std::string> numbersNamed(const std::string& text, const PlaceIndex& places) {
    std::vector<std::string> named;
    size_t i = 0;
    while (i < text.size()) {
        if (!isNumberChar(text[i])) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && isNumberChar(text[end])) ++end;
        std::string word = text.substr(i, end - i);
        const bool digits5 = word.size() == 6 && isDigits(word.substr(0, 5)) && word[5] >= 'A' && word[5] <= 'Z';
        const bool isDate = word.size() == 4 && text.compare(end, 1, "-") == 0 && end + 6 <= text.size() &&
                            isDigits(text.substr(end + 1, 2)) && text[end + 3] == '-';
        if (((word.size() >= 4 && word.size() <= 6 && isDigits(word)) || digits5) && !isDate) {
            // "A-B": everything of the list from A to B.
            size_t next = end + 1;
            size_t nextEnd = next;
            while (nextEnd < text.size() && isNumberChar(text[nextEnd])) ++nextEnd;
            std::string upper = next < text.size() && text[end] == '-' ? text.substr(next, nextEnd - next) : "";
            if (upper.size() == word.size() && isDigits(upper) && upper > word) {
                for (auto it = places.lower_bound(word); it != places.end() && it->first <= upper; ++it)
                    if (it->first.size() == word.size()) named.push_back(it->first);
                if (!places.count(upper)) named.push_back(upper);  // reported as unknown
                end = nextEnd;
            } else {
                named.push_back(word);
            }
        }
        i = end;
    }
    return named;
}

std::vector<Change> readHistory(const char* path, const EditionText& edition, const PlaceIndex& places) {
    std::vector<std::string> lines = readLines(path);
    if (lines.empty() || lines[0] != "date\tnumber\tchange\tdetail\tdetail_ja")
        fail(std::string(path) + ":1", "expected the header line: date number change detail detail_ja");
    if (edition.since.empty()) fail(path, "an edition with a history needs 'since' in its description");
    std::vector<Change> changes;
    std::map<std::string, std::pair<std::string, std::string>> nameAfter;  // number -> name, reading
    std::map<std::string, std::string> createdOn, endedOn;
    std::string previousDate = edition.since;
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string where = std::string(path) + ":" + std::to_string(i + 1);
        std::vector<std::string> f = splitTabs(lines[i]);
        if (f.size() != 5) fail(where, "expected 5 tab-separated fields: date number change detail detail_ja");
        Change c{f[0], f[1], toShiftJis(f[3], where), toShiftJis(f[4], where), "", "", "", {}, 0};
        if (c.detailJa.empty()) fail(where, "the Japanese detail is empty");
        if (!orvetta::isCalendarDate(c.date.c_str())) fail(where, "not a valid date: " + c.date);
        if (c.date <= edition.since || c.date > edition.snapshot)
            fail(where, "date outside the history (after " + edition.since + ", up to " + edition.snapshot + ")");
        if (c.date < previousDate) fail(where, "dates must not go back");
        previousDate = c.date;
        auto place = places.find(c.number);
        if (place == places.end()) fail(where, "number " + c.number + " is not in the place list");
        for (const std::string& named : numbersNamed(f[3], places))
            if (!places.count(named)) fail(where, "the detail names " + named + ", which is not in the place list");

        const orvetta::ChangeKindInfo* kind = orvetta::changeKindFromWord(f[2].c_str());
        if (!kind) fail(where, "the change is " + changeWords());
        c.kind = kind->kind;
        if (c.kind == orvetta::ChangeKind::Created) {
            if (!createdOn.emplace(c.number, c.date).second) fail(where, c.number + " is created twice");
        } else if (c.kind == orvetta::ChangeKind::Ended) {
            if (!endedOn.emplace(c.number, c.date).second) fail(where, c.number + " ends twice");
            // Districts a detail names are where a place went, not what took over.
            std::string list;
            for (const std::string& named : numbersNamed(f[3], places))
                if (named.size() != 5 && named != c.number) list += (list.empty() ? "" : " ") + named;
            c.successors = list;
        } else {
            // "OLDNAME OLDREADING -> NEWNAME NEWREADING", then maybe a note.
            std::istringstream words(f[3]);
            std::string oldName, oldReading, arrow, newName, newReading;
            words >> oldName >> oldReading >> arrow >> newName >> newReading;
            if (arrow != "->" || newReading.empty())
                fail(where, "a rename reads: OLDNAME OLDREADING -> NEWNAME NEWREADING");
            auto before = nameAfter.find(c.number);
            const auto& known = before != nameAfter.end() ? before->second : std::pair{std::string(), std::string()};
            if (before != nameAfter.end() && (known.first != oldName || known.second != oldReading))
                fail(where, "the old name is not the name the previous rename gave");
            nameAfter[c.number] = {newName, newReading};
            c.oldKanji = toShiftJis(oldName, where);
            c.oldReading = toShiftJis(oldReading, where);
            if (c.oldKanji.size() > 16 || c.oldReading.size() > 28) fail(where, "the old name does not fit a record");
            const char suffixKind = orvetta::kindOfNameSuffix(c.oldKanji.data(), c.oldKanji.size());
            c.oldKind = suffixKind ? suffixKind : place->second.kind;
        }
        changes.push_back(c);
    }
    // The list must be the end of the history: the last names, and current
    // exactly where a place has not ended (an old place that never ended was
    // old already when the history began).
    for (const auto& [number, name] : nameAfter) {
        const ListedPlace& place = places.at(number);
        if (place.kanji != name.first || place.reading != name.second)
            fail(path, number + ": the list's name is not the name of its last rename");
    }
    for (const auto& [number, place] : places) {
        const std::string created = createdOn.count(number) ? createdOn[number] : "";
        const std::string ended = endedOn.count(number) ? endedOn[number] : "";
        if (created.empty() && ended.empty()) continue;
        if (!created.empty() && !ended.empty() && ended < created) fail(path, number + " ends before it is created");
        const bool current =
            orvetta::placeStandingOn(edition.snapshot.c_str(), created.c_str(), ended.c_str(), true).current;
        if (current != (place.current == '1'))
            fail(path, number + (current ? " was created and never ended but is old in the list"
                                         : " has ended but is current in the list"));
    }
    return changes;
}

// ---- JARL's number list ----

struct JarlEntry {
    std::string number, kanji, romaji, lastDay;  // kanji and romaji in Shift-JIS
    std::string award;                           // the JarlAward value's name
    bool current, reserved, lastDayIsBound;
};

// How JARL marks a number it keeps unused.
const char kReservedMark[] = "(欠番)";

// Each award's list and the number lengths it holds: JCC cities (4) and
// Tokyo's 23 wards (6), JCG districts (5), KU wards (6).
struct AwardRow {
    const char* word;    // as the list writes it
    const char* symbol;  // the JarlAward value
    const char* lengths;
};
const AwardRow kAwards[] = {{"JCC", "Jcc", "46"}, {"JCG", "Jcg", "5"}, {"KU", "Ku", "6"}};

// Reads JARL's list, in the place list's order (prefectures in code order,
// cities and wards, then districts, each group ascending), and checks it
// against the place list: every city, district and ward there is in JARL's
// list and current in both or in neither. Returns it sorted byte-wise.
std::vector<JarlEntry> readJarlNumbers(const char* path, const PlaceIndex& places) {
    std::vector<std::string> lines = readLines(path);
    if (lines.empty() || lines[0] != "number\tjarl_kanji\tromaji\tstatus\tlast_day\tlist\taward")
        fail(std::string(path) + ":1", "expected the header line: number jarl_kanji romaji status last_day list award");
    std::map<std::string, JarlEntry> entries;
    std::string previous;
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string where = std::string(path) + ":" + std::to_string(i + 1);
        std::vector<std::string> f = splitTabs(lines[i]);
        if (f.size() != 7)
            fail(where, "expected 7 tab-separated fields: number jarl_kanji romaji status last_day list award");
        JarlEntry e{f[0], toShiftJis(f[1], where), toShiftJis(f[2], where), f[4],
                    "",   f[3] == "current",       f[1] == kReservedMark,   false};
        if (e.number.size() < 4 || e.number.size() > 6 || !isDigits(e.number))
            fail(where, "a JARL number is 4, 5 or 6 digits");
        const std::string key = e.number.substr(0, 2) + (e.number.size() == 5 ? "1" : "0") + e.number;
        if (key == previous) fail(where, "number " + e.number + " occurs twice");
        if (key < previous) fail(where, "numbers must follow the place list's order");
        previous = key;
        if (f[3] != "current" && f[3] != "deleted") fail(where, "the status is current or deleted");
        if (e.lastDay.compare(0, 7, "before ") == 0) e.lastDay.erase(0, 7), e.lastDayIsBound = true;
        if (!e.lastDay.empty() && !orvetta::isCalendarDate(e.lastDay.c_str()))
            fail(where, "the last day is empty, YYYY-MM-DD or before YYYY-MM-DD");
        if (e.current && !f[4].empty()) fail(where, "a current number has no last day");
        if (!e.current && e.lastDay.empty() != e.reserved)
            fail(where, "a deleted number has a last day, unless it is reserved (never counted)");
        if (e.reserved && e.current) fail(where, "a reserved number is never current");
        const AwardRow* award = nullptr;
        for (const AwardRow& row : kAwards)
            if (f[6] == row.word) award = &row;
        if (!award) fail(where, "the award is JCC, JCG or KU");
        if (!std::strchr(award->lengths, static_cast<char>('0' + e.number.size())))
            fail(where, "a " + f[6] + " number does not have " + std::to_string(e.number.size()) + " digits");
        e.award = award->symbol;
        auto place = places.find(e.number);
        if (place != places.end() && (place->second.current == '1') != e.current)
            fail(where, e.number + (e.current ? " is current here but old in the place list"
                                              : " is deleted here but current in the place list"));
        entries.emplace(e.number, e);
    }
    for (const auto& [number, place] : places)
        if (place.kind <= orvetta::kKindWard && !entries.count(number))
            fail(path, "the place list's " + number + " is missing");
    std::vector<JarlEntry> sorted;
    for (auto& [number, entry] : entries) sorted.push_back(entry);
    return sorted;
}

// ---- The generated source ----

void writeBytes(FILE* out, const std::string& sjis) {
    std::fputc('"', out);
    for (unsigned char c : sjis) {
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\' && c != '?')
            std::fputc(c, out);
        else
            std::fprintf(out, "\\%03o", c);
    }
    std::fputc('"', out);
}

void writeSource(const char* path, const EditionText& edition, const std::vector<uint8_t>& image, int count,
                 const AreaRow areas[kAreaRows], const PrefectureRow rows[kPrefectureRows],
                 const std::vector<Change>& changes, const std::vector<JarlEntry>& jarl) {
    FILE* out = std::fopen(path, "wb");
    if (!out) fail(path, "cannot write");
    std::string symbol = "kEdition" + edition.name;
    symbol[8] = static_cast<char>(std::toupper(static_cast<unsigned char>(symbol[8])));
    std::fprintf(out, "// Generated by tools/mkdict from the place list of edition %s; do not edit.\n",
                 edition.name.c_str());
    std::fprintf(out, "#include \"dict/edition.h\"\n\nnamespace orvetta {\nnamespace {\n\n");
    std::fprintf(out, "const AreaRow kAreaTable[kAreaRows] = {\n");
    for (int a = 0; a < kAreaRows; ++a) std::fprintf(out, "    {%d, %d},\n", areas[a].first, areas[a].last);
    std::fprintf(out, "};\n\nconst PrefectureRow kPrefectureTable[kPrefectureRows] = {\n");
    for (int k = 0; k < kPrefectureRows; ++k) {
        std::fprintf(out, "    {\"%s\", ", rows[k].code);
        writeBytes(out, rows[k].name);
        std::fprintf(out, ", \"%s\", \"%s\", %d, %d},\n", rows[k].english, rows[k].area, rows[k].first, rows[k].last);
    }
    std::fprintf(out, "};\n\nconst uint8_t kImage[] = {");
    for (size_t i = 0; i < image.size(); ++i)
        std::fprintf(out, "%s%u,", i % 20 == 0 ? "\n    " : "", static_cast<unsigned>(image[i]));
    std::fprintf(out, "\n};\n\n");
    if (!changes.empty()) {
        std::fprintf(out, "const PlaceChange kChanges[] = {\n");
        for (const Change& c : changes) {
            std::fprintf(out, "    {\"%s\", \"%s\", ChangeKind(%d), ", c.date.c_str(), c.number.c_str(),
                         static_cast<char>(c.kind));
            writeBytes(out, c.detail);
            std::fprintf(out, ", ");
            writeBytes(out, c.detailJa);
            std::fprintf(out, ", ");
            writeBytes(out, c.successors);
            std::fprintf(out, ", ");
            writeBytes(out, c.oldKanji);
            std::fprintf(out, ", ");
            writeBytes(out, c.oldReading);
            std::fprintf(out, ", %d},\n", c.oldKind);
        }
        std::fprintf(out, "};\n\n");
    }
    if (!jarl.empty()) {
        std::fprintf(out, "const JarlNumber kJarlNumbers[] = {\n");
        for (const JarlEntry& e : jarl) {
            std::fprintf(out, "    {\"%s\", ", e.number.c_str());
            writeBytes(out, e.kanji);
            std::fprintf(out, ", ");
            writeBytes(out, e.romaji);
            std::fprintf(out, ", %s, %s, \"%s\", %s, JarlAward::%s},\n", e.current ? "true" : "false",
                         e.reserved ? "true" : "false", e.lastDay.c_str(), e.lastDayIsBound ? "true" : "false",
                         e.award.c_str());
        }
        std::fprintf(out, "};\n\n");
    }
    std::fprintf(out, "}  // namespace\n\nextern const Edition %s;\nconst Edition %s = {\n", symbol.c_str(),
                 symbol.c_str());
    std::fprintf(out, "    \"%s\",\n    \"%s\",\n    ", edition.name.c_str(), edition.snapshot.c_str());
    writeBytes(out, edition.about);
    std::fprintf(out, ",\n    ");
    writeBytes(out, edition.status);
    std::fprintf(out, ",\n    kImage,\n    %zu,\n    %d,\n    kAreaTable,\n    kPrefectureTable,\n", image.size(),
                 count);
    if (changes.empty())
        std::fprintf(out, "    nullptr,\n    0,\n    \"\",\n");
    else
        std::fprintf(out, "    kChanges,\n    %zu,\n    \"%s\",\n", changes.size(), edition.since.c_str());
    if (jarl.empty())
        std::fprintf(out, "    nullptr,\n    0,\n");
    else
        std::fprintf(out, "    kJarlNumbers,\n    %zu,\n", jarl.size());
    std::fprintf(out, "    ");
    writeBytes(out, edition.aboutEn);
    std::fprintf(out, ",\n    ");
    writeBytes(out, edition.statusEn);
    std::fprintf(out, ",\n};\n\n}  // namespace orvetta\n");
    if (std::fclose(out) != 0) fail(path, "write failed");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5 || argc > 7) {
        std::fprintf(stderr,
                     "usage: mkdict EDITION.tsv PLACES.tsv PREFECTURES.tsv OUTPUT.cpp [HISTORY.tsv [JARL.tsv]]\n");
        return 2;
    }
    const EditionText edition = readEdition(argv[1]);
    std::vector<Prefecture> prefectures = readPrefectures(argv[3]);
    PlaceIndex places;
    std::vector<PlaceRecord> records = readPlaces(argv[2], places);
    const int count = static_cast<int>(records.size());
    if (count == 0) fail(argv[2], "no records");
    std::vector<Change> changes;
    if (argc >= 6) changes = readHistory(argv[5], edition, places);
    std::vector<JarlEntry> jarl;
    if (argc == 7) jarl = readJarlNumbers(argv[6], places);

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
        fail(argv[4], "the encoded image does not decode back to the place list");

    writeSource(argv[4], edition, image, count, areas, rows, changes, jarl);
    std::printf(
        "mkdict: edition %s: %d records, %zu bytes packed, %zu bytes encoded, %zu changes, "
        "%zu JARL numbers\n",
        edition.name.c_str(), count, packedSize, image.size(), changes.size(), jarl.size());
    return 0;
}
