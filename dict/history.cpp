// Change history and the list of a given day.
#include "dict/history.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>

namespace orvetta {

namespace {

const ChangeKindInfo kChangeKinds[] = {
    {ChangeKind::Created, "created", "\x90\x56\x90\xdd"},  // 新設
    {ChangeKind::Renamed, "renamed", "\x95\xcf\x8d\x58"},  // 変更
    {ChangeKind::Ended, "ended", "\x94\x70\x8e\x7e"},      // 廃止
};

// True when the space-separated list names `number`.
bool namesNumber(const char* list, const char* number) {
    char word[8];
    while (*list) {
        size_t length = std::strcspn(list, " ");
        if (length < sizeof word) {
            std::memcpy(word, list, length);
            word[length] = '\0';
            if (sameNumberIgnoringCase(word, number)) return true;
        }
        list += length;
        while (*list == ' ') ++list;
    }
    return false;
}

void setField(char* field, size_t width, const char* text) {
    std::memset(field, 0, width);
    std::strncpy(field, text, width - 1);
}

}  // namespace

std::span<const ChangeKindInfo> changeKinds() { return kChangeKinds; }

const ChangeKindInfo& changeKindInfo(ChangeKind kind) {
    for (const ChangeKindInfo& info : kChangeKinds)
        if (info.kind == kind) return info;
    return kChangeKinds[0];  // unreachable: every kind has a row
}

const ChangeKindInfo* changeKindFromWord(const char* word) {
    for (const ChangeKindInfo& info : kChangeKinds)
        if (std::strcmp(info.word, word) == 0) return &info;
    return nullptr;
}

bool inEffectOn(const char* changeDate, const char* date) { return std::strcmp(changeDate, date) <= 0; }

PlaceStanding placeStandingOn(const char* date, const char* createdOn, const char* endedOn, bool currentAtStart) {
    const bool exists = !*createdOn || inEffectOn(createdOn, date);
    const bool wasCurrent = *createdOn ? exists : currentAtStart;
    return {exists, wasCurrent && !(*endedOn && inEffectOn(endedOn, date))};
}

bool historyCovers(const Edition& edition, const char* date) {
    return edition.changes && isCalendarDate(date) && std::strcmp(date, edition.historySince) >= 0 &&
           std::strcmp(date, edition.snapshotDate) <= 0;
}

std::vector<const PlaceChange*> changesOf(const Edition& edition, const char* number) {
    std::vector<const PlaceChange*> found;
    for (int c = 0; c < edition.changeCount; ++c) {
        const PlaceChange& change = edition.changes[c];
        if (sameNumberIgnoringCase(change.number, number) || namesNumber(change.successors, number))
            found.push_back(&change);
    }
    return found;
}

int rewindToDate(const Edition& edition, const char* date, PlaceList& places) {
    PlaceRecord* records = places.records;
    markChanged(places);
    std::unordered_map<std::string, std::vector<const PlaceChange*>> byNumber;
    for (int c = 0; c < edition.changeCount; ++c) byNumber[edition.changes[c].number].push_back(&edition.changes[c]);

    int kept = 0;
    for (int i = 0; i < edition.recordCount; ++i) {
        PlaceRecord record = records[i];
        const PlaceChange *created = nullptr, *ended = nullptr;
        std::vector<const PlaceChange*> laterRenames;
        if (auto it = byNumber.find(record.number); it != byNumber.end()) {
            for (const PlaceChange* change : it->second) {
                if (change->kind == ChangeKind::Created) created = change;
                if (change->kind == ChangeKind::Ended) ended = change;
                if (change->kind == ChangeKind::Renamed && !inEffectOn(change->date, date))
                    laterRenames.push_back(change);
            }
        }
        // Without a creation the place comes from the earlier list, where it
        // was current unless it is old now without having ended since.
        const bool currentAtStart = record.current == '1' || ended;
        const PlaceStanding standing =
            placeStandingOn(date, created ? created->date : "", ended ? ended->date : "", currentAtStart);
        if (!standing.exists) continue;
        record.current = standing.current ? '1' : '0';
        for (auto r = laterRenames.rbegin(); r != laterRenames.rend(); ++r) {
            setField(record.kanji, sizeof record.kanji, (*r)->oldKanji);
            setField(record.reading, sizeof record.reading, (*r)->oldReading);
            record.kind = (*r)->oldKind;
        }
        records[kept++] = record;
    }
    std::memset(records + kept, 0, sizeof(PlaceRecord) * static_cast<size_t>(edition.recordCount + kSpareSlots - kept));
    rebuildRegionRanges(records, kept, places.areaTable, places.prefectureTable);
    return kept;
}

}  // namespace orvetta
