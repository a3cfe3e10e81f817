// orvetta-lookup: the place dictionary and its search from a command line.
//
//   orvetta-lookup [--edition 1998|current] [--on DATE] [--reading] [--pref N | --area N] [--sjis]
//                  number|city|ward TEXT
//   orvetta-lookup [--edition 1998|current] [--on DATE] [--sjis] dump
//   orvetta-lookup [--sjis] history NUMBER
//   orvetta-lookup [--band B] [--mode M] [--confirmed] [--tsv TABLE] [--sjis] awards LOGFILE...
//   orvetta-lookup --help
//
// It loads the chosen edition of the built-in dictionary (with --on, as it
// stood on that day) and merges "velkarad.txt" from the current directory as
// the desktop program does at start-up, with the same messages on standard
// error, then runs one search and prints each line the search appends, or
// dumps the record array and the region tables. `history` prints the recorded
// changes of one number; `awards` checks ham logs against JARL's award lists. Output is UTF-8, or the Shift-JIS bytes themselves
// with --sjis; lines end in LF.
//
// Exit status: 0 lines printed, 1 no line (nothing matched, the number is not
// in the scope, no change recorded), 2 bad usage, 3 the dictionary could not
// be loaded, 4 standard output could not be written (a full disk, for one),
// 5 a log could not be opened or read (awards; 1 there: no Japanese contact).
//
// This file checks the command against the command table and dispatches it.
#include <string>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/text.h"

namespace orvetta::cli {
namespace {

int run(int argc, char** argv) {
    prepareConsole();
    Options options;
    if (!parseOptions(commandArguments(argc, argv), options)) return kExitUsage;
    if (options.help) return printHelp(options);
    if (options.words.empty()) {
        complainUsage("no command given");
        return kExitUsage;
    }
    const Command* command = findCommand(options.words[0]);
    if (!command) {
        complainUsage("unknown command '" + shownArgument(options.words[0]) + "'");
        return kExitUsage;
    }
    const size_t words = options.words.size() - 1;
    if (!command->word ? words != 0 : command->wordRepeats ? words == 0 : words != 1) {
        complainUsage(std::string(command->name) + (!command->word ? " takes no TEXT"
                                                    : command->wordRepeats
                                                        ? std::string(" takes one or more ") + command->word
                                                        : std::string(" takes exactly one ") + command->word));
        return kExitUsage;
    }
    if (!optionsApply(options, command->options, command->name)) return kExitUsage;
    const Edition* edition = chooseEdition(options, command->dated ? command->name : nullptr);
    if (!edition) return kExitUsage;
    return command->run(options, *edition);
}

}  // namespace
}  // namespace orvetta::cli

int main(int argc, char** argv) { return orvetta::cli::finishOutput(orvetta::cli::run(argc, argv)); }
