// Folding: the one form in which a query and a stored name or reading are
// compared by the search.
//
// Width (full-width ASCII and space to ASCII, half-width katakana to
// full-width), case (ASCII capitals to small letters), kana (katakana to
// hiragana; ケ, ヶ and ヵ to け) and variant kanji (each group of
// search/variants.txt to its first character) are folded character by
// character from the tables scripts/make-fold-tables.py builds.
#pragma once

#include <cstddef>
#include <string>

namespace orvetta {

// Appends the folded form of `length` bytes of Shift-JIS text to out,
// walked as text/sjis.h walks it. A lead byte cut off at the end is dropped.
void appendFolded(const char* text, size_t length, std::string& out);

// A query as the folded search compares it: folded, with leading and
// trailing spaces (ASCII and full-width) dropped.
std::string foldQuery(const char* text);

}  // namespace orvetta
