// The history every program carries: today's edition with its changes and
// JARL's number list. A member of its own, so a program that asks for the
// history links today's edition whichever edition it runs with.
#include <algorithm>
#include <cstring>

#include "dict/history.h"

namespace orvetta {

const Edition& historyEdition() { return kEditionCurrent; }

std::span<const JarlNumber> jarlNumbers() {
    const Edition& edition = historyEdition();
    return {edition.jarlNumbers, static_cast<size_t>(edition.jarlCount)};
}

const JarlNumber* findJarlNumber(const char* number) {
    const std::span<const JarlNumber> table = jarlNumbers();
    auto it = std::lower_bound(table.begin(), table.end(), number, [](const JarlNumber& entry, const char* key) {
        return std::strcmp(entry.number, key) < 0;
    });
    return it != table.end() && std::strcmp(it->number, number) == 0 ? &*it : nullptr;
}

const char* jarlLastDay(const char* number, bool* isBound) {
    const JarlNumber* entry = findJarlNumber(number);
    if (!entry || entry->current || entry->reserved || !entry->lastDay[0]) return nullptr;
    *isBound = entry->lastDayIsBound;
    return entry->lastDay;
}

}  // namespace orvetta
