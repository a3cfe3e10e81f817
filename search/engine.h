// One search over the record array: the number path and the name path.
//
// The engine reads the place list it is handed, renders each hit
// with resultLine() and appends a copy of the line to a ResultList. Between
// searches it keeps one thing: the folded texts of the list state it last
// searched folded, remade when the list's version differs (see
// forgetFoldedIndex).
#pragma once

#include <cstdint>
#include <vector>

#include "dict/place.h"
#include "text/language.h"

namespace orvetta {

enum class SearchMode { Kanji, Reading };

// Field limits of a search request, terminator included. Longer texts are cut
// to these byte counts; a number has at most 6 characters, so a cut number
// text never matches anything it would not have matched whole.
constexpr int kNumberTextSize = 16;  // at most 15 bytes take part
constexpr int kNameTextSize = 45;    // at most 44 bytes take part

constexpr int kNoEntry = -1;

// Copies a NUL-terminated text (null counts as empty) into a field of `size`
// bytes, cut to size - 1 bytes, byte-wise; the rest of the field is NUL.
void copyCut(char* field, size_t size, const char* text);

// The state of the search form at the moment a search starts.
struct SearchRequest {
    int prefecturePosition = 0;  // 0..47, prefecture table row
    int areaPosition = 0;        // 0..10, area table row
    bool numberGiven = false;
    bool cityGiven = false;
    bool wardGiven = false;
    int numberEntry = kNoEntry;  // position chosen in the number list, or kNoEntry
    char numberText[kNumberTextSize] = {};
    char cityText[kNameTextSize] = {};
    char wardText[kNameTextSize] = {};
    SearchMode searchMode = SearchMode::Kanji;
    // Match the stored bytes as typed. Otherwise the query and the stored
    // texts are compared folded (width, case, kana, variant kanji; romaji in
    // reading mode), which finds everything the exact rule finds and more.
    bool exact = false;
    Language language = Language::Japanese;  // of the result lines

    // Copy a text into its field, cut to the field's limit.
    void setNumberText(const char* text);
    void setCityText(const char* text);
    void setWardText(const char* text);
};

// Inclusive record range a search covers; first > last is an empty range.
struct Scope {
    int first;
    int last;
};

// Prefecture row p when p != 0, else area row a when a != 0, else the whole
// list (prefecture row 0).
Scope scopeOf(const PlaceList& places, int prefecturePosition, int areaPosition);

// Ordered result lines. The engine only appends; the form's clear commands
// empty it. Lines are kept back to back in one buffer.
class ResultList {
public:
    void append(const char* line);
    void clear();
    int count() const { return static_cast<int>(offsets_.size()); }
    // Valid until the next append or clear.
    const char* line(int i) const { return text_.data() + offsets_[i]; }

private:
    std::vector<char> text_;
    std::vector<uint32_t> offsets_;
};

constexpr int kSearchNothing = -1;

// Runs one search and appends a line per hit. Unless the request is exact, a
// typed number is also looked up folded (full-width digits and letters,
// spaces around it) and the name texts are matched folded. Returns 1 when the number path
// found its record, the number of lines appended on the name path (0 when
// nothing matched), and -1 when no field is given or the typed number is not
// in the scope's number list.
int runSearch(const PlaceList& places, const SearchRequest& request, ResultList& results);

// The folded search keeps the folded names and readings of one list state and
// makes them on the first folded search after the list's version changed
// (loading, merging the update file and rewinding draw a new one). Code that
// writes records by hand (tests) calls this afterwards.
void forgetFoldedIndex();

// Position of the first number of the scope's list equal to text, ASCII
// letters compared without case; kNoEntry when there is none.
int findNumberEntry(const PlaceList& places, const Scope& scope, const char* text);

// True when the bytes of text occur contiguously in the NUL-terminated field
// of the given width. Byte-wise: it knows nothing of double-byte characters.
bool fieldContains(const char* field, int width, const char* text);

}  // namespace orvetta
