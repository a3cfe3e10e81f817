// Romaji for the reading search: every reading is turned once into one
// canonical romaji, and a query made of Latin letters is folded into the
// same spelling, so that Hepburn, Kunrei and Nihon-shiki queries all match.
//
// The canonical form is Kunrei-like (si, ti, tu, hu, zi, sya, tya, zya), with
// ん as n, a doubled consonant for っ, and long vowels dropped: of aa, ii, uu,
// ee, oo and ou only the first vowel stays, and ー is dropped, so chuo,
// chuuou and tyuuou all read tyuo, as ちゅうおう does. Kana are spelled from
// search/romaji.tsv; the query's spellings are rewritten by the table in
// romaji.cpp.
#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace orvetta {

// Appends the canonical romaji of `length` bytes of folded Shift-JIS reading
// text (see appendFolded). ASCII stays as it is; any other character that is
// not kana becomes '*', which no query holds.
void appendRomaji(const char* folded, size_t length, std::string& out);

// Appends `length` bytes of folded Shift-JIS reading text spelled in modified
// Hepburn without macrons, in small letters, for people to read: shi, chi,
// tsu, fu, ji, sha, cha, ja; tchi for っち; n' before a vowel or y (かんおんじ
// kan'onji); of the long vowels ou, oo and uu only the first vowel stays
// (ちゅうおう chuo, おおいた oita), while ii, ee and aa stay as they are
// (にいがた niigata). ー is dropped, ASCII is kept, and any other character
// that is no kana is left out. A kana at one of the byte offsets `wordStarts`
// begins a word, so it is never the second half of a long vowel: とようら with
// a word at うら is toyoura.
void appendHepburn(const char* folded, size_t length, std::string& out, std::span<const size_t> wordStarts = {});

// The canonical romaji of a folded query made only of ASCII letters, "'" and
// "-" with at least one letter; empty for any other query.
std::string romajiOfQuery(const std::string& foldedQuery);

// UTF-8 text with the Latin vowels that carry a macron or a circumflex
// (ō, Ô, â...) written plain: Shift-JIS has no form for them, so a caller that
// takes UTF-8 queries applies this before converting.
std::string withoutVowelMarks(const std::string& utf8);

}  // namespace orvetta
