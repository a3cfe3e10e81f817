#include "search/romaji.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "search/fold.h"
#include "search/fold_tables.h"
#include "text/sjis.h"

namespace orvetta {

namespace {

constexpr uint16_t kSmallTsu = 0x82c1;  // っ: doubles the consonant after it
constexpr char kNotKana = '*';

// Spellings of a query rewritten to the canonical form, tried in this order
// at each position; the first that matches is taken.
struct Rewrite {
    const char* from;
    const char* to;
};
const Rewrite kQueryRewrites[] = {
    {"tchi", "tti"},  // っち in Hepburn
    {"tch", "tty"},   // っちゃ, っちゅ, っちょ in Hepburn
    {"cchi", "tti"},  // っち written with cch
    {"cch", "tty"},   // っちゃ, っちゅ, っちょ written with cch
    {"chi", "ti"},    // ち in Hepburn
    {"ch", "ty"},     // ちゃ, ちゅ, ちょ in Hepburn
    {"shi", "si"},    // し in Hepburn
    {"sh", "sy"},     // しゃ, しゅ, しょ in Hepburn
    {"tsu", "tu"},    // つ in Hepburn
    {"jji", "zzi"},   // っじ in Hepburn
    {"jj", "zzy"},    // っじゃ, っじゅ, っじょ in Hepburn
    {"ji", "zi"},     // じ in Hepburn
    {"j", "zy"},      // じゃ, じゅ, じょ in Hepburn
    {"di", "zi"},     // ぢ in Nihon-shiki
    {"du", "zu"},     // づ in Nihon-shiki
    {"dy", "zy"},     // ぢゃ, ぢゅ, ぢょ in Nihon-shiki
    {"fu", "hu"},     // ふ in Hepburn
    {"f", "hu"},      // ふぁ, ふぃ, ふぇ, ふぉ: fa, fi, fe, fo
    {"wo", "o"},      // を, also written wo
    {"mb", "nb"},     // ん before b, written m in Hepburn
    {"mm", "nm"},     // ん before m, written m in Hepburn
    {"mp", "np"},     // ん before p, written m in Hepburn
    {"v", "b"},       // ヴ, read as ぶ
};

// The canonical spellings that modified Hepburn writes otherwise: the first
// two letters of one syllable's spelling.
const Rewrite kHepburnSpellings[] = {
    {"si", "shi"},  // し
    {"sy", "sh"},   // しゃ, しゅ, しぇ, しょ
    {"ti", "chi"},  // ち
    {"ty", "ch"},   // ちゃ, ちゅ, ちぇ, ちょ
    {"tu", "tsu"},  // つ
    {"hu", "fu"},   // ふ
    {"zi", "ji"},   // じ, ぢ
    {"zy", "j"},    // じゃ, じゅ, じぇ, じょ, ぢゃ, ぢゅ, ぢょ
};

// Long vowels: where the second letter of a pair follows the first, it is
// dropped, on the readings and on the queries alike.
const char kLongVowels[][3] = {
    "aa",  // ああ, かあ: Hepburn ā
    "ii",  // いい, にい: Hepburn ii or ī
    "uu",  // うう, ちゅう: Hepburn ū
    "ee",  // ええ, ねえ: Hepburn ē
    "oo",  // おお, とお: Hepburn ō
    "ou",  // おう, こう: Hepburn ō, Kunrei ô
};

// Latin vowels with a macron or a circumflex, as UTF-8, and the plain vowel.
struct MarkedVowel {
    const char* utf8;
    char plain;
};
const MarkedVowel kMarkedVowels[] = {
    {"\xc4\x81", 'a'}, {"\xc4\x80", 'A'},  // ā Ā: Hepburn long a
    {"\xc4\xab", 'i'}, {"\xc4\xaa", 'I'},  // ī Ī: Hepburn long i
    {"\xc5\xab", 'u'}, {"\xc5\xaa", 'U'},  // ū Ū: Hepburn long u
    {"\xc4\x93", 'e'}, {"\xc4\x92", 'E'},  // ē Ē: Hepburn long e
    {"\xc5\x8d", 'o'}, {"\xc5\x8c", 'O'},  // ō Ō: Hepburn long o
    {"\xc3\xa2", 'a'}, {"\xc3\x82", 'A'},  // â Â: Kunrei long a
    {"\xc3\xae", 'i'}, {"\xc3\x8e", 'I'},  // î Î: Kunrei long i
    {"\xc3\xbb", 'u'}, {"\xc3\x9b", 'U'},  // û Û: Kunrei long u
    {"\xc3\xaa", 'e'}, {"\xc3\x8a", 'E'},  // ê Ê: Kunrei long e
    {"\xc3\xb4", 'o'}, {"\xc3\x94", 'O'},  // ô Ô: Kunrei long o
};

bool isVowel(char c) { return std::strchr("aiueo", c) != nullptr && c != '\0'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool isLongVowel(char first, char second) {
    for (const char* pair : kLongVowels)
        if (pair[0] == first && pair[1] == second) return true;
    return false;
}

// Drops the second vowel of every long vowel, in place.
void dropLongVowels(std::string& text) {
    size_t kept = 0;
    for (char c : text) {
        if (kept > 0 && isLongVowel(text[kept - 1], c)) continue;
        text[kept++] = c;
    }
    text.resize(kept);
}

// The romaji of one folded kana or pair of kana, or null.
const char* romajiOf(uint32_t kana) {
    const RomajiRow* end = kRomajiRows + kRomajiRowCount;
    const RomajiRow* row =
        std::lower_bound(kRomajiRows, end, kana, [](const RomajiRow& r, uint32_t k) { return r.kana < k; });
    return row != end && row->kana == kana ? row->romaji : nullptr;
}

uint16_t codeAt(const char* text) {
    return static_cast<uint16_t>(static_cast<unsigned char>(text[0]) << 8 | static_cast<unsigned char>(text[1]));
}

// One kana, or a pair the table spells together, of a folded reading.
struct Syllable {
    const char* spelling;  // its canonical romaji; null for a character that is no kana
    char ascii;            // with a null spelling: the character when it is ASCII, else 0
    bool doubled;          // a っ stood before it
    size_t at;             // its first byte in the text
};

// Calls visit(Syllable) for each syllable of `length` bytes of folded text,
// in order. A っ is not a syllable of its own: it marks the next one.
template <class Visit>
void walkSyllables(const char* folded, size_t length, Visit visit) {
    bool doubled = false;
    const char* const end = folded + length;
    for (size_t i = 0; i < length;) {
        const size_t n = sjisCharLength(folded + i, end);
        if (n == 1 && i + 1 == length && isSjisLeadByte(static_cast<unsigned char>(folded[i]))) break;
        const char* spelling = nullptr;
        size_t used = n;
        if (n == 2) {
            const uint16_t code = codeAt(folded + i);
            if (code == kSmallTsu) {
                doubled = true;
                i += 2;
                continue;
            }
            if (i + 2 < length && sjisCharLength(folded + i + 2, end) == 2)
                spelling = romajiOf(static_cast<uint32_t>(code) << 16 | codeAt(folded + i + 2));
            if (spelling)
                used = 4;
            else
                spelling = romajiOf(code);
        }
        const auto byte = static_cast<unsigned char>(folded[i]);
        visit(Syllable{spelling, !spelling && n == 1 && byte < 0x80 ? folded[i] : '\0', doubled, i});
        doubled = false;
        i += used;
    }
}

}  // namespace

void appendRomaji(const char* folded, size_t length, std::string& out) {
    std::string romaji;
    walkSyllables(folded, length, [&](const Syllable& syllable) {
        if (!syllable.spelling) {
            romaji += syllable.ascii ? syllable.ascii : kNotKana;
            return;
        }
        if (syllable.doubled && syllable.spelling[0] && !isVowel(syllable.spelling[0])) romaji += syllable.spelling[0];
        romaji += syllable.spelling;
    });
    dropLongVowels(romaji);
    out += romaji;
}

void appendHepburn(const char* folded, size_t length, std::string& out, std::span<const size_t> wordStarts) {
    char last = '\0';     // the last letter written by this call
    bool afterN = false;  // the last syllable written was ん
    walkSyllables(folded, length, [&](const Syllable& syllable) {
        if (!syllable.spelling) {
            if (syllable.ascii) out += syllable.ascii;
            last = syllable.ascii;
            afterN = false;
            return;
        }
        std::string spelling = syllable.spelling;
        for (const Rewrite& rewrite : kHepburnSpellings) {
            if (spelling.size() >= 2 && spelling[0] == rewrite.from[0] && spelling[1] == rewrite.from[1]) {
                spelling.replace(0, 2, rewrite.to);
                break;
            }
        }
        if (spelling.empty()) return;  // ー
        const bool startsWord = std::find(wordStarts.begin(), wordStarts.end(), syllable.at) != wordStarts.end();
        if (!syllable.doubled && !startsWord && (spelling == "u" || spelling == "o") && isLongVowel(last, spelling[0]))
            return;
        if (afterN && (isVowel(spelling[0]) || spelling[0] == 'y')) out += '\'';
        if (syllable.doubled && !isVowel(spelling[0])) out += spelling[0] == 'c' ? 't' : spelling[0];
        out += spelling;
        last = spelling.back();
        afterN = spelling == "n";
    });
}

std::string romajiOfQuery(const std::string& foldedQuery) {
    std::string letters;
    for (char c : foldedQuery) {
        if (isLetter(c))
            letters += lower(c);
        else if (c != '\'' && c != '-')
            return {};
    }
    std::string romaji;
    for (size_t i = 0; i < letters.size();) {
        const Rewrite* match = nullptr;
        for (const Rewrite& rewrite : kQueryRewrites) {
            if (letters.compare(i, std::strlen(rewrite.from), rewrite.from) == 0) {
                match = &rewrite;
                break;
            }
        }
        if (match) {
            romaji += match->to;
            i += std::strlen(match->from);
        } else {
            romaji += letters[i++];
        }
    }
    dropLongVowels(romaji);
    return romaji;
}

std::string withoutVowelMarks(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const MarkedVowel* found = nullptr;
        for (const MarkedVowel& vowel : kMarkedVowels)
            if (utf8.compare(i, 2, vowel.utf8) == 0) found = &vowel;
        if (found) {
            out += found->plain;
            i += 2;
        } else {
            out += utf8[i++];
        }
    }
    return out;
}

}  // namespace orvetta
