#include "cli/load.h"

#include "cli/output.h"
#include "dict/load.h"
#include "update/startup.h"

namespace orvetta::cli {
namespace {

void informOnStderr(void*, const char* text, const char* caption) {
    complain(caption);
    complain(text);
}

}  // namespace

bool loadPlaces(const Edition& edition, const std::string& onDate, PlaceList& places) {
    selectEdition(edition);
    StagedUpdate update;
    const StartupNotices notices{informOnStderr, informOnStderr, nullptr};
    return orvetta::loadPlaces(places, onDate, update, notices) == decodedDictionarySize();
}

void releasePlaces(PlaceList& places) { releaseDictionary(places); }

}  // namespace orvetta::cli
