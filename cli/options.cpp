#include "cli/options.h"

#include "cli/output.h"
#include "dict/history.h"
#include "dict/place.h"
#include "log/award_report.h"
#include "log/log_reader.h"

namespace orvetta::cli {
namespace {

// The editions this program carries; the first is the default.
const Edition* const kEditions[] = {&kEdition1998, &kEditionCurrent};

// Stores an option's value (a flag ignores it). False when the value is bad,
// with `problem` saying why after the option's name ("takes ...").
using StoreOption = bool (*)(Options& options, const std::string& value, std::string& problem);

struct OptionRow {
    OptionId id;
    const char* name;   // as typed
    const char* value;  // what the value is, for "needs a date"; null for a flag
    StoreOption store;
};

template <bool Options::*kFlag>
bool setFlag(Options& options, const std::string&, std::string&) {
    options.*kFlag = true;
    return true;
}

bool storeEdition(Options& options, const std::string& value, std::string& problem) {
    std::string names;
    for (const Edition* e : kEditions) {
        if (value == e->name) {
            options.edition = e;
            return true;
        }
        names += std::string(names.empty() ? "" : " or ") + e->name;
    }
    problem = "takes " + names + ", not '" + shownArgument(value) + "'";
    return false;
}

bool storeOnDate(Options& options, const std::string& value, std::string& problem) {
    const Edition& dated = historyEdition();
    if (!historyCovers(dated, value.c_str())) {
        problem = "takes a day from " + std::string(dated.historySince) + " to " + dated.snapshotDate +
                  " as YYYY-MM-DD, not '" + shownArgument(value) + "'";
        return false;
    }
    options.onDate = value;
    return true;
}

bool storeLanguage(Options& options, const std::string& value, std::string& problem) {
    if (value != "ja" && value != "en") {
        problem = "takes ja or en, not '" + shownArgument(value) + "'";
        return false;
    }
    options.english = value == "en";
    options.japaneseOnly = value == "ja";
    return true;
}

bool storeUpdatePath(Options& options, const std::string& value, std::string& problem) {
    if (value.empty()) {
        problem = "needs a file name, not ''";
        return false;
    }
    options.updatePath = value;
    return true;
}

bool storeNoUpdate(Options& options, const std::string&, std::string&) {
    options.updatePath.clear();
    return true;
}

bool storeBand(Options& options, const std::string& value, std::string& problem) {
    if (!isAdifBand(value)) {
        problem = "takes an ADIF band name such as 40m or 70cm, not '" + shownArgument(value) + "'";
        return false;
    }
    options.band = value;
    return true;
}

bool storeMode(Options& options, const std::string& value, std::string& problem) {
    if (value.empty()) {
        problem = "needs a mode such as CW, not ''";
        return false;
    }
    options.mode = value;
    return true;
}

// The tables of --tsv by name.
struct TsvName {
    TsvTable table;
    const char* name;
};
constexpr TsvName kTsvNames[] = {
    {TsvTable::Summary, "summary"},          // worked, confirmed and total of each award
    {TsvTable::Credits, "credits"},          // each credited number with its first contact
    {TsvTable::Problems, "problems"},        // each contact that does not count, and why
    {TsvTable::Needed, "needed"},            // current numbers not yet worked (or confirmed)
    {TsvTable::Application, "application"},  // each credited number with the contact that proves it
};

bool storeTsv(Options& options, const std::string& value, std::string& problem) {
    std::string names;
    for (const TsvName& row : kTsvNames) {
        if (value == row.name) {
            options.tsv = row.table;
            return true;
        }
        names += std::string(names.empty() ? "" : ", ") + row.name;
    }
    problem = "takes " + names + ", not '" + shownArgument(value) + "'";
    return false;
}

bool storeSkipVia(Options& options, const std::string& value, std::string& problem) {
    if (value.empty()) {
        problem = "needs one or more QSL via marks such as N, not ''";
        return false;
    }
    options.skipVia = value;
    return true;
}

bool storeList(Options& options, const std::string& value, std::string& problem) {
    if (!awardOfName(value, options.listAward)) {
        problem = "takes JCC, JCG, KU or WAJA, not '" + shownArgument(value) + "'";
        return false;
    }
    return true;
}

// A whole decimal number from 0 to `high`.
bool storePosition(const std::string& value, int high, int& position, std::string& problem) {
    int v = 0;
    bool valid = !value.empty() && value.size() <= 3;
    for (size_t i = 0; valid && i < value.size(); ++i) {
        valid = value[i] >= '0' && value[i] <= '9';
        v = v * 10 + (value[i] - '0');
    }
    if (!valid || v > high) {
        problem = "takes 0 to " + std::to_string(high) + ", not '" + shownArgument(value) + "'";
        return false;
    }
    position = v;
    return true;
}

bool storePrefecture(Options& options, const std::string& value, std::string& problem) {
    return storePosition(value, kLastPrefectureRow, options.prefecture, problem);
}

bool storeArea(Options& options, const std::string& value, std::string& problem) {
    return storePosition(value, kAreaRows - 1, options.area, problem);
}

const OptionRow kOptionTable[] = {
    {OptionId::Edition, "--edition", "a name", storeEdition},               // the place list to load
    {OptionId::On, "--on", "a date", storeOnDate},                          // the history's list as of a day
    {OptionId::Reading, "--reading", nullptr, setFlag<&Options::reading>},  // match the kana readings
    {OptionId::Exact, "--exact", nullptr, setFlag<&Options::exact>},        // match the stored bytes as typed
    {OptionId::Pref, "--pref", "a number", storePrefecture},                // one prefecture's scope
    {OptionId::Area, "--area", "a number", storeArea},                      // one call area's scope
    {OptionId::Sjis, "--sjis", nullptr, setFlag<&Options::sjis>},           // Shift-JIS in and out
    {OptionId::Lang, "--lang", "ja or en", storeLanguage},                  // the language of words and messages
    {OptionId::Update, "--update", "a file name", storeUpdatePath},         // this update file, not ./velkarad.txt
    {OptionId::NoUpdate, "--no-update", nullptr, storeNoUpdate},            // no update file at all
    {OptionId::Band, "--band", "a band", storeBand},                        // awards: contacts of this band only
    {OptionId::Mode, "--mode", "a mode", storeMode},                        // awards: contacts of this mode only
    {OptionId::Confirmed, "--confirmed", nullptr, setFlag<&Options::confirmed>},  // needed: not yet confirmed
    {OptionId::Tsv, "--tsv", "a table name", storeTsv},            // awards: one table instead of the report
    {OptionId::SkipVia, "--skip-via", "via marks", storeSkipVia},  // awards: leave out contacts with these marks
    {OptionId::List, "--list", "an award", storeList},  // awards: the printable application list of one award
    {OptionId::Help, "--help", nullptr, setFlag<&Options::help>},
    {OptionId::Help, "-h", nullptr, setFlag<&Options::help>},
};

const OptionRow* findOption(const std::string& name) {
    for (const OptionRow& row : kOptionTable)
        if (name == row.name) return &row;
    return nullptr;
}

}  // namespace

bool parseOptions(const std::vector<std::string>& args, Options& options) {
    bool wordsOnly = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (wordsOnly || arg.empty() || arg[0] != '-' || arg == "-") {
            options.words.push_back(arg);
            continue;
        }
        if (arg == "--") {
            wordsOnly = true;
            continue;
        }
        const OptionRow* row = findOption(arg);
        if (!row) {
            complainUsage("unknown option '" + shownArgument(arg) + "'");
            return false;
        }
        // A second value would silently replace the first: refuse it. A
        // flag given twice means the same as once.
        std::string value;
        if (row->value) {
            if (options.has(row->id)) {
                complainUsage(arg + " may be given only once");
                return false;
            }
            if (i + 1 >= args.size()) {
                complainUsage(arg + " needs " + row->value);
                return false;
            }
            value = args[++i];
        }
        std::string problem;
        if (!row->store(options, value, problem)) {
            complainUsage(arg + " " + problem);
            return false;
        }
        options.given |= optionBit(row->id);
    }
    if (options.has(OptionId::Update) && options.has(OptionId::NoUpdate)) {
        complainUsage("--update and --no-update cannot both be given");
        return false;
    }
    if (options.prefecture != 0 && options.area != 0) {
        complainUsage("--pref and --area cannot both choose a scope");
        return false;
    }
    return true;
}

bool optionsApply(const Options& options, OptionSet applying, const char* command) {
    for (const OptionRow& row : kOptionTable) {
        if (options.has(row.id) && !(applying & optionBit(row.id)) && row.id != OptionId::Help) {
            complainUsage(std::string(row.name) + " does not apply to " + command);
            return false;
        }
    }
    return true;
}

const Edition* chooseEdition(const Options& options, const char* datedCommand) {
    const Edition& dated = historyEdition();
    if (!datedCommand && !options.has(OptionId::On)) return options.edition ? options.edition : gEdition;
    if (options.edition && options.edition != &dated) {
        complainUsage(std::string(datedCommand ? datedCommand : "--on") + " answers from the " + dated.name +
                      " list, not from --edition " + options.edition->name);
        return nullptr;
    }
    return &dated;
}

}  // namespace orvetta::cli
