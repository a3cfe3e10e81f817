#include "update/startup.h"

#include "dict/edition.h"
#include "dict/history.h"
#include "dict/load.h"

namespace orvetta {

namespace {

void say(void (*to)(void*, const char*, const char*), void* context, const char* text, const char* caption) {
    if (to) to(context, text, caption);
}

}  // namespace

int loadPlaces(PlaceList& places, const Edition& edition, const std::string& onDate, StagedUpdate& update,
               const StartupNotices& notices) {
    // The edition in use loads through the load seams, so tests can fail it.
    const int loaded = &edition == gEdition ? loadDictionary(places) : loadEditionList(places, edition);
    if (loaded == kLoadNoMemory) {
        say(notices.warn, notices.context, kMemoryErrorText, kMemoryErrorCaption);
        return loaded;
    }
    if (loaded != decodedSize(edition)) {
        say(notices.warn, notices.context, kInitErrorText, kInitErrorCaption);
        return kLoadDecodeFailed;
    }
    if (!onDate.empty()) rewindToDate(edition, onDate.c_str(), places);

    if (!update.read) {
        update.read = true;
        if (!update.path.empty()) {
            const UpdateNotifier notifier{notices.inform, notices.context};
            update.status = stageUpdateFile(update.path.c_str(), notifier, update.records, &update.error);
            if (update.status == kUpdateRejected)
                say(notices.warn, notices.context, updateErrorText(update.error).c_str(), kUpdateErrorCaption);
        }
    }
    if (update.status == kUpdateMerged) mergeStaged(update.records, places);
    return loaded;
}

}  // namespace orvetta
