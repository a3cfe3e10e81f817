#include "search/romaji_name.h"

#include <cstring>
#include <span>
#include <string_view>
#include <vector>

#include "dict/history.h"
#include "search/fold.h"
#include "search/romaji.h"
#include "text/sjis.h"

namespace orvetta {

namespace {

// The romaji suffix of each kind, by how the name's suffix is read. The kind
// comes from the name's last character (kindOfNameSuffix); the first row of
// that kind whose reading ends the name's reading is taken.
struct SuffixSpelling {
    char kind;
    const char* reading;  // folded Shift-JIS
    const char* romaji;
};
const SuffixSpelling kSuffixSpellings[] = {
    {kKindCity, "\x82\xb5", "-shi"},                  // 市 し
    {kKindDistrict, "\x82\xae\x82\xf1", "-gun"},      // 郡 ぐん
    {kKindWard, "\x82\xad", "-ku"},                   // 区 く
    {kKindTown, "\x82\xbf\x82\xe5\x82\xa4", "-cho"},  // 町 ちょう
    {kKindTown, "\x82\xdc\x82\xbf", "-machi"},        // 町 まち
    {kKindVillage, "\x82\xbb\x82\xf1", "-son"},       // 村 そん
    {kKindVillage, "\x82\xde\x82\xe7", "-mura"},      // 村 むら
};

// Endings of JARL's romaji that already name the kind, so no suffix follows.
const char* const kJarlKindWords[] = {
    "-Shicho",  // 大島支庁 Oshima-Shicho: a subprefecture office, JCG's stand-in for a district
    "-wards",   // 東京23区 Tokyo 23-wards: Tokyo's 23 wards as one JCC number
};

// Kanji read from a vowel that would otherwise count as the long vowel of the
// kana before it (豊浦 とようら Toyoura, not Toyora): where the name holds the
// kanji, its reading begins a word. 河内 こうち, where 内 is read ち, comes
// out as Kouchi.
struct VowelWord {
    const char* kanji;    // one Shift-JIS character
    const char* reading;  // folded Shift-JIS
};
const VowelWord kVowelWords[] = {
    {"\x89Y", "\x82\xa4\x82\xe7"},     // 浦 うら: 勝浦 Katsuura, 内之浦 Uchinoura
    {"\x93\xe0", "\x82\xa4\x82\xbf"},  // 内 うち: 大内 Ouchi, 堀之内 Horinouchi
    {"\x8f\xe3", "\x82\xa4\x82\xa6"},  // 上 うえ: 滝上 Takinoue
    {"\x89\x46", "\x82\xa4"},          // 宇 う: 大宇陀 Ouda, 由宇 Yuu
    {"\x89\xaa", "\x82\xa8\x82\xa9"},  // 岡 おか: 大岡 Ooka
    {"\x94\xf6", "\x82\xa8"},          // 尾 お: 広尾 Hiroo
    {"\x8a\x43", "\x82\xa4\x82\xdd"},  // 海 うみ: 小海 Koumi
};

// Each whole character of `text` at which `part` starts, as a byte offset.
template <class Found>
void eachCharacterMatch(std::string_view text, std::string_view part, Found found) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    for (const char* p = begin; p < end; p += sjisCharLength(p, end))
        if (*p == part[0] && static_cast<size_t>(end - p) >= part.size() &&
            std::memcmp(p, part.data(), part.size()) == 0)
            found(static_cast<size_t>(p - begin));
}

// Where in the folded reading a word of kVowelWords begins.
std::vector<size_t> wordStartsOf(std::string_view kanji, std::string_view reading) {
    std::vector<size_t> starts;
    for (const VowelWord& word : kVowelWords) {
        bool held = false;
        eachCharacterMatch(kanji, word.kanji, [&](size_t) { held = true; });
        if (held) eachCharacterMatch(reading, word.reading, [&](size_t at) { starts.push_back(at); });
    }
    return starts;
}

// A name or reading split into its stem and the subprefecture in brackets
// that may close it: "雨竜郡(空知)" is "雨竜郡" and "空知".
struct Bracketed {
    std::string_view stem;
    std::string_view bracket;  // without the brackets; empty when there is none
    bool hasBracket = false;
};

// The first "(" at a character boundary starts the bracket, when the text
// ends in ")".
Bracketed splitBracket(std::string_view text) {
    if (text.empty() || text.back() != ')') return {text, {}, false};
    const char* begin = text.data();
    const char* end = begin + text.size();
    for (const char* p = begin; p < end; p += sjisCharLength(p, end)) {
        if (*p == '(')
            return {std::string_view(begin, static_cast<size_t>(p - begin)),
                    std::string_view(p + 1, static_cast<size_t>(end - p - 2)), true};
    }
    return {text, {}, false};
}

// True when `suffix` is the last whole characters of `text`.
bool endsWithCharacters(std::string_view text, std::string_view suffix) {
    if (suffix.size() > text.size()) return false;
    const char* end = text.data() + text.size();
    const char* at = end - suffix.size();
    const char* p = text.data();
    while (p < at) p += sjisCharLength(p, end);
    return p == at && std::memcmp(at, suffix.data(), suffix.size()) == 0;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

void capitalize(std::string& text, size_t from) {
    if (from < text.size() && text[from] >= 'a' && text[from] <= 'z') text[from] = static_cast<char>(text[from] - 32);
}

// Appends folded reading text in Hepburn, its first letter a capital.
void appendSpelled(std::string_view folded, std::string& out, std::span<const size_t> wordStarts = {}) {
    const size_t from = out.size();
    appendHepburn(folded.data(), folded.size(), out, wordStarts);
    capitalize(out, from);
}

// Appends JARL's romaji, whose first letter is a capital in all but a few
// entries ("saidaiji"), without the spaces that may stand before a bracket.
void appendJarl(std::string_view romaji, std::string& out) {
    while (!romaji.empty() && romaji.back() == ' ') romaji.remove_suffix(1);
    const size_t from = out.size();
    out += romaji;
    capitalize(out, from);
}

// True for text that folding leaves as it is because it holds only hiragana
// (lead byte 0x82, trail 0x9F-0xF1) and small ASCII letters and brackets, as
// nearly every stored reading does; it is then spelled without a copy.
bool isFolded(std::string_view text) {
    const char* const end = text.data() + text.size();
    for (const char* p = text.data(); p < end;) {
        const SjisChar at = sjisCharAt(p, end);
        const auto c = static_cast<unsigned char>(*p);
        const bool hiragana = at.whole && at.length == 2 && c == 0x82 && static_cast<unsigned char>(p[1]) >= 0x9F &&
                              static_cast<unsigned char>(p[1]) <= 0xF1;
        if (!hiragana && !(at.length == 1 && ((c >= 'a' && c <= 'z') || c == '(' || c == ')'))) return false;
        p += at.length;
    }
    return true;
}

// JARL's romaji of a number, or null: reserved numbers name no place. JARL's
// numbers are digits only, so a town's or village's is never looked up.
const char* jarlRomajiOf(const char* number) {
    char key[sizeof(PlaceRecord::number) + 1] = {};
    const size_t length = strnlen(number, sizeof(PlaceRecord::number));
    for (size_t i = 0; i < length; ++i)
        if (number[i] < '0' || number[i] > '9') return nullptr;
    std::memcpy(key, number, length);
    const JarlNumber* entry = findJarlNumber(key);
    return entry && !entry->reserved && entry->romaji[0] ? entry->romaji : nullptr;
}

}  // namespace

void appendRomajiName(const PlaceRecord& record, std::string& out) {
    const Bracketed kanji = splitBracket({record.kanji, strnlen(record.kanji, sizeof record.kanji)});
    const std::string_view stored(record.reading, strnlen(record.reading, sizeof record.reading));
    std::string folded;
    if (!isFolded(stored)) appendFolded(stored.data(), stored.size(), folded);
    const Bracketed reading = splitBracket(isFolded(stored) ? stored : std::string_view(folded));

    // The suffix the name's last character and the reading's last kana give.
    const char kind = kindOfNameSuffix(kanji.stem.data(), kanji.stem.size());
    const SuffixSpelling* suffix = nullptr;
    for (const SuffixSpelling& row : kSuffixSpellings) {
        if (row.kind == kind && endsWithCharacters(reading.stem, row.reading)) {
            suffix = &row;
            break;
        }
    }

    const size_t from = out.size();
    std::string_view bracket;
    if (const char* jarl = jarlRomajiOf(record.number)) {
        const Bracketed romaji = splitBracket(jarl);
        appendJarl(romaji.stem, out);
        bracket = romaji.bracket;
        for (const char* word : kJarlKindWords)
            if (endsWith(romaji.stem, word)) suffix = nullptr;
    } else {
        appendSpelled(
            suffix ? reading.stem.substr(0, reading.stem.size() - std::strlen(suffix->reading)) : reading.stem, out,
            wordStartsOf(kanji.stem, reading.stem));
    }
    if (out.size() == from) out += '?';  // a reading without kana
    if (suffix) out += suffix->romaji;

    // The bracket only where the name itself has one: 雨竜郡 of 1998 is plain
    // Uryu-gun, although JARL's romaji of its number now carries (Sorachi).
    if (!kanji.hasBracket) return;
    std::string inner;
    if (!bracket.empty())
        appendJarl(bracket, inner);
    else
        appendSpelled(reading.bracket, inner);
    if (!inner.empty()) out += " (" + inner + ")";
}

std::string romajiName(const PlaceRecord& record) {
    std::string name;
    appendRomajiName(record, name);
    return name;
}

std::string placeName(const PlaceRecord& record, Language language) {
    const std::string kanji(record.kanji, strnlen(record.kanji, sizeof record.kanji));
    return language == Language::English ? romajiName(record) + " (" + kanji + ")" : kanji;
}

const char* prefectureLabel(const PrefectureRow& row, Language language) {
    return language == Language::English ? row.english : row.name;
}

const char* areaCaptionLabel(const AreaCaption& caption, Language language) {
    return language == Language::English ? caption.english : caption.caption;
}

}  // namespace orvetta
