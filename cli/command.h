// The commands of orvetta-lookup, their table and exit statuses.
#pragma once

#include <string>

#include "cli/options.h"
#include "dict/edition.h"

namespace orvetta::cli {

constexpr int kExitFound = 0;          // lines printed
constexpr int kExitNone = 1;           // no line: nothing matched, no change recorded
constexpr int kExitUsage = 2;          // bad usage, with a message
constexpr int kExitNoDictionary = 3;   // the dictionary could not be loaded
constexpr int kExitWriteFailed = 4;    // standard output could not be written
constexpr int kExitLogUnreadable = 5;  // awards: a log cannot be opened or read

// Runs a command once its words and options have been checked.
using RunCommand = int (*)(const Options& options, const Edition& edition);

struct Command {
    const char* name;
    const char* word;   // its word ("TEXT", "NUMBER"), or null when it takes none
    bool wordRepeats;   // takes one or more of `word`, not exactly one
    bool dated;         // answers from historyEdition() only
    OptionSet options;  // the options that apply to it
    RunCommand run;
};

// The command called `name`, or null.
const Command* findCommand(const std::string& name);

// The commands: lookup.cpp, dump.cpp, history.cpp, awards.cpp.
int runNumber(const Options& options, const Edition& edition);
int runCity(const Options& options, const Edition& edition);
int runWard(const Options& options, const Edition& edition);
int runDump(const Options& options, const Edition& edition);
int runHistory(const Options& options, const Edition& edition);
int runAwards(const Options& options, const Edition& edition);

// --help: usage in English and Japanese (help.cpp).
int printHelp(const Options& options);

}  // namespace orvetta::cli
