#include "log/award_data_builder.h"

#include <cstring>
#include <string>
#include <unordered_map>

#include "dict/history.h"
#include "search/romaji_name.h"

namespace orvetta {

namespace {

// What the history says of one number.
struct Dated {
    std::string created;     // created after the history's first day
    std::string ended;       // the day it ended
    std::string successors;  // the numbers that took over
};

NumberKind kindOfAward(JarlAward award) {
    switch (award) {
    case JarlAward::Jcc: return NumberKind::Jcc;
    case JarlAward::Jcg: return NumberKind::Jcg;
    case JarlAward::Ku: return NumberKind::Ku;
    }
    return NumberKind::Jcc;
}

std::string fieldText(const char* field, size_t width) { return std::string(field, strnlen(field, width)); }

std::unordered_map<std::string, Dated> datesOfHistory(const Edition& edition) {
    std::unordered_map<std::string, Dated> dates;
    for (int i = 0; i < edition.changeCount; ++i) {
        const PlaceChange& change = edition.changes[i];
        Dated& d = dates[fieldText(change.number, sizeof change.number)];
        // Numbers that existed when the history starts have no known first
        // day: they count for any earlier contact.
        if (change.kind == ChangeKind::Created && std::strcmp(change.date, edition.historySince) > 0)
            d.created = change.date;
        if (change.kind == ChangeKind::Ended) {
            d.ended = change.date;
            d.successors = change.successors;
        }
    }
    return dates;
}

}  // namespace

AwardData buildAwardData(const PlaceList& currentList, const Edition& history) {
    const std::unordered_map<std::string, Dated> dates = datesOfHistory(history);
    const auto datedOf = [&](const std::string& number) -> const Dated& {
        static const Dated kNone;
        const auto it = dates.find(number);
        return it == dates.end() ? kNone : it->second;
    };
    std::unordered_map<std::string, const PlaceRecord*> places;
    for (int i = 0; i < currentList.count(); ++i) {
        const PlaceRecord& r = currentList.records[i];
        places.emplace(fieldText(r.number, sizeof r.number), &r);
    }

    AwardData data;
    data.listDay = history.snapshotDate;
    for (const JarlNumber& jarl : std::span(history.jarlNumbers, static_cast<size_t>(history.jarlCount))) {
        NumberFacts f;
        f.number = fieldText(jarl.number, sizeof jarl.number);
        f.kind = kindOfAward(jarl.award);
        f.current = jarl.current && !jarl.reserved;
        f.romaji = jarl.romaji;
        const Dated& dated = datedOf(f.number);
        // A reserved number keeps no day at all, so it never counts.
        if (!jarl.reserved && !jarl.current) {
            if (jarl.lastDay[0] == '\0') {
                f.endsBefore = dated.ended;  // JARL gives no day: the history's, if any
            } else if (jarl.lastDayIsBound) {
                f.endsBefore = jarl.lastDay;
                f.uncertainEnd = true;
            } else {
                f.lastDay = jarl.lastDay;
            }
        }
        f.firstDay = dated.created;
        f.successors = dated.successors;
        // The place list's name (with 市, 郡 or 区); JARL's own where the list
        // has no such number.
        const auto place = places.find(f.number);
        f.kanji = place != places.end() ? fieldText(place->second->kanji, sizeof place->second->kanji) : jarl.kanji;
        data.numbers.push_back(std::move(f));
    }

    for (int i = 0; i < currentList.count(); ++i) {
        const PlaceRecord* record = &currentList.records[i];
        if (record->kind != kKindTown && record->kind != kKindVillage) continue;
        NumberFacts f;
        f.number = fieldText(record->number, sizeof record->number);
        f.kind = NumberKind::Town;
        // As a result line shows it: any digit 1-9 marks a place that exists.
        f.current = isCurrentForLine(record->current);
        const Dated& dated = datedOf(f.number);
        f.endsBefore = dated.ended;
        f.firstDay = dated.created;
        f.successors = dated.successors;
        f.kanji = fieldText(record->kanji, sizeof record->kanji);
        f.romaji = romajiName(*record);  // JARL's lists hold no towns: the reading in Hepburn
        data.numbers.push_back(std::move(f));
    }

    for (int p = 1; p <= kLastPrefectureRow; ++p) {
        const PrefectureRow& row = currentList.prefectureTable[p];
        data.prefectureKanji[p - 1] = fieldText(row.name, sizeof row.name);
    }
    return data;
}

}  // namespace orvetta
