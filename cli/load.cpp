#include "cli/load.h"

#include "cli/output.h"
#include "dict/load.h"
#include "update/startup.h"

namespace orvetta::cli {
namespace {

void warnOnStderr(void*, const char* text, const char* caption) {
    complain(caption);
    complain(text);
}

}  // namespace

bool loadPlaces(const Options& options, const Edition& edition, PlaceList& places) {
    selectEdition(edition);
    StagedUpdate update;
    update.path = options.updatePath;
    // A missing update file is the usual case on a command line: nothing is
    // said. A file that is there but rejected is reported with its line.
    const StartupNotices notices{nullptr, warnOnStderr, nullptr};
    return orvetta::loadPlaces(places, options.onDate, update, notices) == decodedDictionarySize();
}

void releasePlaces(PlaceList& places) { releaseDictionary(places); }

}  // namespace orvetta::cli
