// The update file "velkarad.txt": reading, checking and merging.
//
// Shift-JIS text, one place per line, lines ending in CR LF:
//   number,kanji,reading,current          e.g. 0136,北斗市,ほくとし,1
// The byte before each line end is dropped (the CR); a NUL ends a line like an
// LF. Lines starting with ";" and empty lines are skipped; at most 249 bytes
// before the LF, comments included. Every data line must pass, or nothing at
// all is merged. See parseUpdateLine for the fields.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "dict/place.h"
#include "text/texts.h"

namespace orvetta {

constexpr int kUpdateMerged = 0, kUpdateRejected = -1, kUpdateNoFile = -2;

// Shows a message to the user (the Windows program: an information box owned
// by the main window).
struct UpdateNotifier {
    void (*inform)(void* context, const char* text, const char* caption);  // Shift-JIS text and caption
    void* context;
};

extern const char kUpdateFileName[];  // "velkarad.txt"
constexpr int kUpdateLineBufferSize = 256;
constexpr int kUpdateLineLimit = 249;         // bytes before the LF, CR included
constexpr int kUpdateStagingSlots = 100;      // data lines per file: the spare slots
constexpr size_t kUpdateSizeLimit = 1048576;  // bytes per file: 1 MiB, checked before reading

// Why a file was rejected: the first check that failed. Each has one short
// reason for the user (updateFaultReason).
enum class UpdateFault : unsigned char {
    None,              // accepted
    FileEmpty,         // 0 bytes
    FileUnreadable,    // size not available, or no memory to read it into
    FileTooLarge,      // over kUpdateSizeLimit
    LineTooLong,       // 250 bytes or more before the LF
    TooManyLines,      // a 101st data line
    Fields,            // fewer than three commas
    NumberPrefecture,  // the first two bytes are not "01".."47"
    NumberTooLong,     // more than 6 bytes
    NumberLetter,      // a byte a-z, or a 6-byte town/village number not ending in A-Z
    NameTooLong,       // more than 16 bytes
    NameSuffix,        // not ending in 市 郡 区 町 村
    ReadingTooLong,    // more than 28 bytes
    CurrentMark,       // not exactly one byte
};

// Where and why: `line` counts lines from 1 (every LF or NUL ends one);
// 0 when the fault belongs to the whole file.
struct UpdateError {
    int line = 0;
    UpdateFault fault = UpdateFault::None;
};

// Reads "velkarad.txt" of the current directory and merges it into the record
// array and both tables. Returns 0 merged (also with no data line), -1 the
// file is empty or its size unknown, a line is too long, a data line is bad or
// there are more than 100 of them, or the file is over 1 MiB (nothing
// merged), -2 the file did not open or is no regular file (the notifier has
// told the user). On -1 `error`, when given, names the first fault, and the
// caller shows updateErrorText(error).
int readUpdateFile(const UpdateNotifier& notifier, PlaceRecord* records, AreaRow* areaTable,
                   PrefectureRow* prefectureTable, UpdateError* error = nullptr);

// Reading and merging are two steps, so that a list rebuilt later (a rewind
// to another day) can take the same lines again without reading the file or
// telling the user twice.
//
// Reads `name` and checks every line; on 0 `staged` holds the accepted
// records in file order (none for a file of comments only). Other results and
// `error` as readUpdateFile; `staged` is then empty.
int stageUpdateFile(const char* name, const UpdateNotifier& notifier, std::vector<PlaceRecord>& staged,
                    UpdateError* error = nullptr);
// The same for a file already in memory (see readUpdateText).
int stageUpdateText(const char* fileBuffer, size_t fileSize, std::vector<PlaceRecord>& staged,
                    UpdateError* error = nullptr);
// Merges staged records into the list (see mergeUpdates).
void mergeStaged(const std::vector<PlaceRecord>& staged, PlaceList& places);

// Everything after the file read: checks every line of `fileBuffer` and, when
// all pass, merges them. `fileBuffer` holds `fileSize` bytes followed by at
// least one NUL. Returns 0 or -1 as readUpdateFile, with `error` likewise.
int readUpdateText(const char* fileBuffer, size_t fileSize, PlaceRecord* records, AreaRow* areaTable,
                   PrefectureRow* prefectureTable, UpdateError* error = nullptr);

// Copies the line at *position into `line` (kUpdateLineBufferSize bytes) as
// NUL-terminated text, without its LF or NUL end and without the byte before
// it, and moves *position past the end. Returns false, leaving *position, when
// the line has 250 bytes or more before its end.
bool readUpdateLine(const char* fileBuffer, size_t* position, char* line);

// Checks one data line and fills `slot` with its record. Returns the first
// fault in field order, None when accepted (the slot is unchanged otherwise).
// Four fields, separated by the first three commas:
//   number   2..6 bytes, the first two a prefecture code "01".."47"; no byte
//            a-z (the number lookup ignores letter case, so 01001a would hide
//            01001A), and a town or village number of 6 bytes ends in A-Z
//   kanji    2..16 bytes ending in 市 郡 区 町 村 (kind 4 5 6 7 8), compared
//            as the last two bytes
//   reading  0..28 bytes
//   current  exactly one byte, any (a comma too); "1" exists, "0" old
// Fields are copied as bytes: no trimming, no conversion.
UpdateFault checkUpdateLine(const char* line, PlaceRecord* slot);
// The same as 1 accepted, 0 rejected.
int parseUpdateLine(const char* line, PlaceRecord* slot);

// The reason shown for a fault (Shift-JIS), e.g. 番号が 6 文字を超えています.
const char* updateFaultReason(UpdateFault fault, Language language = Language::Japanese);

// The update error message for a rejected file: kUpdateErrorText with a third
// line after its second naming the line and the reason, e.g.
// "12 行目: 番号が 6 文字を超えています", or the reason alone for a fault of the
// whole file (Shift-JIS).
std::string updateErrorText(const UpdateError& error, Language language = Language::Japanese);

// Message texts (Shift-JIS), in Japanese; the windows show the form of their
// face from the same rows of the table.
inline constexpr const char* kUpdateMissingText = textOf(TextId::UpdateMissingText, Language::Japanese);
inline constexpr const char* kUpdateMissingCaption = textOf(TextId::UpdateMissingCaption, Language::Japanese);
inline constexpr const char* kUpdateErrorText = textOf(TextId::UpdateErrorText, Language::Japanese);
inline constexpr const char* kUpdateErrorCaption = textOf(TextId::UpdateErrorCaption, Language::Japanese);

}  // namespace orvetta
