// history: the recorded changes of one number.
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/output.h"
#include "dict/history.h"

namespace orvetta::cli {
namespace {

const char* changeWord(ChangeKind kind) {
    switch (kind) {
    case ChangeKind::Created:
        return "created";
    case ChangeKind::Renamed:
        return "renamed";
    case ChangeKind::Ended:
        break;
    }
    return "ended";
}

}  // namespace

// Prints every recorded change of the number and every change naming it as
// successor, in date order: date, change, detail; a change of another place
// names that place before its detail.
int runHistory(const Options& options, const Edition& edition) {
    std::string number = options.words[1];
    if (number.empty()) {
        complainUsage("history takes a NUMBER, not ''");
        return kExitUsage;
    }
    for (char& c : number) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::vector<const PlaceChange*> changes = changesOf(edition, number.c_str());
    Output out(options.sjis);
    for (const PlaceChange* change : changes) {
        out.write(change->date);
        out.tab();
        out.write(changeWord(change->kind));
        out.tab();
        if (number != change->number) {
            out.write(change->number);
            out.write(" ");
        }
        out.write(change->detail);
        out.endLine();
    }
    if (!changes.empty()) return kExitFound;
    std::fprintf(stderr, "orvetta-lookup: no change of %s is recorded from %s to %s\n",
                 shownArgument(number).c_str(), edition.historySince, edition.snapshotDate);
    return kExitNone;
}

}  // namespace orvetta::cli
