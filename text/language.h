// The language a program shows its texts and place names in.
#pragma once

namespace orvetta {

enum class Language {
    Japanese,  // the Japanese face: kanji names with their readings
    English,   // the English face: romaji names, the kanji kept in brackets
};

}  // namespace orvetta
