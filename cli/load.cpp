#include "cli/load.h"

#include "cli/command.h"
#include "cli/output.h"
#include "dict/load.h"
#include "update/startup.h"

namespace orvetta::cli {
namespace {

void warnOnStderr(void*, const char* text, const char* caption) {
    complain(caption);
    complain(text);
}

// The notice of a missing update file, taken only for a file --update names.
void noteMissing(void* missing, const char*, const char*) { *static_cast<bool*>(missing) = true; }

}  // namespace

int loadPlaces(const Options& options, const Edition& edition, PlaceList& places) {
    selectEdition(edition);
    StagedUpdate update;
    update.path = options.updatePath;
    // A missing ./velkarad.txt is the usual case on a command line: nothing
    // is said. A file that is there but rejected is reported with its line.
    bool missing = false;
    const StartupNotices notices{options.has(OptionId::Update) ? noteMissing : nullptr, warnOnStderr, &missing};
    if (orvetta::loadPlaces(places, edition, options.onDate, update, notices) != decodedSize(edition)) {
        releaseDictionary(places);
        return kExitNoDictionary;
    }
    if (missing) {
        releaseDictionary(places);
        complainUsage("--update cannot open '" + shownArgument(options.updatePath) + "'");
        return kExitUsage;
    }
    return kExitFound;
}

}  // namespace orvetta::cli
