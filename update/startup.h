// The one way a program gets its place list: the edition's image decoded,
// rewound to a day when one is chosen, and the update file merged.
//
// Both programs run it at start-up; a program that changes its day runs it
// again with the same staged update, which reads nothing and tells nothing a
// second time.
#pragma once

#include <string>
#include <vector>

#include "dict/edition.h"
#include "dict/place.h"
#include "update/update_file.h"

namespace orvetta {

// Where the pipeline's messages go; each program supplies its own (message
// boxes owned by the main window, or standard error). Texts are Shift-JIS.
struct StartupNotices {
    // A missing update file (the desktop program's information box). May be
    // null: nothing is said.
    void (*inform)(void* context, const char* text, const char* caption);
    // A failed load or a rejected update file.
    void (*warn)(void* context, const char* text, const char* caption);
    void* context;
};

// The update file as read once: its accepted lines, or why it gave none.
struct StagedUpdate {
    std::string path = kUpdateFileName;  // "" reads no file
    bool read = false;                   // set by the first loadPlaces
    int status = kUpdateNoFile;          // readUpdateFile's result
    UpdateError error;
    std::vector<PlaceRecord> records;  // accepted lines, in file order
};

// Decodes the image of `edition` into `places`: the edition in use
// (selectEdition) through the load seams, or another beside it, such as
// today's list the log check reads in the 1998 program. Then rewinds it to
// the end of `onDate` ("" keeps the edition's own day; a day the edition's
// history covers otherwise), and merges the update file: read and checked on
// the first call (its notices go out then), taken from `update` after.
// Returns decodedSize(edition) when the list is ready, kLoadNoMemory or
// kLoadDecodeFailed after warning (the list must not be used; release it). A
// rejected update file is warned of and leaves the list as decoded.
int loadPlaces(PlaceList& places, const Edition& edition, const std::string& onDate, StagedUpdate& update,
               const StartupNotices& notices);

}  // namespace orvetta
