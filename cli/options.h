// The options of orvetta-lookup: one table row per option, parsed into
// Options; each command lists the options that apply to it.
#pragma once

#include <string>
#include <vector>

#include "dict/edition.h"
#include "log/award_check.h"

namespace orvetta::cli {

enum class OptionId : unsigned {
    Edition,
    On,
    Reading,
    Pref,
    Area,
    Sjis,
    Help,
    Lang,
    Update,
    NoUpdate,
    Exact,
    Band,
    Mode,
    Confirmed,
    Tsv,
    SkipVia,
    List
};

// The table `awards --tsv` writes; None: the readable report.
enum class TsvTable { None, Summary, Credits, Problems, Needed, Application };

// A set of options, one bit per OptionId.
using OptionSet = unsigned;

constexpr OptionSet optionBit(OptionId id) { return 1u << static_cast<unsigned>(id); }

template <typename... Ids>
constexpr OptionSet optionSet(Ids... ids) {
    return (optionBit(ids) | ...);
}

// The command line, each value already checked.
struct Options {
    OptionSet given = 0;  // the options that stood on the command line
    bool reading = false;
    bool exact = false;  // --exact: byte-wise matching, no folding
    bool sjis = false;
    bool help = false;
    int prefecture = 0;                       // 0 = all, 1-47
    int area = 0;                             // area choice: 0 = all, 1-9, 10 = area 0
    const Edition* edition = nullptr;         // --edition; null when not given
    std::string onDate;                       // --on: a day the history covers, or ""
    bool english = false;                     // --lang en: English words and messages
    bool japaneseOnly = false;                // --lang ja: Japanese usage text alone
    std::string updatePath = "velkarad.txt";  // --update FILE; "" with --no-update
    std::string band;                         // --band: an ADIF band name, or ""
    std::string mode;                         // --mode, or ""
    bool confirmed = false;                   // --confirmed: needed means not yet confirmed, the
                                              // application list names confirmed numbers only
    TsvTable tsv = TsvTable::None;            // --tsv
    std::string skipVia;                      // --skip-via: HAMLOG via marks whose contacts count for nothing
    Award listAward = Award::Jcc;             // --list: the award of the printable application list
    std::vector<std::string> words;           // the command and its words

    bool has(OptionId id) const { return (given & optionBit(id)) != 0; }
};

// Parses the arguments; options may stand anywhere and after "--" everything
// is a word. False after a usage message: an unknown option, a missing or
// bad value, a value option given twice, both scopes chosen.
bool parseOptions(const std::vector<std::string>& args, Options& options);

// False after a usage message naming the first given option that is not in
// `applying` (--help always applies).
bool optionsApply(const Options& options, OptionSet applying, const char* command);

// The edition to load, or null after a usage message. `datedCommand` names
// a command that answers from the history edition, or is null; it and --on
// take that edition by default and refuse another.
const Edition* chooseEdition(const Options& options, const char* datedCommand);

}  // namespace orvetta::cli
