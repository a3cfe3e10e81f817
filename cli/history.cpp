// history: the recorded changes of one number.
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/output.h"
#include "cli/text.h"
#include "text/sjis.h"
#include "dict/history.h"
#include "dict/history_text.h"

namespace orvetta::cli {
namespace {

// 番号 NUMBER の変更は記録されていません
const char kNoChangeJa[] =
    " \x82\xcc\x95\xcf\x8dX\x82\xcd\x8bL\x98^\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1";

}  // namespace

// Prints every recorded change of the number and every change naming it as
// successor, in date order: date, change, detail; a change of another place
// names that place before its detail. Japanese words and details unless
// --lang en.
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
        const std::string line = historyLine(*change, number, "\t", options.english);
        out.write(line.data(), line.size());
        out.endLine();
    }
    if (!changes.empty()) return kExitFound;
    if (options.english) {
        std::fprintf(stderr, "orvetta-lookup: no change of %s is recorded from %s to %s\n",
                     shownArgument(number).c_str(), edition.historySince, edition.snapshotDate);
    } else {
        std::fprintf(stderr, "orvetta-lookup: %s%s (%s - %s)\n", shownArgument(number).c_str(),
                     utf8FromSjis(kNoChangeJa, sizeof kNoChangeJa - 1).c_str(), edition.historySince,
                     edition.snapshotDate);
    }
    return kExitNone;
}

}  // namespace orvetta::cli
