// awards: ham logs checked against JARL's award lists, as the readable report
// or one TSV table.
#include <cstdio>
#include <string>

#include "cli/command.h"
#include "cli/load.h"
#include "cli/output.h"
#include "log/award_check.h"
#include "log/award_data_builder.h"
#include "log/award_report.h"
#include "text/sjis.h"

namespace orvetta::cli {
namespace {

// ログに日本局との交信がありません
const char kNoJapaneseContactJa[] =
    "\x83\x8d\x83O\x82\xc9\x93\xfa\x96{\x8b\xc7\x82\xc6\x82\xcc\x8c\xf0\x90M\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9"
    "\x82\xf1";

// The name problems carry: Shift-JIS where the UTF-8 name converts, the
// bytes as given otherwise (output shows a bad byte as U+FFFD).
std::string shownFileName(const std::string& utf8Name) {
    std::string sjis;
    return sjisFromUtf8(utf8Name, sjis) ? sjis : utf8Name;
}

// Reads every log into `check`. False after naming the first log that cannot
// be opened, read or taken for a log; nothing is written then.
bool readLogs(const std::vector<std::string>& files, AwardCheck& check) {
    for (const std::string& file : files) {
        const char* problem = nullptr;
        switch (checkLogFile(check, file, shownFileName(file))) {
        case kLogRead: continue;
        case kLogCannotOpen: problem = "cannot be opened (no such file, no permission, or not a regular file)"; break;
        case kLogReadError: problem = "could not be read to its end"; break;
        case kLogNotALog: problem = "is neither an ADIF log nor a HAMLOG CSV: none of its records could be read"; break;
        case kLogUtf16: problem = "is UTF-16 text, which cannot be read: save it as UTF-8 or Shift-JIS"; break;
        case kLogNotHamlog:
            problem =
                "is neither an ADIF log nor a HAMLOG CSV: no line has a HAMLOG date (yy/mm/dd) in its second column";
            break;
        }
        std::fprintf(stderr, "orvetta-lookup: the log '%s' %s\n", file.c_str(), problem);
        return false;
    }
    return true;
}

// Writes the report or the table asked for; false when the problem list
// could not be read back and the output is cut short.
bool writeOutput(const AwardCheck& check, const Options& options, Output& out) {
    const ReportLanguage language = options.english ? ReportLanguage::English : ReportLanguage::Japanese;
    const TextSink sink = [&](std::string_view text) { out.write(text.data(), text.size()); };
    switch (options.tsv) {
    case TsvTable::None: return writeReport(check, language, sink);
    case TsvTable::Summary: sink(writeSummaryTsv(check)); return true;
    case TsvTable::Credits: sink(writeCreditsTsv(check, language)); return true;
    case TsvTable::Problems: return writeProblemsTsv(check, language, sink);
    case TsvTable::Needed: sink(writeNeededTsv(check, options.confirmed, language)); return true;
    }
    return true;
}

}  // namespace

// Loads today's list (update file merged, so the user's corrections count),
// reads every log, then writes the report or the one table asked for. Logs
// with no Japanese contact still get their output, with exit status 1.
int runAwards(const Options& options, const Edition& edition) {
    if (options.confirmed && options.tsv != TsvTable::Needed) {
        complainUsage("--confirmed applies only to --tsv needed");
        return kExitUsage;
    }
    PlaceList places;
    if (const int status = loadPlaces(options, edition, places); status != kExitFound) return status;
    const AwardData data = buildAwardData(places, edition);
    releaseDictionary(places);

    AwardCheck check(data, CheckOptions{options.band, options.mode});
    if (!readLogs({options.words.begin() + 1, options.words.end()}, check)) return kExitLogUnreadable;

    Output out(options.sjis);
    if (!writeOutput(check, options, out)) {
        std::fprintf(stderr,
                     "orvetta-lookup: the list of problem contacts could not be read back from its "
                     "temporary file; the output is incomplete\n");
        return kExitWriteFailed;
    }
    if (check.counts().japanese > 0) return kExitFound;
    if (options.english)
        std::fprintf(stderr, "orvetta-lookup: the logs hold no Japanese contact\n");
    else
        std::fprintf(stderr, "orvetta-lookup: %s\n",
                     utf8FromSjis(kNoJapaneseContactJa, sizeof kNoJapaneseContactJa - 1).c_str());
    return kExitNone;
}

}  // namespace orvetta::cli
