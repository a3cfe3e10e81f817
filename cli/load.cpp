#include "cli/load.h"

#include "cli/output.h"
#include "dict/history.h"
#include "dict/load.h"
#include "dict/place.h"
#include "update/update_file.h"

namespace orvetta::cli {
namespace {

void informOnStderr(void*, const char* text, const char* caption) {
    complain(caption);
    complain(text);
}

}  // namespace

bool loadPlaces(const Edition& edition, const std::string& onDate) {
    selectEdition(edition);
    int loaded = loadDictionary();
    if (loaded == kLoadNoMemory) {
        informOnStderr(nullptr, kMemoryErrorText, kMemoryErrorCaption);
        return false;
    }
    if (loaded != decodedDictionarySize()) {
        informOnStderr(nullptr, kInitErrorText, kInitErrorCaption);
        return false;
    }
    if (!onDate.empty()) rewindToDate(*gEdition, onDate.c_str(), gRecords, gAreaTable, gPrefectureTable);
    UpdateNotifier notifier{informOnStderr, nullptr};
    UpdateError error;
    if (readUpdateFile(notifier, gRecords, gAreaTable, gPrefectureTable, &error) == kUpdateRejected)
        informOnStderr(nullptr, updateErrorText(error).c_str(), kUpdateErrorCaption);
    return true;
}

void releasePlaces() { releaseDictionary(); }

}  // namespace orvetta::cli
