// awards: ham logs checked against JARL's award lists, as the readable report
// or one TSV table.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/load.h"
#include "cli/output.h"
#include "cli/text.h"
#include "dict/load.h"
#include "log/award_report.h"
#include "log/award_run.h"
#include "text/sjis.h"

namespace orvetta::cli {
namespace {

// The name problems carry: Shift-JIS where the UTF-8 name converts, the
// bytes as given otherwise (output shows a bad byte as U+FFFD).
std::string shownFileName(const std::string& utf8Name) {
    std::string sjis;
    return sjisFromUtf8(utf8Name, sjis) ? sjis : utf8Name;
}

ReportLanguage languageOf(const Options& options) {
    return options.english ? ReportLanguage::English : ReportLanguage::Japanese;
}

// Writes the report or the table asked for; false when the problem list
// could not be read back and the output is cut short.
bool writeOutput(const AwardCheck& check, const Options& options, Output& out) {
    const ReportLanguage language = languageOf(options);
    const TextSink sink = [&](std::string_view text) { out.write(text.data(), text.size()); };
    switch (options.tsv) {
    case TsvTable::None:
        if (options.has(OptionId::List)) {
            sink(writeApplicationList(check, options.listAward, options.confirmed, language, kPrintableLineEnd));
            return true;
        }
        return writeReport(check, language, sink);
    case TsvTable::Summary: sink(writeSummaryTsv(check)); return true;
    case TsvTable::Credits: sink(writeCreditsTsv(check, language)); return true;
    case TsvTable::Problems: return writeProblemsTsv(check, language, sink);
    case TsvTable::Needed: sink(writeNeededTsv(check, options.confirmed, language)); return true;
    case TsvTable::Application: sink(writeApplicationTsv(check, options.confirmed, language)); return true;
    }
    return true;
}

}  // namespace

// Loads today's list (update file merged, so the user's corrections count),
// reads every log, then writes the report, the one table or the printable
// list asked for. Logs
// with no Japanese contact still get their output, with exit status 1.
int runAwards(const Options& options, const Edition& edition) {
    const bool listing = options.has(OptionId::List);
    if (listing && options.tsv != TsvTable::None) {
        complainUsage("--list and --tsv cannot both be given");
        return kExitUsage;
    }
    if (options.confirmed && options.tsv != TsvTable::Needed && options.tsv != TsvTable::Application && !listing) {
        complainUsage("--confirmed applies only to --tsv needed, --tsv application and --list");
        return kExitUsage;
    }
    PlaceList places;
    if (const int status = loadPlaces(options, edition, places); status != kExitFound) return status;
    AwardRun run(places, edition, CheckOptions{options.band, options.mode, options.skipVia});
    releaseDictionary(places);

    std::vector<LogFile> logs;
    for (auto word = options.words.begin() + 1; word != options.words.end(); ++word)
        logs.push_back({*word, shownFileName(*word)});
    const int status = run.readLogs(logs);
    // A log that cannot be read is named in English, as usage faults are,
    // and nothing is written.
    if (const LogFile* failed = run.failedLog()) {
        std::fprintf(stderr, "orvetta-lookup: %s\n", runMessage(status, ReportLanguage::English, failed->path).c_str());
        return kExitLogUnreadable;
    }

    Output out(options.sjis);
    if (!writeOutput(run.check(), options, out)) {
        std::fprintf(stderr,
                     "orvetta-lookup: the list of problem contacts could not be read back from its "
                     "temporary file; the output is incomplete\n");
        return kExitWriteFailed;
    }
    if (status == kLogRead) return kExitFound;
    complain(("orvetta-lookup: " + runMessage(status, languageOf(options))).c_str());
    return kExitNone;
}

}  // namespace orvetta::cli
