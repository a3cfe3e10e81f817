// Loading the built-in dictionary into the record array at start-up.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dict/edition.h"
#include "dict/place.h"
#include "text/texts.h"

namespace orvetta {

constexpr int kLoadNoMemory = -1;
constexpr int kLoadDecodeFailed = 0;

// Takes a zero-filled block of recordArraySlots() records from the process
// heap into places.records (giving back the block it held) and decodes the
// image of the edition in use into it. Returns -1 when the heap gave no block
// (records stays null), 0 when the decode failed, and decodedDictionarySize()
// on success. Tables are reset to the edition's shipped values.
int loadDictionary(PlaceList& places);

// Loads `edition` into `places` like loadDictionary, whatever the edition in
// use: for a second list beside the program's own, such as today's list that
// the log check reads in the 1998 program. Same results.
int loadEditionList(PlaceList& places, const Edition& edition);

// Returns the record array to the heap, if there is one. Safe to call twice.
void releaseDictionary(PlaceList& places);

// Test seams: where loadDictionary takes its memory and its image from. The
// defaults are the process heap and the image of the edition in use.
struct LoadSeams {
    void* (*allocate)(size_t size);
    const uint8_t* image;
    size_t imageSize;
};
LoadSeams defaultLoadSeams();
extern LoadSeams gLoadSeams;

// The message texts shown for each failed load (Shift-JIS), in Japanese; the
// windows show the form of their face from the same rows of the table.
inline constexpr const char* kMemoryErrorText = textOf(TextId::StartNoMemoryText, Language::Japanese);
inline constexpr const char* kMemoryErrorCaption = textOf(TextId::StartNoMemoryCaption, Language::Japanese);
inline constexpr const char* kInitErrorText = textOf(TextId::StartInitErrorText, Language::Japanese);
inline constexpr const char* kInitErrorCaption = textOf(TextId::StartInitErrorCaption, Language::Japanese);

}  // namespace orvetta
